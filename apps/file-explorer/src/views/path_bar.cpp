#include "views/path_bar.hpp"

#include <algorithm>

#include "i18n/messages.hpp"
#include "model/listing.hpp"
#include "model/mime_types.hpp"
#include "model/workspace_roots.hpp"
#include "platform/base/utf8.hpp"
#include "views/places_sidebar.hpp"

namespace file_explorer {

using vask_ui::Point;
using vask_ui::Rect;

namespace {
constexpr std::string_view kSeparator = "\u203A";
const vask_ui::TextStyle kCrumbStyle{13, vask_ui::FontWeight::Regular};

// Normal components of `path` below `base` (both absolute, `path` inside `base`).
std::vector<std::filesystem::path> components_below(const std::filesystem::path& path, const std::filesystem::path& base)
{
    std::vector<std::filesystem::path> out;
    auto rel = path.lexically_relative(base);
    if (rel.empty() || rel == ".")
        return out;
    for (const auto& part : rel)
        if (!part.empty() && part != ".")
            out.push_back(part);
    return out;
}

std::string text_of(const std::filesystem::path& p) { return vask_base::lossy_utf8(p); }
} // namespace

std::vector<Crumb> build_crumbs(const std::filesystem::path& path, const std::optional<std::filesystem::path>& home,
                                const std::vector<std::filesystem::path>& roots)
{
    std::vector<Crumb> crumbs;
    std::optional<std::filesystem::path> root;
    for (const auto& r : roots)
        if (path_starts_with(path, r) && (!root || r.native().size() >= root->native().size()))
            root = r;
    std::filesystem::path base;
    if (root) {
        base = *root;
        auto name = root->lexically_normal().filename();
        if (name.empty())
            name = root->lexically_normal().parent_path().filename();
        crumbs.push_back({name.empty() ? i18n::message("files-place-workspace") : text_of(name), *root});
    } else if (home && path_starts_with(path, *home)) {
        base = *home;
        crumbs.push_back({i18n::message("files-place-home"), *home});
    } else {
        base = "/";
        crumbs.push_back({"/", "/"});
    }
    std::filesystem::path accumulated = base;
    for (const auto& part : components_below(path, base)) {
        if (part == "..") {
            accumulated /= part;
            crumbs.push_back({"..", accumulated});
            continue;
        }
        accumulated /= part;
        crumbs.push_back({text_of(part), accumulated});
    }
    return crumbs;
}

std::string display_path(const std::filesystem::path& path, const std::optional<std::filesystem::path>& home)
{
    if (home && same_path(path, *home))
        return "~";
    if (home && path_starts_with(path, *home)) {
        auto rest = path.lexically_relative(*home);
        return "~/" + text_of(rest);
    }
    return text_of(path);
}

std::filesystem::path resolve_typed_path(const std::string& text, const std::optional<std::filesystem::path>& home,
                                         const std::filesystem::path& origin)
{
    std::filesystem::path typed;
    if (home && text == "~")
        typed = *home;
    else if (home && text.starts_with("~/"))
        typed = *home / text.substr(2);
    else
        typed = text;
    return origin / typed;
}

std::vector<PathSuggestion> path_suggestions(const std::string& text, const std::optional<std::filesystem::path>& home,
                                             const std::filesystem::path& origin)
{
    std::string resolved = resolve_typed_path(text, home, origin).native();
    if ((text.empty() || text == "~") && !resolved.ends_with('/'))
        resolved.push_back('/');
    auto slash = resolved.rfind('/');
    std::string folder = resolved.substr(0, slash + 1);
    std::string prefix = vask_base::to_lower_unicode(resolved.substr(slash + 1));
    auto listing = read_local_directory_in_roots(folder, {});
    if (!listing)
        return {};
    const bool hidden = prefix.starts_with('.');
    Listing kept;
    for (auto& e : *listing) {
        if (e.name.starts_with('.') && !hidden)
            continue;
        if (!vask_base::to_lower_unicode(e.name).starts_with(prefix))
            continue;
        kept.push_back(std::move(e));
    }
    sort_entries(kept, SortKey::Name, SortOrder::Ascending);
    if (kept.size() > 60)
        kept.resize(60);
    std::vector<PathSuggestion> out;
    for (const auto& e : kept) {
        auto p = e.path();
        std::string shown = display_path(p, home);
        if (e.is_dir)
            shown.push_back('/');
        out.push_back({shown, p, e.is_dir});
    }
    return out;
}

PathBar::PathBar(ViewEventQueue& events)
    : m_events(events),
      m_editor("files.path_input", i18n::message("files-path-placeholder"), [this](const std::string& text) {
          std::vector<vask_ui::Autocomplete::Suggestion> out;
          for (auto& s : path_suggestions(text, m_home, m_edit_origin))
              out.push_back({std::move(s.text),
                             s.is_dir ? vask_ui::icons::IconKind::Folder
                                      : vask_ui::icons::icon_for(mime_type_for_path(s.path), false),
                             s.is_dir});
          return out;
      })
{
}

void PathBar::begin_edit()
{
    m_editing = true;
    m_edit_requested = false;
    m_edit_origin = m_current;
    m_editor.set_text(display_path(m_current, m_home));
    m_editor.begin_edit();
}

void PathBar::end_edit()
{
    m_editing = false;
    m_editor.close();
    m_crumbs = build_crumbs(m_current, m_home, m_roots);
}

void PathBar::apply_layout(const vask_ui::LayoutTree& tree, vask_ui::LayoutNodeId node)
{
    Widget::apply_layout(tree, node);
    m_editor.set_bounds_direct(bounds());
}

void PathBar::draw_overlay(vask_ui::Scene& scene, const vask_ui::DrawContext& context)
{
    if (m_editing)
        m_editor.draw_overlay(scene, context);
}

void PathBar::handle_editor_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context)
{
    m_editor.handle_event(event, context);
    auto outcome = m_editor.take_outcome();
    if (outcome.kind == vask_ui::TextInput::Outcome::Submitted) {
        post(m_events, view_event::OpenItem{resolve_typed_path(outcome.text, m_home, m_edit_origin)});
        end_edit();
        context.handled = true;
    } else if (outcome.kind == vask_ui::TextInput::Outcome::Cancelled) {
        end_edit();
    }
}

