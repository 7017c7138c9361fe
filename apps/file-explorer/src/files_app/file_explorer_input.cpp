// Input: which part of the window sees an event first (sheet, menus, children, rename field,
// keyboard map), the translation of view events into actions, and the overlay pass that paints
// the status pill, the sheet and the menus.
#include <algorithm>

#include "command/key_map.hpp"
#include "command/menus.hpp"
#include "files_app/file_explorer_widget.hpp"
#include "platform/ui/widgets/button.hpp"

namespace file_explorer {

using vask_ui::Point;
using vask_ui::Rect;

namespace {

// The action a view event asks for.
ExplorerAction to_action(const ViewEvent& event)
{
    return std::visit(
        [](const auto& e) -> ExplorerAction {
            using E = std::decay_t<decltype(e)>;
            if constexpr (std::is_same_v<E, view_event::ItemPress>)
                return action::ItemPress{e.index, e.toggle, e.range};
            else if constexpr (std::is_same_v<E, view_event::ArmDrag>)
                return action::ArmDrag{e.position, e.path, e.is_dir};
            else if constexpr (std::is_same_v<E, view_event::StartDrag>)
                return action::StartDrag{e.path, e.is_dir};
            else if constexpr (std::is_same_v<E, view_event::SecondaryPress>)
                return action::SecondaryPress{e.index};
            else if constexpr (std::is_same_v<E, view_event::MoveSelection>)
                return action::MoveSelection{e.index, e.extend};
            else if constexpr (std::is_same_v<E, view_event::SortColumn>)
                return action::SortColumn{e.column};
            else if constexpr (std::is_same_v<E, view_event::OpenPath>)
                return action::OpenPath{e.path};
            else if constexpr (std::is_same_v<E, view_event::OpenItem>)
                return action::OpenItem{e.path};
            else if constexpr (std::is_same_v<E, view_event::RequestPlaceMenu>)
                return action::RequestPlaceMenu{e.path};
            else if constexpr (std::is_same_v<E, view_event::MoveFavourite>)
                return action::MoveFavourite{e.from, e.to};
            else {
                using view_event::ToolbarCommand;
                switch (e.command) {
                case ToolbarCommand::GoBack: return action::GoBack{};
                case ToolbarCommand::GoForward: return action::GoForward{};
                case ToolbarCommand::GoUp: return action::GoUp{};
                case ToolbarCommand::ViewList: return action::SetViewMode{ViewMode::List};
                case ToolbarCommand::ViewGrid: return action::SetViewMode{ViewMode::Grid};
                case ToolbarCommand::OpenSortMenu: return action::OpenSortMenu{};
                case ToolbarCommand::OpenViewMenu: return action::OpenViewMenu{};
                case ToolbarCommand::ExtractCurrentArchive: return action::ExtractCurrentArchive{};
                }
                return action::Reload{};
            }
        },
        event);
}

} // namespace

void FileExplorerWidget::apply_view_events()
{
    while (!m_view_events.empty()) {
        auto events = std::move(m_view_events);
        m_view_events.clear();
        for (const auto& event : events) {
            if (std::holds_alternative<view_event::OpenPath>(event))
                m_shell.set_sidebar_open(false); // a place chosen in the compact sidebar closes it
            const bool secondary = std::holds_alternative<view_event::SecondaryPress>(event);
            apply(to_action(event));
            if (secondary)
                open_context_menu(m_pointer);
        }
    }
}

void FileExplorerWidget::open_menu(vask_ui::ContextMenu& menu, Menu& entries, Menu items, Point at)
{
    if (!m_text || !m_theme)
        return;
    // Separators group items; one at either end or next to another would only draw a stray line.
    std::vector<vask_ui::ContextMenu::Item> shown;
    bool separate = false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].is_separator()) {
            separate = !shown.empty();
            continue;
        }
        if (separate)
            shown.push_back(vask_ui::ContextMenu::Item::separator_item());
        separate = false;
        shown.push_back({items[i].label, int(i), items[i].action.has_value(), items[i].checked, false});
    }
    if (&menu == &m_main_menu)
        m_template_menu.close();
    entries = std::move(items);
    menu.open(std::move(shown), at, bounds(), *m_text, *m_theme);
    mark_redraw();
}

void FileExplorerWidget::open_context_menu(Point at)
{
    open_menu(m_main_menu, m_main_menu_entries, file_context_menu(*this), at);
}

