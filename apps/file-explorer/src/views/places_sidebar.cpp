#include "views/places_sidebar.hpp"

#include <algorithm>
#include <cmath>

#include "i18n/messages.hpp"
#include "model/workspace_roots.hpp"
#include "platform/base/fs.hpp"
#include "platform/base/utf8.hpp"
#include "platform/ui/icons.hpp"

namespace file_explorer {

using vask_ui::Point;
using vask_ui::Rect;

namespace {
constexpr float kPad = 12;
constexpr float kDragThreshold = 5;

std::string upper_ascii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    return text;
}

PlaceIcon icon_for_kind(PlaceKind kind)
{
    switch (kind) {
    case PlaceKind::Home: return PlaceIcon::Home;
    case PlaceKind::Documents: return PlaceIcon::Documents;
    case PlaceKind::Downloads: return PlaceIcon::Downloads;
    case PlaceKind::Pictures: return PlaceIcon::Pictures;
    case PlaceKind::Music: return PlaceIcon::Music;
    case PlaceKind::Videos: return PlaceIcon::Videos;
    case PlaceKind::Folder: return PlaceIcon::Folder;
    }
    return PlaceIcon::Folder;
}

} // namespace

void draw_place_icon(vask_ui::Scene& scene, PlaceIcon icon, Rect b, vask_ui::Color color, float w)
{
    const float u = b.width / 16;
    auto line = [&](float x0, float y0, float x1, float y1) {
        scene.line({b.x + x0 * u, b.y + y0 * u}, {b.x + x1 * u, b.y + y1 * u}, color, w);
    };
    switch (icon) {
    case PlaceIcon::Home:
        line(2, 8, 8, 2.5f), line(8, 2.5f, 14, 8), line(3.5f, 7, 3.5f, 14), line(12.5f, 7, 12.5f, 14), line(3.5f, 14, 12.5f, 14);
        break;
    case PlaceIcon::Root:
        scene.stroke_rect({b.x + 2 * u, b.y + 3 * u, 12 * u, 10 * u}, color, w, 1.5f * u);
        line(5, 10, 11, 10);
        break;
    case PlaceIcon::Trash:
        line(2.5f, 4, 13.5f, 4), line(6, 4, 6.5f, 2), line(6.5f, 2, 9.5f, 2), line(9.5f, 2, 10, 4);
        line(4, 4, 5, 14), line(12, 4, 11, 14), line(5, 14, 11, 14);
        break;
    case PlaceIcon::Downloads:
        line(8, 2, 8, 11), line(4.5f, 7.5f, 8, 11), line(11.5f, 7.5f, 8, 11), line(3, 14, 13, 14);
        break;
    case PlaceIcon::Documents:
        scene.stroke_rect({b.x + 3 * u, b.y + 1.5f * u, 10 * u, 13 * u}, color, w, 1.5f * u);
        line(5.5f, 6, 10.5f, 6), line(5.5f, 9, 10.5f, 9), line(5.5f, 12, 8.5f, 12);
        break;
    case PlaceIcon::Pictures:
        scene.stroke_rect({b.x + 1.5f * u, b.y + 3 * u, 13 * u, 10 * u}, color, w, 1.5f * u);
        line(3.5f, 11, 7, 7.5f), line(7, 7.5f, 9.5f, 10), line(9.5f, 10, 11, 8.5f), line(11, 8.5f, 13, 11);
        break;
    case PlaceIcon::Music:
        line(6, 12, 6, 3), line(6, 3, 13, 2), line(13, 2, 13, 11);
        scene.stroke_rect({b.x + 2.5f * u, b.y + 11 * u, 3.5f * u, 3 * u}, color, w, 1.5f * u);
        scene.stroke_rect({b.x + 9.5f * u, b.y + 10 * u, 3.5f * u, 3 * u}, color, w, 1.5f * u);
        break;
    case PlaceIcon::Videos:
        scene.stroke_rect({b.x + 1.5f * u, b.y + 3 * u, 13 * u, 10 * u}, color, w, 1.5f * u);
        line(6.5f, 5.5f, 10.5f, 8), line(10.5f, 8, 6.5f, 10.5f), line(6.5f, 10.5f, 6.5f, 5.5f);
        break;
    case PlaceIcon::Folder:
        line(1.5f, 4, 6, 4), line(6, 4, 7.5f, 5.5f), line(7.5f, 5.5f, 14.5f, 5.5f), line(14.5f, 5.5f, 14.5f, 13);
        line(14.5f, 13, 1.5f, 13), line(1.5f, 13, 1.5f, 4);
        break;
    case PlaceIcon::Workspace:
        scene.stroke_rect({b.x + 1.5f * u, b.y + 1.5f * u, 8 * u, 8 * u}, color, w, 1.5f * u);
        scene.stroke_rect({b.x + 6.5f * u, b.y + 6.5f * u, 8 * u, 8 * u}, color, w, 1.5f * u);
        break;
    }
}

