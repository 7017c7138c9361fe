// The window as the explorer paints it until the full composition arrives: the location header,
// the file view scrolled inside its pane, and the status line; plus the input that reaches them.
#include <algorithm>
#include <cmath>

#include "files_app/file_explorer_widget.hpp"
#include "i18n/messages.hpp"
#include "platform/base/utf8.hpp"
#include "platform/ui/gesture.hpp"

namespace file_explorer {

using vask_ui::Point;
using vask_ui::Rect;

struct FileExplorerWidget::Panes {
    Rect header;
    Rect list;
    Rect status;
};

FileExplorerWidget::Panes FileExplorerWidget::panes(const vask_ui::TextRenderer& text, const vask_ui::Theme& theme) const
{
    Rect b = bounds();
    float header_h = std::round(text.line_height(theme.heading) + 24);
    float status_h = std::round(text.line_height(theme.caption) + 14);
    Panes p;
    p.header = {b.x, b.y, b.width, header_h};
    p.status = {b.x, b.bottom() - status_h, b.width, status_h};
    p.list = {b.x, p.header.bottom(), b.width, std::max(0.f, p.status.y - p.header.bottom())};
    return p;
}

vask_ui::LayoutNodeId FileExplorerWidget::build_layout(vask_ui::LayoutTree& tree, const vask_ui::LayoutContext& context)
{
    m_view_stale = true;
    return Widget::build_layout(tree, context);
}

FileView& FileExplorerWidget::file_view()
{
    if (!m_view || m_view_stale) {
        FileViewInputs in;
        in.entries = &m_entries;
        in.selection = &m_selection;
        in.mode = m_view_mode;
        in.sort_key = m_sort_by;
        in.descending = m_sort_order == SortOrder::Descending;
        in.item_size_step = m_item_size_step;
        in.cursor = m_selection.primary();
        in.focused = true;
        in.events = &m_view_events;
        in.drop_targets = &m_drop_targets;
        in.rename_editor_box = &m_rename_box;
        m_view = std::make_unique<FileView>(in);
        m_view_stale = false;
        place_file_view();
    }
    return *m_view;
}

// Lays the file view out inside its pane at the current scroll offset.
void FileExplorerWidget::place_file_view()
{
    if (!m_view)
        return;
    float content = m_view->content_height(m_list_rect.width);
    m_scroll_offset = std::clamp(m_scroll_offset, 0.f, std::max(0.f, content - m_list_rect.height));
    m_view->set_view_bounds({m_list_rect.x, m_list_rect.y - m_scroll_offset, m_list_rect.width, content});
    m_view->set_visible_clip(m_list_rect);
}

void FileExplorerWidget::ensure_visible(std::size_t index)
{
    auto& view = file_view();
    Rect item = view.item_rect(index);
    float top = item.y - view.bounds().y;
    float header = m_view_mode == ViewMode::List ? view.metrics().header_height() : 0;
    if (top - header < m_scroll_offset)
        m_scroll_offset = top - header;
    else if (top + item.height > m_scroll_offset + m_list_rect.height)
        m_scroll_offset = top + item.height - m_list_rect.height;
    place_file_view();
}

void FileExplorerWidget::draw(vask_ui::Scene& scene, const vask_ui::DrawContext& context)
{
    const auto& theme = context.theme;
    const auto& text = context.text;
    auto p = panes(text, theme);
    const float pad = 16;
    if (!(p.list == m_list_rect)) {
        m_list_rect = p.list;
        m_view_stale = true;
    }
    auto& view = file_view();
    place_file_view();

    scene.fill_rect(bounds(), theme.surface);
    scene.push_clip(p.list);
    view.draw(scene, context);
    scene.pop_clip();

    if (m_load_error) {
        Rect panel{p.list.x + pad, p.list.y + view.metrics().header_height() + pad, p.list.width - 2 * pad,
                   text.line_height(theme.body) * 2};
        scene.text(text.elide_end(*m_load_error, theme.body, panel.width), panel, theme.body, theme.error);
    } else if (m_entries.empty()) {
        std::string empty = i18n::message(is_trash() ? "files-empty-trash" : "files-empty-folder");
        float w = text.width(empty, theme.body);
        scene.text(empty, {p.list.x + (p.list.width - w) / 2, p.list.y, w + 2, p.list.height / 2}, theme.body, theme.text_muted);
    }

    scene.fill_rect(p.header, theme.window);
    std::string location = vask_base::lossy_utf8(m_current);
    scene.text(text.elide_middle(location, theme.heading, p.header.width - 2 * pad),
               {p.header.x + pad, p.header.y, p.header.width - 2 * pad, p.header.height}, theme.heading, theme.text);
    scene.line({p.header.x, p.header.bottom() - 0.5f}, {p.header.right(), p.header.bottom() - 0.5f}, theme.border);

    scene.fill_rect(p.status, theme.window);
    scene.line({p.status.x, p.status.y + 0.5f}, {p.status.right(), p.status.y + 0.5f}, theme.border);
    scene.text(text.elide_end(status_line(), theme.caption, p.status.width - 2 * pad),
               {p.status.x + pad, p.status.y, p.status.width - 2 * pad, p.status.height}, theme.caption, theme.text_muted);
    m_dirty = false;
    m_redraw = false;
}

void FileExplorerWidget::apply_view_events(vask_ui::Clock::time_point now)
{
    auto events = std::move(m_view_events);
    m_view_events.clear();
    for (const auto& event : events) {
        if (auto* press = std::get_if<view_event::ItemPress>(&event)) {
            if (press->toggle || press->range) {
                m_last_click.reset();
                mark_dirty();
            } else if (auto target = click_item(press->index, now)) {
                activate_path(*target);
            }
        } else if (auto* sort = std::get_if<view_event::SortColumn>(&event)) {
            SortKey key = sort->column == 1 ? SortKey::Name : sort->column == 2 ? SortKey::Size : SortKey::Modified;
            if (key == m_sort_by)
                toggle_sort_order();
            else
                set_sort_by(key);
        } else if (auto* move = std::get_if<view_event::MoveSelection>(&event)) {
            m_selection.move_to(move->index, move->extend ? vask_ui::SelectionModel::Extend::Yes
                                                          : vask_ui::SelectionModel::Extend::No);
            ensure_visible(move->index);
            mark_dirty();
        }
        // Secondary presses open the context menu and armed presses may become drags; both arrive
        // with menus and drag and drop.
    }
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
    float row = file_view().metrics().row_height();
    long page = row > 0 ? std::max(1L, long(m_list_rect.height / row) - 2) : 1;
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
        if (key.modifiers.primary() && (key.text == "h" || key.text == "H")) {
            toggle_hidden();
        } else if (key.modifiers.primary() && (key.text == "a" || key.text == "A")) {
            m_selection.select_all();
            mark_dirty();
        } else if (key.modifiers.primary() && key.text == "1") {
            set_view_mode(ViewMode::List);
        } else if (key.modifiers.primary() && key.text == "2") {
            set_view_mode(ViewMode::Grid);
        } else if (key.modifiers.primary() && (key.text == "+" || key.text == "=")) {
            set_item_size(m_item_size_step + 1);
        } else if (key.modifiers.primary() && (key.text == "-" || key.text == "_")) {
            set_item_size(m_item_size_step - 1);
        } else if (key.modifiers.primary() && key.text == "0") {
            set_item_size(0);
        } else {
            context.handled = false;
        }
        break;
    default: context.handled = false; break;
    }
}

