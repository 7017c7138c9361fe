#pragma once

#include <memory>
#include <vector>

#include "platform/ui/widgets/button.hpp"
#include "platform/ui/widgets/toggle_group.hpp"
#include "views/path_bar.hpp"

namespace file_explorer {

// The row above the file view: Back, Forward, Up, the path bar, the view controls.
class FileToolbar final : public vask_ui::Widget {
public:
    static constexpr float kCompactWidth = 760;

    explicit FileToolbar(ViewEventQueue& events) : m_events(events), m_path_bar(events) {}

    // What navigation is possible and how the view looks; called before each layout build.
    void set_state(bool can_go_back, bool can_go_forward, bool can_go_up, bool grid, bool in_archive);
    PathBar& path_bar() { return m_path_bar; }
    bool is_compact() const { return m_compact; }

    vask_ui::LayoutNodeId build_layout(vask_ui::LayoutTree& tree, const vask_ui::LayoutContext& context) override;
    void apply_layout(const vask_ui::LayoutTree& tree, vask_ui::LayoutNodeId node) override;
    void draw(vask_ui::Scene& scene, const vask_ui::DrawContext& context) override;
    void draw_overlay(vask_ui::Scene& scene, const vask_ui::DrawContext& context) override { m_path_bar.draw_overlay(scene, context); }
    void handle_event(const vask_ui::InputEvent& event, vask_ui::EventContext& context) override;
    std::vector<const vask_ui::Widget*> children() const override;
    bool take_structure_dirty() override;
    vask_ui::CursorShape cursor_shape(vask_ui::Point p) const override { return m_path_bar.cursor_shape(p); }
    std::optional<vask_ui::a11y::AccessNode> accessibility() const override;
    // Where the button with `control_id` is, when it is shown.
    std::optional<vask_ui::Rect> control_rect(std::string_view control_id) const;
    // Presses the enabled button with `control_id` as automation does; false when there is none.
    bool invoke_control(std::string_view control_id);
    // Control ids of the buttons shown now, left to right (for tests and automation).
    std::vector<std::string> control_ids() const;

private:
    std::unique_ptr<vask_ui::Button> button(const char* id, const char* name_id, vask_ui::Glyph glyph,
                                           view_event::ToolbarCommand command, bool enabled = true, const char* label_id = nullptr);

    ViewEventQueue& m_events;
    PathBar m_path_bar;
    std::vector<std::unique_ptr<vask_ui::Widget>> m_left;
    std::vector<std::unique_ptr<vask_ui::Widget>> m_right;
    std::vector<vask_ui::LayoutNodeId> m_left_nodes, m_right_nodes;
    vask_ui::LayoutNodeId m_path_node{};
    bool m_can_back = false, m_can_forward = false, m_can_up = false, m_grid = false, m_in_archive = false;
    bool m_compact = true;
    bool m_structure_changed = true;
};

} // namespace file_explorer