void PathBar::set_location(const std::filesystem::path& current, std::optional<std::filesystem::path> home,
                           std::vector<std::filesystem::path> roots)
{
    m_current = current;
    m_home = std::move(home);
    m_roots = std::move(roots);
    if (m_editing)
        return;
    m_crumbs = build_crumbs(m_current, m_home, m_roots);
    m_base_is_root_folder = m_crumbs.front().path == "/";
    m_base_is_workspace = std::any_of(m_roots.begin(), m_roots.end(), [&](auto& r) { return r == m_crumbs.front().path; });
    if (!m_focused_crumb || *m_focused_crumb >= m_crumbs.size())
        m_focused_crumb = m_crumbs.size() - 1;
}

vask_ui::LayoutNodeId PathBar::build_layout(vask_ui::LayoutTree& tree, const vask_ui::LayoutContext&)
{
    vask_ui::LayoutStyle style;
    style.width = vask_ui::Dimension::percent(100);
    style.height = vask_ui::Dimension::points(34);
    style.flex_grow = 1;
    style.flex_shrink = 1;
    return tree.add_node(style);
}

std::vector<PathBar::Item> PathBar::layout_items(const vask_ui::TextRenderer& text, const vask_ui::TextStyle& style) const
{
    const float start = bounds().x + 26, limit = bounds().right() - 4;
    const float slot = text.width(kSeparator, style) + 12;
    std::vector<float> widths;
    float total = 0;
    for (std::size_t i = 0; i < m_crumbs.size(); ++i) {
        widths.push_back(text.width(m_crumbs[i].label, style));
        total += widths.back() + (i ? slot : 0);
    }
    std::vector<Item> items;
    std::size_t first = 0;
    float x = start;
    if (start + total > limit && m_crumbs.size() >= 2) {
        const float ellipsis = text.width("\u2026", style);
        float room = limit - start - ellipsis - slot, used = widths.back();
        first = m_crumbs.size() - 1;
        while (first > 0 && used + slot + widths[first - 1] <= room) {
            used += slot + widths[first - 1];
            --first;
        }
        items.push_back({std::nullopt, "\u2026", x, ellipsis});
        x += ellipsis + slot;
    }
    for (std::size_t i = first; i < m_crumbs.size(); ++i) {
        items.push_back({i, m_crumbs[i].label, x, widths[i]});
        x += widths[i] + slot;
    }
    return items;
}

void PathBar::draw(vask_ui::Scene& scene, const vask_ui::DrawContext& context)
{
    if (m_editing) {
        m_editor.draw(scene, context);
        return;
    }
    const auto& theme = context.theme;
    const auto& text = context.text;
    Rect b = bounds();
    m_items = layout_items(text, kCrumbStyle);
    scene.fill_rect(b, theme.surface, theme.radius);
    Rect icon{b.x + 2, b.y + (b.height - 16) / 2, 16, 16};
    draw_place_icon(scene, m_base_is_root_folder ? PlaceIcon::Root : m_base_is_workspace ? PlaceIcon::Workspace : PlaceIcon::Home,
                    icon, theme.text_muted);
    const float line_h = text.line_height(kCrumbStyle);
    const float y = b.y + (b.height - line_h) / 2;
    for (std::size_t k = 0; k < m_items.size(); ++k) {
        const auto& item = m_items[k];
        const bool last = item.crumb && *item.crumb + 1 == m_crumbs.size();
        vask_ui::Color color = last ? theme.text : (item.crumb && m_hovered_crumb == item.crumb) ? theme.accent : theme.text_muted;
        vask_ui::TextStyle style = kCrumbStyle;
        if (last)
            style.weight = vask_ui::FontWeight::Medium;
        scene.text(item.label, {item.x, y, item.width + 2, line_h}, style, color);
        if (m_focused && item.crumb && m_focused_crumb == item.crumb)
            scene.stroke_rect({item.x - 4, b.y + 4, item.width + 8, b.height - 8}, theme.focus_ring, 2, 4);
        if (k + 1 < m_items.size()) {
            float sep_w = text.width(kSeparator, kCrumbStyle);
            scene.text(std::string(kSeparator), {m_items[k + 1].x - 6 - sep_w, y, sep_w + 1, line_h}, kCrumbStyle, theme.text_muted);
        }
    }
    scene.line({b.x, b.bottom() - 0.5f}, {b.right(), b.bottom() - 0.5f}, theme.border);
}

