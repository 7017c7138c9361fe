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
        in.rename_index = m_rename_index;
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
    m_text = &context.text;
    m_theme = &context.theme;
    return root;
}

void FileExplorerWidget::apply_layout(const vask_ui::LayoutTree& tree, vask_ui::LayoutNodeId node)
{
    Widget::apply_layout(tree, node);
    m_toolbar.apply_layout(tree, m_toolbar_node);
    m_shell.set_bounds(tree.layout(m_shell_node));
    m_shell.apply_layout(tree, m_shell_node);
    m_list_rect = m_shell.overview_content_rect();
}

std::vector<const vask_ui::Widget*> FileExplorerWidget::children() const
{
    if (m_sheet)
        return {};
    return {&m_toolbar, &m_shell, &m_main_menu, &m_template_menu};
}

std::size_t FileExplorerWidget::page_rows() const
{
    const float row = m_view ? m_view->metrics().row_height() : 34;
    return row > 0 ? std::size_t(std::max(1L, long(m_list_rect.height / row) - 2)) : 1;
}

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
    scene.fill_rect(bounds(), theme.surface);
    m_shell.draw(scene, context);

    if (m_load_error || m_loading) {
        draw_state_panel(scene, context);
    } else if (m_entries.empty() && m_list_rect.width > 1 && m_list_rect.height > 1) {
        const float cx = m_list_rect.x + m_list_rect.width / 2, cy = m_list_rect.y + m_list_rect.height / 2;
        draw_place_icon(scene, is_trash() ? PlaceIcon::Trash : PlaceIcon::Folder, {cx - 20, cy - 50, 40, 40}, theme.text_muted, 1.5f);
        std::string empty = i18n::message(is_trash() ? "files-empty-trash" : "files-empty-folder");
        float w = text.width(empty, theme.body);
        scene.text(empty, {cx - w / 2, cy - 0.2f * theme.body.size, w + 2, text.line_height(theme.body)}, theme.body,
                   theme.text_muted);
    }
    m_toolbar.draw(scene, context);

    if (m_rename_index && m_rename_box) {
        m_rename_field.place(*m_rename_box);
        scene.fill_rect(*m_rename_box, theme.surface, theme.radius);
        m_rename_field.draw(scene, context);
    }
    m_dirty = false;
    m_redraw = false;
}

std::string short_load_error(const std::string& error)
{
    auto colon = error.find(": ");
    std::string part = colon == std::string::npos ? error : error.substr(colon + 2);
    auto starts = vask_base::char_starts(part);
    if (starts.size() <= 26)
        return part;
    return part.substr(0, starts[25]) + "\u2026";
}

std::string short_panel_path(const std::string& path, std::size_t limit)
{
    auto starts = vask_base::char_starts(path);
    if (starts.size() <= limit || limit == 0)
        return path;
    return "\u2026" + path.substr(starts[starts.size() - (limit - 1)]);
}

void FileExplorerWidget::draw_state_panel(vask_ui::Scene& scene, const vask_ui::DrawContext& context)
{
    if (m_list_rect.width <= 1 || m_list_rect.height <= 1)
        return;
    const std::string path = short_panel_path(vask_base::lossy_utf8(m_current), m_loading ? 36 : 22);
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

} // namespace file_explorer
