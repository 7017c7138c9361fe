// A plain list of the current folder: path header, column titles, rows, status line. It paints
// only the visible rows, so a frame costs the same for any folder size.
#include <algorithm>
#include <cmath>

#include "files_app/file_explorer_widget.hpp"
#include "i18n/messages.hpp"
#include "model/formatting.hpp"
#include "platform/base/utf8.hpp"
#include "platform/ui/icons.hpp"

namespace file_explorer {

using vask_ui::Color;
using vask_ui::Point;
using vask_ui::Rect;

struct FileExplorerWidget::ListGeometry {
    Rect header;
    Rect columns;
    Rect list;
    Rect status;
    float row_height;
    float size_x;
    float modified_x;
};

FileExplorerWidget::ListGeometry FileExplorerWidget::list_geometry(const vask_ui::TextRenderer& text,
                                                                   const vask_ui::Theme& theme) const
{
    Rect b = bounds();
    ListGeometry g;
    float header_h = std::round(text.line_height(theme.heading) + 24);
    float columns_h = std::round(text.line_height(theme.caption) + 12);
    float status_h = std::round(text.line_height(theme.caption) + 14);
    g.header = {b.x, b.y, b.width, header_h};
    g.columns = {b.x, b.y + header_h, b.width, columns_h};
    g.status = {b.x, b.bottom() - status_h, b.width, status_h};
    g.list = {b.x, g.columns.bottom(), b.width, std::max(0.f, g.status.y - g.columns.bottom())};
    g.row_height = std::round(std::max(theme.row_height, text.line_height(theme.body) + 12) * item_zoom());
    float date_w = text.width("0000-00-00 00:00 PM", theme.body) + 24;
    float size_w = text.width("000.0 MB", theme.body) + 32;
    g.modified_x = b.right() - date_w;
    g.size_x = g.modified_x - size_w;
    return g;
}

std::optional<std::size_t> FileExplorerWidget::row_at(Point point) const
{
    if (!m_list_rect.contains(point) || m_row_height <= 0)
        return std::nullopt;
    auto row = std::size_t((point.y - m_list_rect.y + m_scroll_offset) / m_row_height);
    if (row >= m_entries.size())
        return std::nullopt;
    return row;
}

void FileExplorerWidget::ensure_visible(std::size_t index)
{
    float top = float(index) * m_row_height;
    if (top < m_scroll_offset)
        m_scroll_offset = top;
    else if (top + m_row_height > m_scroll_offset + m_list_rect.height)
        m_scroll_offset = top + m_row_height - m_list_rect.height;
}

void FileExplorerWidget::draw(vask_ui::Scene& scene, const vask_ui::DrawContext& context)
{
    const auto& theme = context.theme;
    const auto& text = context.text;
    auto g = list_geometry(text, theme);
    m_list_rect = g.list;
    m_row_height = g.row_height;
    float pad = 16;

    scene.fill_rect(bounds(), theme.surface);
    scene.fill_rect(g.header, theme.window);
    std::string location = vask_base::lossy_utf8(m_current);
    scene.text(text.elide_middle(location, theme.heading, g.header.width - 2 * pad),
               {g.header.x + pad, g.header.y, g.header.width - 2 * pad, g.header.height}, theme.heading, theme.text);
    scene.line({g.header.x, g.header.bottom() - 0.5f}, {g.header.right(), g.header.bottom() - 0.5f}, theme.border);

    auto column = [&](const char* id, float x, float w) {
        scene.text(i18n::message(id), {x, g.columns.y, w, g.columns.height}, theme.caption, theme.text_muted);
    };
    column("files-column-name", g.columns.x + pad + 28, g.size_x - g.columns.x - pad - 28);
    column("files-column-size", g.size_x, g.modified_x - g.size_x);
    column("files-column-modified", g.modified_x, g.columns.right() - g.modified_x);
    scene.line({g.columns.x, g.columns.bottom() - 0.5f}, {g.columns.right(), g.columns.bottom() - 0.5f}, theme.border);

    if (m_load_error) {
        Rect panel{g.list.x + pad, g.list.y + pad, g.list.width - 2 * pad, text.line_height(theme.body) * 2};
        scene.text(text.elide_end(*m_load_error, theme.body, panel.width), panel, theme.body, theme.error);
    } else if (m_entries.empty()) {
        Rect panel{g.list.x, g.list.y, g.list.width, g.list.height / 2};
        std::string empty = i18n::message(is_trash() ? "files-empty-trash" : "files-empty-folder");
        float w = text.width(empty, theme.body);
        scene.text(empty, {panel.x + (panel.width - w) / 2, panel.y, w + 2, panel.height}, theme.body, theme.text_muted);
    }

    float content = float(m_entries.size()) * g.row_height;
    m_scroll_offset = std::clamp(m_scroll_offset, 0.f, std::max(0.f, content - g.list.height));
    scene.push_clip(g.list);
    auto first = std::size_t(m_scroll_offset / g.row_height);
    auto last = std::min(m_entries.size(), std::size_t((m_scroll_offset + g.list.height) / g.row_height) + 1);
    float icon = std::round(20 * item_zoom());
    for (std::size_t i = first; i < last; ++i) {
        const auto& e = m_entries[i];
        Rect row{g.list.x, g.list.y + float(i) * g.row_height - m_scroll_offset, g.list.width, g.row_height};
        if (m_selection.is_selected(i))
            scene.fill_rect(row.inset(2), theme.selection, theme.radius);
        vask_ui::icons::draw(scene, vask_ui::icons::icon_for(e.mime_type, e.is_dir),
                             {row.x + pad, row.y + (row.height - icon) / 2, icon, icon}, theme);
        float name_x = row.x + pad + icon + 8;
        scene.text(text.elide_middle(e.name, theme.body, g.size_x - name_x - 12), {name_x, row.y, g.size_x - name_x, row.height},
                   theme.body, theme.text);
        scene.text(size_text(e), {g.size_x, row.y, g.modified_x - g.size_x, row.height}, theme.body, theme.text_muted);
        scene.text(modified_text(e), {g.modified_x, row.y, row.right() - g.modified_x, row.height}, theme.body,
                   theme.text_muted);
    }
    scene.pop_clip();

    scene.fill_rect(g.status, theme.window);
    scene.line({g.status.x, g.status.y + 0.5f}, {g.status.right(), g.status.y + 0.5f}, theme.border);
    scene.text(text.elide_end(status_line(), theme.caption, g.status.width - 2 * pad),
               {g.status.x + pad, g.status.y, g.status.width - 2 * pad, g.status.height}, theme.caption, theme.text_muted);
    m_dirty = false;
}

void FileExplorerWidget::on_key(const vask_ui::KeyPress& key, vask_ui::EventContext& context)
{
    using vask_ui::Key;
    using vask_ui::Modifier;
    const bool alt = key.modifiers.has(Modifier::Alt);
    const bool shift = key.modifiers.has(Modifier::Shift);
    auto move = [&](long delta) {
        if (m_entries.empty())
            return;
        long from = m_selection.primary() ? long(*m_selection.primary()) : (delta > 0 ? -1 : long(m_entries.size()));
        auto to = std::size_t(std::clamp(from + delta, 0L, long(m_entries.size()) - 1));
        m_selection.move_to(to, shift ? vask_ui::SelectionModel::Extend::Yes : vask_ui::SelectionModel::Extend::No);
        ensure_visible(to);
        mark_dirty();
    };
    long page = m_row_height > 0 ? std::max(1L, long(m_list_rect.height / m_row_height) - 1) : 1;
    context.handled = true;
    switch (key.key) {
    case Key::Down: move(1); break;
    case Key::Up:
        if (alt)
            go_up();
        else
            move(-1);
        break;
    case Key::PageDown: move(page); break;
    case Key::PageUp: move(-page); break;
    case Key::Home: move(-long(m_entries.size())); break;
    case Key::End: move(long(m_entries.size())); break;
    case Key::Left:
        if (alt)
            go_back();
        else
            context.handled = false;
        break;
    case Key::Right:
        if (alt)
            go_forward();
        else
            context.handled = false;
        break;
    case Key::BrowserBack: go_back(); break;
    case Key::BrowserForward: go_forward(); break;
    case Key::Backspace: go_up(); break;
    case Key::F5: reload(); break;
    case Key::Enter:
        if (auto p = m_selection.primary(); p && *p < m_entries.size())
            activate_path(m_entries[*p].path());
        break;
    case Key::Character:
        if (key.modifiers.primary() && (key.text == "h" || key.text == "H"))
            toggle_hidden();
        else if (key.modifiers.primary() && (key.text == "a" || key.text == "A")) {
            m_selection.select_all();
            mark_dirty();
        } else
            context.handled = false;
        break;
    default: context.handled = false; break;
    }
}

void FileExplorerWidget::handle_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context)
{
    if (auto* press = std::get_if<vask_ui::PointerPress>(&event)) {
        if (press->button == vask_ui::MouseButton::Back) {
            go_back();
        } else if (press->button == vask_ui::MouseButton::Forward) {
            go_forward();
        } else if (press->button == vask_ui::MouseButton::Primary && m_list_rect.contains(press->position)) {
            if (auto target = click_item(row_at(press->position), context.now))
                activate_path(*target);
        } else {
            return;
        }
        context.handled = true;
    } else if (auto* wheel = std::get_if<vask_ui::Wheel>(&event)) {
        float step = wheel->unit == vask_ui::WheelUnit::Lines ? wheel->dy * m_row_height * 3 : wheel->dy;
        m_scroll_offset = std::max(0.f, m_scroll_offset + step);
        mark_dirty();
        context.handled = true;
    } else if (auto* key = std::get_if<vask_ui::KeyPress>(&event)) {
        on_key(*key, context);
    }
}

std::optional<vask_ui::a11y::AccessNode> FileExplorerWidget::accessibility() const
{
    vask_ui::a11y::AccessNode root;
    root.role = vask_ui::a11y::Role::Window;
    root.name = i18n::message("files-app-title");
    root.bounds = bounds();
    vask_ui::a11y::AccessNode list;
    list.role = vask_ui::a11y::Role::List;
    list.name = vask_base::lossy_utf8(m_current);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        vask_ui::a11y::AccessNode item;
        item.role = vask_ui::a11y::Role::ListItem;
        item.name = m_entries[i].name;
        item.selected = m_selection.is_selected(i);
        list.children.push_back(std::move(item));
    }
    root.children.push_back(std::move(list));
    return root;
}

} // namespace file_explorer