std::vector<SystemPlace> system_places(const std::optional<std::filesystem::path>& trash_files_dir)
{
    std::vector<SystemPlace> places{{i18n::message("files-place-root"), PlaceIcon::Root, "/"}};
    if (trash_files_dir && vask_base::directory_exists(*trash_files_dir))
        places.push_back({i18n::message("files-place-trash"), PlaceIcon::Trash, *trash_files_dir});
    return places;
}

PlacesSidebar::PlacesSidebar(const std::vector<Favourite>& favourites, std::vector<SystemPlace> system,
                             std::filesystem::path current, PlacesState& state, ViewEventQueue& events, float scale)
    : m_favourites(favourites), m_system(std::move(system)), m_current(std::move(current)), m_state(state),
      m_events(events), m_s(scale)
{
}

vask_ui::LayoutNodeId PlacesSidebar::build_layout(vask_ui::LayoutTree& tree, const vask_ui::LayoutContext&)
{
    vask_ui::LayoutStyle style;
    style.width = vask_ui::Dimension::percent(100);
    style.height = vask_ui::Dimension::percent(100);
    return tree.add_node(style);
}

float PlacesSidebar::favourites_top() const { return bounds().y + kPad + 26 * m_s; }

float PlacesSidebar::system_top() const
{
    float start = m_favourites.empty() ? bounds().y + kPad : favourites_top() + 34 * m_s * float(m_favourites.size()) + kPad;
    return start + 26 * m_s;
}

Rect PlacesSidebar::row_rect(std::size_t index) const
{
    const float row = 34 * m_s;
    float top = index < m_favourites.size() ? favourites_top() + row * float(index)
                                            : system_top() + row * float(index - m_favourites.size());
    return {bounds().x + kPad, top, bounds().width - 2 * kPad, row};
}

std::optional<std::size_t> PlacesSidebar::hit(Point p) const
{
    if (p.x < bounds().x + kPad || p.x > bounds().right() - kPad)
        return std::nullopt;
    const float row = 34 * m_s;
    auto in_section = [&](float top, std::size_t count) -> std::optional<std::size_t> {
        if (p.y < top)
            return std::nullopt;
        auto i = std::size_t(std::floor((p.y - top) / row));
        return i < count ? std::optional(i) : std::nullopt;
    };
    if (auto i = in_section(favourites_top(), m_favourites.size()))
        return i;
    if (auto i = in_section(system_top(), m_system.size()))
        return m_favourites.size() + *i;
    return std::nullopt;
}

const std::filesystem::path& PlacesSidebar::place_path(std::size_t i) const
{
    return i < m_favourites.size() ? m_favourites[i].path : m_system[i - m_favourites.size()].path;
}

const std::string& PlacesSidebar::place_label(std::size_t i) const
{
    return i < m_favourites.size() ? m_favourites[i].label : m_system[i - m_favourites.size()].label;
}

PlaceIcon PlacesSidebar::place_icon(std::size_t i) const
{
    return i < m_favourites.size() ? icon_for_kind(m_favourites[i].kind) : m_system[i - m_favourites.size()].icon;
}

