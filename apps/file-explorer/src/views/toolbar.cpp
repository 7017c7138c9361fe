#include "views/toolbar.hpp"

#include <utility>

#include "i18n/messages.hpp"

namespace file_explorer {

using vask_ui::Glyph;
using view_event::ToolbarCommand;

void FileToolbar::set_state(bool can_go_back, bool can_go_forward, bool can_go_up, bool grid, bool in_archive)
{
    m_can_back = can_go_back;
    m_can_forward = can_go_forward;
    m_can_up = can_go_up;
    m_grid = grid;
    m_in_archive = in_archive;
}

std::unique_ptr<vask_ui::Button> FileToolbar::button(const char* id, const char* name_id, Glyph glyph, ToolbarCommand command,
                                                     bool enabled, const char* label_id)
{
    auto b = std::make_unique<vask_ui::Button>(id, i18n::message(name_id), glyph, label_id ? i18n::message(label_id) : "");
    b->set_enabled(enabled);
    b->on_click = [this, command] { post(m_events, view_event::Toolbar{command}); };
    return b;
}

vask_ui::LayoutNodeId FileToolbar::build_layout(vask_ui::LayoutTree& tree, const vask_ui::LayoutContext& context)
{
    m_left.clear();
    m_right.clear();
    m_left.push_back(button("files.back", "files-back", Glyph::Back, ToolbarCommand::GoBack, m_can_back));
    if (!m_compact)
        m_left.push_back(button("files.forward", "files-forward", Glyph::Forward, ToolbarCommand::GoForward, m_can_forward));
    m_left.push_back(button("files.up", "files-up", Glyph::Up, ToolbarCommand::GoUp, m_can_up));

    if (!m_compact) {
        auto toggle = std::make_unique<vask_ui::ToggleGroup>(
            "files.view-mode",
            std::vector<vask_ui::ToggleGroup::Segment>{{i18n::message("files-view-list"), Glyph::List},
                                                       {i18n::message("files-view-grid"), Glyph::Grid}},
            m_grid ? 1 : 0);
        toggle->on_select = [this](std::size_t i) {
            post(m_events, view_event::Toolbar{i == 0 ? ToolbarCommand::ViewList : ToolbarCommand::ViewGrid});
        };
        m_right.push_back(std::move(toggle));
        if (m_grid) {
            auto sort = button("files.sort_menu", "files-sort-by", Glyph::Sort, ToolbarCommand::OpenSortMenu, true, "files-sort-by");
            sort->set_fixed_size({104, 32});
            m_right.push_back(std::move(sort));
        }
    }
    if (m_in_archive) {
        auto extract = button("files.archive.extract", "files-archive-extract", Glyph::Extract,
                              ToolbarCommand::ExtractCurrentArchive, true, m_compact ? nullptr : "files-archive-extract");
        extract->set_fixed_size(m_compact ? vask_ui::Size{36, 32} : vask_ui::Size{104, 32});
        m_right.push_back(std::move(extract));
    } else {
        m_right.push_back(button("files.view_menu", "files-view-options", Glyph::Menu, ToolbarCommand::OpenViewMenu));
    }

    vask_ui::LayoutStyle row;
    row.direction = vask_ui::FlexDirection::Row;
    row.width = vask_ui::Dimension::percent(100);
    row.height = vask_ui::Dimension::points(52);
    row.flex_shrink = 0;
    row.padding = vask_ui::Edges::symmetric(12, 9);
    row.gap = 6;
    row.align_items = vask_ui::AlignItems::Center;
    auto node = tree.add_node(row);
    m_left_nodes.clear();
    m_right_nodes.clear();
    for (auto& w : m_left)
        tree.add_child(node, m_left_nodes.emplace_back(w->build_layout(tree, context)));
    m_path_node = m_path_bar.build_layout(tree, context);
    tree.add_child(node, m_path_node);
    for (auto& w : m_right)
        tree.add_child(node, m_right_nodes.emplace_back(w->build_layout(tree, context)));
    return node;
}

void FileToolbar::apply_layout(const vask_ui::LayoutTree& tree, vask_ui::LayoutNodeId node)
{
    Widget::apply_layout(tree, node);
    for (std::size_t i = 0; i < m_left.size(); ++i)
        m_left[i]->apply_layout(tree, m_left_nodes[i]);
    m_path_bar.apply_layout(tree, m_path_node);
    for (std::size_t i = 0; i < m_right.size(); ++i)
        m_right[i]->apply_layout(tree, m_right_nodes[i]);
    const bool compact = bounds().width < kCompactWidth;
    if (compact != m_compact) {
        m_compact = compact;
        m_structure_changed = true;
    }
}

bool FileToolbar::take_structure_dirty()
{
    return std::exchange(m_structure_changed, false);
}

void FileToolbar::draw(vask_ui::Scene& scene, const vask_ui::DrawContext& context)
{
    scene.fill_rect(bounds(), context.theme.window);
    scene.push_clip(bounds());
    for (auto& w : m_left)
        w->draw(scene, context);
    m_path_bar.draw(scene, context);
    for (auto& w : m_right)
        w->draw(scene, context);
    scene.pop_clip();
    scene.line({bounds().x, bounds().bottom() - 0.5f}, {bounds().right(), bounds().bottom() - 0.5f}, context.theme.border);
}

void FileToolbar::handle_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context)
{
    m_path_bar.handle_event(event, context);
    for (auto* list : {&m_left, &m_right})
        for (auto& w : *list) {
            if (context.handled)
                return;
            w->handle_event(event, context);
        }
}

std::vector<const vask_ui::Widget*> FileToolbar::children() const
{
    std::vector<const vask_ui::Widget*> out;
    for (auto& w : m_left)
        out.push_back(w.get());
    out.push_back(&m_path_bar);
    for (auto& w : m_right)
        out.push_back(w.get());
    return out;
}

std::optional<vask_ui::Rect> FileToolbar::control_rect(std::string_view control_id) const
{
    for (const auto* side : {&m_left, &m_right})
        for (const auto& w : *side)
            if (auto* b = dynamic_cast<const vask_ui::Button*>(w.get()); b && b->control_id() == control_id)
                return b->bounds();
    return std::nullopt;
}

bool FileToolbar::invoke_control(std::string_view control_id)
{
    for (auto* side : {&m_left, &m_right})
        for (auto& w : *side)
            if (auto* b = dynamic_cast<vask_ui::Button*>(w.get()); b && b->control_id() == control_id)
                return b->perform_action("press");
    return false;
}

std::vector<std::string> FileToolbar::control_ids() const
{
    std::vector<std::string> ids;
    for (const auto* child : children())
        if (auto node = child->accessibility(); node && !node->control_id.empty())
            ids.push_back(node->control_id);
    return ids;
}

std::optional<vask_ui::a11y::AccessNode> FileToolbar::accessibility() const
{
    vask_ui::a11y::AccessNode bar;
    bar.role = vask_ui::a11y::Role::Toolbar;
    bar.bounds = bounds();
    for (const auto* child : children())
        if (auto node = child->accessibility())
            bar.children.push_back(std::move(*node));
    return bar;
}

} // namespace file_explorer