// While a sheet is open it takes every event: presses on its buttons, outside it, and keys.
void FileExplorerWidget::handle_sheet_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context)
{
    context.handled = true;
    const auto geometry = SheetGeometry::of(*m_sheet, bounds());
    if (auto* press = std::get_if<vask_ui::PointerPress>(&event)) {
        if (press->button != vask_ui::MouseButton::Primary)
            return;
        if (m_sheet->confirmation && geometry.confirm.contains(press->position)) {
            auto confirm = sheet_confirmation();
            close_sheet();
            if (confirm)
                apply(*confirm);
        } else if (!geometry.card.contains(press->position) || geometry.close.contains(press->position)) {
            apply(action::CloseSheet{});
        }
        return;
    }
    if (auto* key = std::get_if<vask_ui::KeyPress>(&event)) {
        if (key->key == vask_ui::Key::Escape) {
            apply(action::CloseSheet{});
        } else if (key->key == vask_ui::Key::Enter && m_sheet->confirmation) {
            auto confirm = sheet_confirmation();
            close_sheet();
            if (confirm)
                apply(*confirm);
        }
    }
}

// An open menu takes keys and presses; a chosen item applies its action.
bool FileExplorerWidget::handle_menu_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context)
{
    auto* menu = m_template_menu.is_open() ? &m_template_menu : m_main_menu.is_open() ? &m_main_menu : nullptr;
    if (!menu)
        return false;
    auto& entries = menu == &m_template_menu ? m_template_menu_entries : m_main_menu_entries;
    const bool takes = std::holds_alternative<vask_ui::KeyPress>(event) || std::holds_alternative<vask_ui::PointerPress>(event) ||
                       std::holds_alternative<vask_ui::PointerRelease>(event) || std::holds_alternative<vask_ui::PointerMove>(event);
    if (!takes)
        return false;
    menu->handle_event(event, context);
    mark_redraw();
    if (auto chosen = menu->take_chosen(); chosen && std::size_t(*chosen) < entries.size()) {
        // The menu closed; copy the action first, since applying it may open another menu.
        auto picked = entries[std::size_t(*chosen)].action;
        if (picked)
            apply(*picked);
    }
    return context.handled;
}

// While a rename is in progress, Enter commits, Escape cancels and other keys edit the name.
bool FileExplorerWidget::handle_rename_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context)
{
    if (!m_rename_index)
        return false;
    if (auto* key = std::get_if<vask_ui::KeyPress>(&event)) {
        if (key->key == vask_ui::Key::Escape)
            apply(action::CancelRename{});
        else if (key->key == vask_ui::Key::Enter)
            apply(action::CommitRename{});
        else
            m_rename_field.handle_event(event, context);
        context.handled = true;
        return true;
    }
    if (std::holds_alternative<vask_ui::TextCommit>(event)) {
        m_rename_field.handle_event(event, context);
        context.handled = true;
        return true;
    }
    auto position = vask_ui::pointer_position(event);
    const bool inside = position && m_rename_box && m_rename_box->contains(*position);
    if (auto* press = std::get_if<vask_ui::PointerPress>(&event); press && !inside) {
        // A press elsewhere ends the edit the way leaving a field does: the typed name is kept.
        apply(action::CommitRename{});
        return false;
    }
    if (inside || m_rename_field.wants_pointer_capture()) {
        m_rename_field.handle_event(event, context);
        return context.handled;
    }
    return false;
}

void FileExplorerWidget::run_key_command(const vask_ui::KeyPress& key, vask_ui::EventContext& context)
{
    auto command = key_command_for(*this, key);
    if (!command)
        return;
    context.handled = true;
    std::visit(
        [&](const auto& c) {
            using C = std::decay_t<decltype(c)>;
            if constexpr (std::is_same_v<C, ExplorerAction>) {
                apply(c);
            } else if constexpr (std::is_same_v<C, key_command::FocusLocation>) {
                m_toolbar.path_bar().begin_edit();
                mark_dirty();
            } else if constexpr (std::is_same_v<C, key_command::ResetItemSize>) {
                set_item_size(0);
            } else if constexpr (std::is_same_v<C, key_command::ClearSelection>) {
                m_selection.clear();
                m_last_click.reset();
                mark_dirty();
            } else {
                Point at{bounds().x + 24, bounds().y + 72};
                if (auto p = m_selection.primary(); p && m_view && *p < m_entries.size()) {
                    Rect row = m_view->item_rect(*p);
                    at = {row.x + 24, row.y + 24};
                }
                open_context_menu(at);
            }
        },
        *command);
}