std::optional<std::size_t> PlacesSidebar::current_index() const
{
    for (std::size_t i = 0; i < place_count(); ++i)
        if (same_path(place_path(i), m_current))
            return i;
    return std::nullopt;
}

void PlacesSidebar::draw(vask_ui::Scene& scene, const vask_ui::DrawContext& context)
{
    const auto& theme = context.theme;
    Rect b = bounds();
    scene.fill_rect(b, theme.sidebar);
    scene.line({b.right() - 1, b.y}, {b.right() - 1, b.bottom()}, theme.border);
    auto heading = [&](const char* id, float band_top) {
        scene.text(upper_ascii(i18n::message(id)), {b.x + 24, band_top, b.width - 36, 26 * m_s}, theme.caption,
                   theme.text_muted);
    };
    if (!m_favourites.empty())
        heading("files-place-favourites", b.y + kPad);
    heading("files-place-system", system_top() - 26 * m_s);

    const bool dragging = m_state.drag == PlacesState::Drag::Dragging;
    auto current = current_index();
    auto paint_row = [&](std::size_t i, Rect row) {
        Rect inner{row.x, row.y + 2, row.width, row.height - 4};
        if (current == i)
            scene.fill_rect(inner, theme.selection, theme.radius);
        else if (m_state.hovered == i && !dragging)
            scene.fill_rect(inner, theme.hover, theme.radius);
        if (m_state.focused && m_state.focused_index == i)
            scene.stroke_rect(inner, theme.focus_ring, 2, theme.radius);
        Rect icon{row.x + 12, row.y + (row.height - 17) / 2, 17, 17};
        draw_place_icon(scene, place_icon(i), icon, current == i ? theme.text : theme.text_muted);
        float x = icon.right() + 8;
        scene.text(context.text.elide_end(place_label(i), theme.body, row.right() - x - 6), {x, row.y, row.right() - x, row.height},
                   theme.body, theme.text);
    };
    for (std::size_t i = 0; i < place_count(); ++i) {
        Rect row = row_rect(i);
        if (dragging && i < m_favourites.size()) {
            if (i == m_state.drag_index)
                continue;
            // Rows between the dragged slot and the target shift by one to open a gap at the target.
            const float pitch = 34 * m_s;
            if (m_state.drag_target > m_state.drag_index && i > m_state.drag_index && i <= m_state.drag_target)
                row.y -= pitch;
            else if (m_state.drag_target < m_state.drag_index && i >= m_state.drag_target && i < m_state.drag_index)
                row.y += pitch;
        }
        paint_row(i, row);
    }
    if (dragging) {
        Rect slot = row_rect(m_state.drag_index);
        Rect card{slot.x, slot.y + (m_state.pointer.y - m_state.press_point.y), slot.width, slot.height};
        scene.shadow(card, vask_ui::Color::rgb(0x000000, 50), 8, theme.radius);
        scene.fill_rect(card, theme.surface, theme.radius);
        paint_row(m_state.drag_index, card);
    }
}

void PlacesSidebar::set_focus(bool focused)
{
    m_state.focused = focused;
    if (focused && !m_state.focused_index)
        m_state.focused_index = current_index().value_or(0);
}