void PathBar::activate(std::size_t crumb)
{
    if (crumb < m_crumbs.size())
        post(m_events, view_event::OpenPath{m_crumbs[crumb].path});
}

void PathBar::handle_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context)
{
    if (m_editing) {
        handle_editor_event(event, context);
        return;
    }
    handle_trail_event(event, context);
    if (m_edit_requested)
        begin_edit();
}

void PathBar::handle_trail_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context)
{
    auto crumb_at = [&](Point p) -> std::optional<std::size_t> {
        if (p.y < bounds().y || p.y > bounds().bottom())
            return std::nullopt;
        for (const auto& item : m_items)
            if (item.crumb && *item.crumb + 1 < m_crumbs.size() && p.x >= item.x - 3 && p.x <= item.x + item.width + 3)
                return item.crumb;
        return std::nullopt;
    };
    if (auto* move = std::get_if<vask_ui::PointerMove>(&event)) {
        m_hovered_crumb = crumb_at(move->position);
        return;
    }
    if (auto* press = std::get_if<vask_ui::PointerPress>(&event)) {
        if (press->button != vask_ui::MouseButton::Primary || !bounds().contains(press->position))
            return;
        if (auto crumb = crumb_at(press->position))
            activate(*crumb);
        else
            m_edit_requested = true;
        context.handled = true;
        return;
    }
    auto* key = std::get_if<vask_ui::KeyPress>(&event);
    if (!key || !m_focused || m_crumbs.empty())
        return;
    std::size_t now = m_focused_crumb.value_or(m_crumbs.size() - 1);
    switch (key->key) {
    case vask_ui::Key::Left: m_focused_crumb = now > 0 ? now - 1 : 0; break;
    case vask_ui::Key::Right: m_focused_crumb = std::min(now + 1, m_crumbs.size() - 1); break;
    case vask_ui::Key::Home: m_focused_crumb = 0; break;
    case vask_ui::Key::End: m_focused_crumb = m_crumbs.size() - 1; break;
    case vask_ui::Key::Enter:
        if (now + 1 < m_crumbs.size())
            activate(now);
        else
            m_edit_requested = true;
        break;
    default: return;
    }
    context.handled = true;
}

vask_ui::CursorShape PathBar::cursor_shape(Point p) const
{
    if (m_editing)
        return m_editor.cursor_shape(p);
    for (const auto& item : m_items)
        if (item.crumb && *item.crumb + 1 < m_crumbs.size() && p.x >= item.x - 3 && p.x <= item.x + item.width + 3)
            return vask_ui::CursorShape::Pointer;
    return bounds().contains(p) ? vask_ui::CursorShape::Text : vask_ui::CursorShape::Default;
}

void PathBar::set_focus(bool focused)
{
    m_focused = focused;
    if (focused && !m_focused_crumb && !m_crumbs.empty())
        m_focused_crumb = m_crumbs.size() - 1;
}

std::optional<vask_ui::a11y::AccessNode> PathBar::accessibility() const
{
    if (m_editing)
        return m_editor.accessibility();
    vask_ui::a11y::AccessNode list;
    list.role = vask_ui::a11y::Role::List;
    list.name = i18n::message("files-a11y-breadcrumbs");
    list.bounds = bounds();
    list.focused = m_focused;
    if (m_focused_crumb && *m_focused_crumb < m_crumbs.size())
        list.value = m_crumbs[*m_focused_crumb].label;
    for (std::size_t i = 0; i < m_crumbs.size(); ++i) {
        const bool last = i + 1 == m_crumbs.size();
        vask_ui::a11y::AccessNode crumb;
        crumb.role = last ? vask_ui::a11y::Role::Label : vask_ui::a11y::Role::Link;
        crumb.name = m_crumbs[i].label;
        crumb.description = i18n::message_with_args(last ? "files-a11y-current-breadcrumb" : "files-a11y-open-folder",
                                                    {{"path", text_of(m_crumbs[i].path)}});
        crumb.value = std::to_string(i + 1) + " / " + std::to_string(m_crumbs.size());
        crumb.focused = m_focused && m_focused_crumb == i;
        crumb.selected = last;
        list.children.push_back(std::move(crumb));
    }
    return list;
}

} // namespace file_explorer