void FileExplorerWidget::handle_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context)
{
    m_now = context.now;
    const std::optional<Point> position = vask_ui::pointer_position(event);
    if (position)
        m_pointer = *position;
    m_redraw = true;

    // The error panel's retry button, and Enter or Space, load the folder again.
    if (m_load_error && !m_sheet) {
        if (auto* key = std::get_if<vask_ui::KeyPress>(&event);
            key && key->modifiers.none() && (key->key == vask_ui::Key::Enter || key->key == vask_ui::Key::Space)) {
            apply(action::Reload{});
            context.handled = true;
            return;
        }
        if (!std::holds_alternative<vask_ui::KeyPress>(event)) {
            m_retry.handle_event(event, context);
            if (context.handled)
                return;
        }
    }
    if (m_sheet) {
        handle_sheet_event(event, context);
        return;
    }
    if (handle_drag_event(event, context)) {
        apply_view_events();
        return;
    }
    // A narrow window's sidebar, opened over the content, sees events first.
    if (m_shell.is_compact() && m_shell.shows_sidebar()) {
        m_shell.handle_event(event, context);
        if (context.handled) {
            apply_view_events();
            return;
        }
    }
    if (handle_menu_event(event, context))
        return;

    if (auto* press = std::get_if<vask_ui::PointerPress>(&event)) {
        if (press->button == vask_ui::MouseButton::Back || press->button == vask_ui::MouseButton::Forward) {
            apply(press->button == vask_ui::MouseButton::Back ? ExplorerAction{action::GoBack{}} : ExplorerAction{action::GoForward{}});
            context.handled = true;
            return;
        }
        if (m_sidebar && press->button == vask_ui::MouseButton::Primary) {
            // Keyboard focus follows the pointer between the places and the file view.
            bool on_places = m_shell.shows_sidebar() && m_sidebar->bounds().contains(press->position);
            if (on_places != m_places.focused) {
                m_sidebar->set_focus(on_places);
                mark_dirty();
            }
        }
    }
    if (auto* wheel = std::get_if<vask_ui::Wheel>(&event); wheel && wheel->modifiers.primary() && wheel->dy != 0) {
        apply(wheel->dy > 0 ? ExplorerAction{action::ZoomIn{}} : ExplorerAction{action::ZoomOut{}});
        context.handled = true;
        return;
    }
    if (handle_rename_event(event, context))
        return;

    // Pointer moves and releases reach every child so hover and presses end cleanly.
    const bool broadcast = std::holds_alternative<vask_ui::PointerMove>(event) ||
                           std::holds_alternative<vask_ui::PointerRelease>(event) ||
                           std::holds_alternative<vask_ui::PointerLeave>(event);
    // While the path is being edited the toolbar sees everything first: keys type into the
    // editor and a press elsewhere ends the edit.
    const bool editing = m_toolbar.path_bar().is_editing();
    const bool on_toolbar = position && m_toolbar.bounds().contains(*position);
    if (editing || broadcast || on_toolbar)
        m_toolbar.handle_event(event, context);
    if (!context.handled && !on_toolbar)
        m_shell.handle_event(event, context);
    if (!context.handled) {
        if (auto* press = std::get_if<vask_ui::PointerPress>(&event); press && m_list_rect.contains(press->position)) {
            if (press->button == vask_ui::MouseButton::Primary) {
                click_item(std::nullopt, context.now); // a press on empty space
                context.handled = true;
            } else if (press->button == vask_ui::MouseButton::Secondary) {
                apply(action::SecondaryPress{std::nullopt});
                open_context_menu(press->position);
                context.handled = true;
            }
        } else if (auto* key = std::get_if<vask_ui::KeyPress>(&event)) {
            run_key_command(*key, context);
        }
    }
    apply_view_events();
}

void FileExplorerWidget::draw_status_pill(vask_ui::Scene& scene, const vask_ui::DrawContext& context)
{
    std::string line = status_line();
    if (line != m_bubble_text) {
        m_bubble_text = line;
        m_bubble.poke(line, context.now);
    }
    if (line.empty())
        return;
    const Rect area = bounds();
    const float margin = context.theme.margin;
    const auto size = m_bubble.pill_size(context.text, context.theme, area.width - 2 * margin);
    const Rect pill{area.right() - margin - size.width, area.bottom() - margin - size.height, size.width, size.height};
    const Rect hover_zone{pill.x - 40, pill.y - 24, area.right() - (pill.x - 40), area.bottom() - (pill.y - 24)};
    const bool pointer_near = m_pointer.x >= hover_zone.x && m_pointer.y >= hover_zone.y && m_pointer.x < area.right() &&
                              m_pointer.y < area.bottom();
    m_bubble.set_hovered(m_archive.has_value() || pointer_near, context.now);
    float alpha = m_bubble.opacity(context.now);
    if (!context.theme.fade_status && alpha > 0)
        alpha = 1;
    m_bubble.draw_at(scene, context, pill, alpha);
}

void FileExplorerWidget::draw_overlay(vask_ui::Scene& scene, const vask_ui::DrawContext& context)
{
    m_toolbar.draw_overlay(scene, context);
    m_shell.draw_overlay(scene, context);
    if (!(m_shell.is_compact() && m_shell.shows_sidebar()))
        draw_status_pill(scene, context);
    if (m_sheet)
        paint_sheet(scene, context, *m_sheet, bounds());
    if (m_main_menu.is_open())
        m_main_menu.draw_overlay(scene, context);
    if (m_template_menu.is_open())
        m_template_menu.draw_overlay(scene, context);
    draw_drag(scene, context);
}

} // namespace file_explorer
