// The window's composition: the toolbar on top, the navigation shell with the places sidebar and
// the scrolled file view (or a state panel), the status line at the bottom; and the input that
// reaches them.
#include <algorithm>
#include <cmath>

#include "files_app/file_explorer_widget.hpp"
#include "i18n/messages.hpp"
#include "platform/base/utf8.hpp"
#include "platform/ui/gesture.hpp"
#include "platform/ui/icons.hpp"
#include "platform/ui/widgets/empty_state.hpp"

namespace file_explorer {

using vask_ui::Point;
using vask_ui::Rect;

float FileExplorerWidget::compact_breakpoint() const
{
    return std::max(640.f + 900.f * std::max(m_text_scale - 1.f, 0.f), 1.f);
}

vask_ui::LayoutNodeId FileExplorerWidget::build_layout(vask_ui::LayoutTree& tree, const vask_ui::LayoutContext& context)
{
    using namespace vask_ui;
    m_text_scale = context.text.text_scale();
    const bool can_up = m_current.has_relative_path();
    m_toolbar.set_state(!m_back.empty(), !m_forward.empty(), can_up, m_view_mode == ViewMode::Grid, archive().has_value());
    m_toolbar.path_bar().set_location(m_current, m_env.home.empty() ? std::nullopt : std::optional(m_env.home), roots());

    m_shell.set_compact_breakpoint(compact_breakpoint());
    // The shell spans the window's width; knowing it now lets the first build pick the arrangement.
    m_shell.set_bounds({bounds().x, m_shell.bounds().y, bounds().width, m_shell.bounds().height});
    auto sidebar = std::make_unique<PlacesSidebar>(m_favourites.items(), system_places(m_env.trash_files_dir), m_current,
                                                   m_places, m_view_events);
    m_sidebar = sidebar.get();
    m_shell.set_sidebar(std::move(sidebar));

    m_view = nullptr;
    m_scrollable = nullptr;
    if (m_loading || m_load_error) {
        m_shell.set_content(std::make_unique<Spacer>());
    } else {
        FileViewInputs in;
        in.entries = &m_entries;
        in.selection = &m_selection;
        in.mode = m_view_mode;
        in.sort_key = m_sort_by;
        in.descending = m_sort_order == SortOrder::Descending;
        in.item_size_step = m_item_size_step;
        in.text_scale = m_text_scale;
        in.cursor = m_selection.primary();
        in.focused = !m_places.focused && !m_toolbar.path_bar().is_editing();
        in.events = &m_view_events;
        in.drop_targets = &m_drop_targets;
        in.rename_editor_box = &m_rename_box;
        auto view = std::make_unique<FileView>(in);
        m_view = view.get();
        auto scrollable = Scrollable::with_persisted_offset(std::move(view), m_scroll_offset);
        m_scrollable = scrollable.get();
        auto column = std::make_unique<Column>();
        column->add(std::move(scrollable));
        m_shell.set_content(std::move(column));
    }

    LayoutStyle column;
    column.direction = FlexDirection::Column;
    column.width = Dimension::percent(100);
    column.height = Dimension::percent(100);
    auto root = tree.add_node(column);
    m_toolbar_node = m_toolbar.build_layout(tree, context);
    tree.add_child(root, m_toolbar_node);
    m_shell_node = m_shell.build_layout(tree, context);
    tree.add_child(root, m_shell_node);

    LayoutStyle status;
    status.width = Dimension::percent(100);
    status.height = Dimension::points(std::round(context.text.line_height(context.theme.caption) + 14));
    status.flex_shrink = 0;
    m_status_node = tree.add_node(status);
    tree.add_child(root, m_status_node);
    return root;
}

void FileExplorerWidget::apply_layout(const vask_ui::LayoutTree& tree, vask_ui::LayoutNodeId node)
{
    Widget::apply_layout(tree, node);
    m_toolbar.apply_layout(tree, m_toolbar_node);
    m_shell.set_bounds(tree.layout(m_shell_node));
    m_shell.apply_layout(tree, m_shell_node);
    m_list_rect = m_shell.overview_content_rect();
    m_status_rect = tree.layout(m_status_node);
}

std::vector<const vask_ui::Widget*> FileExplorerWidget::children() const { return {&m_toolbar, &m_shell}; }

void FileExplorerWidget::ensure_visible(std::size_t index)
{
    if (!m_view || !m_scrollable)
        return;
    float header = m_view_mode == ViewMode::List ? m_view->metrics().header_height() : 0;
    m_scrollable->scroll_to_show(m_view->item_rect(index), header);
}

void FileExplorerWidget::draw(vask_ui::Scene& scene, const vask_ui::DrawContext& context)
{
    const auto& theme = context.theme;
    const auto& text = context.text;
    const float pad = 16;

    scene.fill_rect(bounds(), theme.surface);
    m_shell.draw(scene, context);
    if (m_load_error || m_loading) {
        draw_state_panel(scene, context);
    } else if (m_entries.empty() && m_list_rect.width > 1 && m_list_rect.height > 1) {
        const float cx = m_list_rect.x + m_list_rect.width / 2, cy = m_list_rect.y + m_list_rect.height / 2;
        vask_ui::icons::draw(scene, vask_ui::icons::IconKind::Folder, {cx - 20, cy - 50, 40, 40}, theme);
        std::string empty = i18n::message(is_trash() ? "files-empty-trash" : "files-empty-folder");
        float w = text.width(empty, theme.body);
        scene.text(empty, {cx - w / 2, cy - 0.2f * theme.body.size, w + 2, text.line_height(theme.body)}, theme.body,
                   theme.text_muted);
    }
    m_toolbar.draw(scene, context);

    Rect status = m_status_rect;
    scene.fill_rect(status, theme.window);
    scene.line({status.x, status.y + 0.5f}, {status.right(), status.y + 0.5f}, theme.border);
    scene.text(text.elide_end(status_line(), theme.caption, status.width - 2 * pad),
               {status.x + pad, status.y, status.width - 2 * pad, status.height}, theme.caption, theme.text_muted);
    m_dirty = false;
    m_redraw = false;
}

std::string short_load_error(const std::string& error)
{
    auto colon = error.find(": ");
    std::string part = colon == std::string::npos ? error : error.substr(colon + 2);
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < part.size(); ++i)
        if ((static_cast<unsigned char>(part[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    if (starts.size() <= 26)
        return part;
    return part.substr(0, starts[25]) + "\u2026";
}

void FileExplorerWidget::draw_state_panel(vask_ui::Scene& scene, const vask_ui::DrawContext& context)
{
    if (m_list_rect.width <= 1 || m_list_rect.height <= 1)
        return;
    const std::string path = vask_base::lossy_utf8(m_current);
    if (m_loading) {
        vask_ui::paint_empty_state(scene, context, m_list_rect,
                                   {std::nullopt, i18n::message("files-loading-title"),
                                    i18n::message_with_args("files-loading-detail", {{"path", path}}), std::nullopt});
        const float cx = m_list_rect.x + m_list_rect.width / 2, cy = m_list_rect.y + m_list_rect.height / 2;
        m_spinner.set_bounds({cx - 14, cy - 76, 28, 28});
        m_spinner.draw(scene, context);
        return;
    }
    auto action = vask_ui::paint_empty_state(
        scene, context, m_list_rect,
        {vask_ui::Glyph::Close, i18n::message("files-load-error-title"),
         i18n::message_with_args("files-load-error-detail", {{"error", short_load_error(*m_load_error)}, {"path", path}}),
         i18n::message("files-try-again")});
    if (action) {
        m_retry.set_bounds(*action);
        scene.fill_rect(*action, context.theme.accent, context.theme.radius);
        float w = context.text.width(i18n::message("files-try-again"), context.theme.body);
        scene.text(i18n::message("files-try-again"), {action->x + (action->width - w) / 2, action->y, w + 2, action->height},
                   context.theme.body, context.theme.accent_text);
    }
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
        } else if (auto* open = std::get_if<view_event::OpenPath>(&event)) {
            m_shell.set_sidebar_open(false);
            open_path(open->path);
        } else if (auto* item = std::get_if<view_event::OpenItem>(&event)) {
            activate_path(item->path);
        } else if (auto* reorder = std::get_if<view_event::MoveFavourite>(&event)) {
            m_favourites.move(reorder->from, reorder->to);
            m_favourites.save(m_env.config_dir);
            mark_dirty();
        } else if (auto* button = std::get_if<view_event::Toolbar>(&event)) {
            using view_event::ToolbarCommand;
            switch (button->command) {
            case ToolbarCommand::GoBack: go_back(); break;
            case ToolbarCommand::GoForward: go_forward(); break;
            case ToolbarCommand::GoUp: go_up(); break;
            case ToolbarCommand::ViewList: set_view_mode(ViewMode::List); break;
            case ToolbarCommand::ViewGrid: set_view_mode(ViewMode::Grid); break;
            // Menus and archive extraction arrive with the operation hub.
            case ToolbarCommand::OpenSortMenu:
            case ToolbarCommand::OpenViewMenu:
            case ToolbarCommand::ExtractCurrentArchive: break;
            }
        } else if (auto* move = std::get_if<view_event::MoveSelection>(&event)) {
            m_selection.move_to(move->index, move->extend ? vask_ui::SelectionModel::Extend::Yes
                                                          : vask_ui::SelectionModel::Extend::No);
            ensure_visible(move->index);
            mark_dirty();
        }
        // Secondary presses and place menus open context menus, and armed presses may become
        // drags; those arrive with menus and drag and drop.
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
    float row = m_view ? m_view->metrics().row_height() : 34;
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
        } else if (key.modifiers.primary() && (key.text == "l" || key.text == "L")) {
            m_toolbar.path_bar().begin_edit();
        } else {
            context.handled = false;
        }
        break;
    default: context.handled = false; break;
    }
}

void FileExplorerWidget::handle_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context)
{
    const std::optional<Point> position = vask_ui::pointer_position(event);
    // Pointer moves and releases reach every child so hover and presses end cleanly.
    const bool broadcast = std::holds_alternative<vask_ui::PointerMove>(event) ||
                           std::holds_alternative<vask_ui::PointerRelease>(event) ||
                           std::holds_alternative<vask_ui::PointerLeave>(event);
    if (auto* press = std::get_if<vask_ui::PointerPress>(&event)) {
        if (press->button == vask_ui::MouseButton::Back || press->button == vask_ui::MouseButton::Forward) {
            press->button == vask_ui::MouseButton::Back ? go_back() : go_forward();
            context.handled = true;
        } else if (m_sidebar && press->button == vask_ui::MouseButton::Primary) {
            // Keyboard focus follows the pointer between the places and the file view.
            bool on_places = m_shell.shows_sidebar() && m_sidebar->bounds().contains(press->position);
            if (on_places != m_places.focused) {
                m_sidebar->set_focus(on_places);
                mark_dirty();
            }
        }
    }
    // While the path is being edited the toolbar sees everything first: keys type into the
    // editor and a press elsewhere ends the edit.
    const bool editing = m_toolbar.path_bar().is_editing();
    if (!context.handled && (editing || broadcast || (position && m_toolbar.bounds().contains(*position))))
        m_toolbar.handle_event(event, context);
    if (!context.handled && m_load_error) {
        // The error panel's retry button, and Enter or Space, load the folder again.
        if (auto* key = std::get_if<vask_ui::KeyPress>(&event);
            key && key->modifiers.none() && (key->key == vask_ui::Key::Enter || key->key == vask_ui::Key::Space)) {
            reload();
            context.handled = true;
        } else if (!std::holds_alternative<vask_ui::KeyPress>(event)) {
            m_retry.handle_event(event, context);
        }
    }
    if (!context.handled && !(position && m_toolbar.bounds().contains(*position)))
        m_shell.handle_event(event, context);
    if (!context.handled) {
        if (auto* press = std::get_if<vask_ui::PointerPress>(&event);
            press && press->button == vask_ui::MouseButton::Primary && m_list_rect.contains(press->position)) {
            click_item(std::nullopt, context.now); // a press on empty space
            context.handled = true;
        } else if (auto* key = std::get_if<vask_ui::KeyPress>(&event)) {
            on_key(*key, context);
        }
    }
    apply_view_events(context.now);
    m_redraw = true;
}

void FileExplorerWidget::draw_overlay(vask_ui::Scene& scene, const vask_ui::DrawContext& context)
{
    m_toolbar.draw_overlay(scene, context);
    m_shell.draw_overlay(scene, context);
}

std::optional<vask_ui::a11y::AccessNode> FileExplorerWidget::accessibility() const
{
    vask_ui::a11y::AccessNode root;
    root.role = vask_ui::a11y::Role::Window;
    root.name = i18n::message("files-app-title");
    root.bounds = bounds();
    for (const auto* child : children())
        if (auto node = child->accessibility())
            root.children.push_back(std::move(*node));
    return root;
}

} // namespace file_explorer
