#include "platform/ui/widgets/spinner.hpp"

#include <cmath>
#include <numbers>

namespace vask_ui {

float Spinner::angle_at(Clock::time_point now)
{
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    return float(ms % 1000) * 0.36f;
}

void Spinner::draw(Scene& scene, const DrawContext& context)
{
    Rect b = bounds();
    const float r = std::min(b.width, b.height) / 2 - 2;
    const float cx = b.x + b.width / 2, cy = b.y + b.height / 2;
    const float start = angle_at(context.now) * std::numbers::pi_v<float> / 180;
    PathData track, arc;
    constexpr int kSteps = 24;
    for (int i = 0; i <= kSteps; ++i) {
        float a = float(i) * 2 * std::numbers::pi_v<float> / kSteps;
        Point p{cx + r * std::cos(a), cy + r * std::sin(a)};
        i == 0 ? track.move_to(p) : track.line_to(p);
    }
    for (int i = 0; i <= kSteps / 3; ++i) {
        float a = start + float(i) * 2 * std::numbers::pi_v<float> / kSteps;
        Point p{cx + r * std::cos(a), cy + r * std::sin(a)};
        i == 0 ? arc.move_to(p) : arc.line_to(p);
    }
    scene.stroke_path(std::move(track), context.theme.border, 3);
    scene.stroke_path(std::move(arc), context.theme.accent, 3);
}

} // namespace vask_ui
