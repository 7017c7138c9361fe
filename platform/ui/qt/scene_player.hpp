#pragma once

#include <QPainter>

#include "platform/ui/scene.hpp"

namespace vask_ui::qt {

// Paints recorded scene commands with QPainter. `scale` maps logical to device pixels when the
// painter is not already scaled.
void play(const Scene& scene, QPainter& painter);

// The font the toolkit uses for a text style at a text scale.
QFont font_for(const TextStyle& style, float text_scale);

} // namespace vask_ui::qt