void FileExplorerWidget::handle_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context)
{
    auto& view = file_view();
    if (auto* press = std::get_if<vask_ui::PointerPress>(&event)) {
        if (press->button == vask_ui::MouseButton::Back) {
            go_back();
            context.handled = true;
            return;
        }
        if (press->button == vask_ui::MouseButton::Forward) {
            go_forward();
            context.handled = true;
            return;
        }
        if (!m_list_rect.contains(press->position))
            return;
        view.handle_event(event, context);
        if (!context.handled && press->button == vask_ui::MouseButton::Primary) {
            click_item(std::nullopt, context.now);
            context.handled = true;
        }
    } else if (auto* wheel = std::get_if<vask_ui::Wheel>(&event)) {
        float step = wheel->unit == vask_ui::WheelUnit::Lines ? wheel->dy * view.metrics().row_height() * 3 : wheel->dy;
        m_scroll_offset = std::max(0.f, m_scroll_offset + step);
        place_file_view();
        context.handled = true;
    } else if (auto* key = std::get_if<vask_ui::KeyPress>(&event)) {
        view.handle_event(event, context);
        if (!context.handled)
            on_key(*key, context);
    } else {
        view.handle_event(event, context);
    }
    apply_view_events(context.now);
    m_redraw = true;
}

std::optional<vask_ui::a11y::AccessNode> FileExplorerWidget::accessibility() const
{
    vask_ui::a11y::AccessNode root;
    root.role = vask_ui::a11y::Role::Window;
    root.name = i18n::message("files-app-title");
    root.bounds = bounds();
    if (m_view)
        if (auto list = m_view->accessibility())
            root.children.push_back(std::move(*list));
    return root;
}

} // namespace file_explorer
