#pragma once

#include "platform/ui/widget.hpp"

namespace vask_ui {

// An indeterminate progress indicator: an arc turning once per second.
class Spinner final : public Widget {
public:
    void draw(Scene& scene, const DrawContext& context) override;
    bool needs_animation_frame() const override { return true; }
    // The arc's start angle in degrees at `now`.
    static float angle_at(Clock::time_point now);
};

} // namespace vask_ui