void PlacesSidebar::handle_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context)
{
    using vask_ui::Key;
    if (auto* key = std::get_if<vask_ui::KeyPress>(&event)) {
        if (!m_state.focused || place_count() == 0)
            return;
        std::size_t now = m_state.focused_index.value_or(current_index().value_or(0));
        std::size_t last = place_count() - 1;
        switch (key->key) {
        case Key::Down: m_state.focused_index = std::min(now + 1, last); break;
        case Key::Up: m_state.focused_index = now > 0 ? now - 1 : 0; break;
        case Key::End: m_state.focused_index = last; break;
        case Key::Home: m_state.focused_index = 0; break;
        case Key::Enter: post(m_events, view_event::OpenPath{place_path(now)}); break;
        case Key::Menu:
            if (now < m_favourites.size())
                post(m_events, view_event::RequestPlaceMenu{place_path(now)});
            break;
        default: return;
        }
        context.handled = true;
        return;
    }
    if (auto* move = std::get_if<vask_ui::PointerMove>(&event)) {
        m_state.pointer = move->position;
        m_state.hovered = hit(move->position);
        if (m_state.drag == PlacesState::Drag::Pressed &&
            std::hypot(move->position.x - m_state.press_point.x, move->position.y - m_state.press_point.y) > kDragThreshold)
            m_state.drag = PlacesState::Drag::Dragging;
        if (m_state.drag == PlacesState::Drag::Dragging) {
            long moved = std::lround((move->position.y - m_state.press_point.y) / (34 * m_s));
            long target = std::clamp(long(m_state.drag_index) + moved, 0L, long(m_favourites.size()) - 1);
            m_state.drag_target = std::size_t(target);
            context.handled = true;
        }
        return;
    }
    if (auto* press = std::get_if<vask_ui::PointerPress>(&event)) {
        auto index = hit(press->position);
        if (!index)
            return;
        context.handled = true;
        if (press->button == vask_ui::MouseButton::Secondary) {
            if (*index < m_favourites.size())
                post(m_events, view_event::RequestPlaceMenu{place_path(*index)});
            return;
        }
        if (press->button != vask_ui::MouseButton::Primary)
            return;
        m_state.focused_index = *index;
        if (*index < m_favourites.size()) {
            m_state.drag = PlacesState::Drag::Pressed;
            m_state.drag_index = *index;
            m_state.drag_target = *index;
            m_state.press_point = press->position;
            m_state.pointer = press->position;
        } else {
            post(m_events, view_event::OpenPath{place_path(*index)});
        }
        return;
    }
    if (auto* release = std::get_if<vask_ui::PointerRelease>(&event)) {
        if (release->button != vask_ui::MouseButton::Primary || m_state.drag == PlacesState::Drag::Idle)
            return;
        if (m_state.drag == PlacesState::Drag::Dragging) {
            if (m_state.drag_target != m_state.drag_index)
                post(m_events, view_event::MoveFavourite{m_state.drag_index, m_state.drag_target});
        } else {
            post(m_events, view_event::OpenPath{place_path(m_state.drag_index)});
        }
        m_state.drag = PlacesState::Drag::Idle;
        context.handled = true;
    }
}

bool PlacesSidebar::perform_action(std::string_view action)
{
    auto index = m_state.focused_index;
    if (!index || *index >= place_count())
        return false;
    if (action == "activate") {
        post(m_events, view_event::OpenPath{place_path(*index)});
        return true;
    }
    if (action == "show-menu" && *index < m_favourites.size()) {
        post(m_events, view_event::RequestPlaceMenu{place_path(*index)});
        return true;
    }
    return false;
}

std::optional<vask_ui::a11y::AccessNode> PlacesSidebar::accessibility() const
{
    vask_ui::a11y::AccessNode list;
    list.role = vask_ui::a11y::Role::List;
    list.name = i18n::message("files-a11y-places");
    list.bounds = bounds();
    list.focused = m_state.focused;
    if (m_state.focused_index && *m_state.focused_index < place_count())
        list.value = place_label(*m_state.focused_index);
    auto current = current_index();
    const std::size_t n = place_count();
    for (std::size_t i = 0; i < n; ++i) {
        vask_ui::a11y::AccessNode item;
        item.role = vask_ui::a11y::Role::ListItem;
        item.name = place_label(i);
        item.description = i18n::message_with_args(
            "files-a11y-place-description",
            {{"section", i18n::message(i < m_favourites.size() ? "files-a11y-favourite" : "files-a11y-system-location")},
             {"path", vask_base::lossy_utf8(place_path(i))}});
        item.value = std::to_string(i + 1) + " / " + std::to_string(n);
        item.bounds = row_rect(i);
        item.selected = current == i;
        item.focused = m_state.focused && m_state.focused_index == i;
        list.children.push_back(std::move(item));
    }
    return list;
}

} // namespace file_explorer
