#pragma once

#include <optional>

#include "platform/ui/widget.hpp"

namespace vask_ui {

// A vertical scroll bar for a viewport showing part of taller content. The offset lives with the
// owner (so it survives rebuilds); the bar reads and changes it.
class ScrollBar {
public:
    static constexpr float kWidth = 10;

    // Where the bar sits: the right edge of `viewport`, for content of `content_height`.
    void set_geometry(Rect viewport, float content_height);
    bool is_needed() const { return m_content > m_viewport.height + 0.5f; }
    float max_offset() const;
    Rect track() const;
    Rect thumb(float offset) const;

    // Pointer handling: returns true when the bar took the event; `offset` is updated.
    bool handle_event(const InputEvent& event, float& offset);
    void draw(Scene& scene, const Theme& theme, float offset) const;
    bool is_dragging() const { return m_drag_start.has_value(); }

private:
    Rect m_viewport;
    float m_content = 0;
    bool m_hovered = false;
    std::optional<float> m_drag_start; // pointer y at press
    float m_drag_offset = 0;           // offset at press
};

} // namespace vask_ui
