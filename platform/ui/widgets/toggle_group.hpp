#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/widget.hpp"
#include "platform/ui/widgets/button.hpp"

namespace vask_ui {

// A row of mutually exclusive segments, one of them selected.
class ToggleGroup final : public Widget {
public:
    struct Segment {
        std::string label;
        Glyph glyph = Glyph::None;
    };
    ToggleGroup(std::string control_id, std::vector<Segment> segments, std::size_t selected);

    std::size_t selected() const { return m_selected; }
    std::function<void(std::size_t)> on_select;

    LayoutNodeId build_layout(LayoutTree& tree, const LayoutContext& context) override;
    void draw(Scene& scene, const DrawContext& context) override;
    void handle_event(const InputEvent& event, EventContext& context) override;
    CursorShape cursor_shape(Point) const override { return CursorShape::Pointer; }
    std::optional<a11y::AccessNode> accessibility() const override;
    Rect segment_rect(std::size_t index) const;

private:
    std::string m_control_id;
    std::vector<Segment> m_segments;
    std::size_t m_selected;
    std::optional<std::size_t> m_hovered;
    float m_segment_width = 72;
};

} // namespace vask_ui
