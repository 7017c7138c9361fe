#pragma once

#include <optional>
#include <string>

#include "platform/ui/widget.hpp"
#include "platform/ui/widgets/button.hpp"

namespace vask_ui {

// What an empty or failed pane says: an optional icon, a title, a detail line and an optional
// action label.
struct EmptyStateContent {
    std::optional<Glyph> icon;
    std::string title;
    std::string detail;
    std::optional<std::string> action;
};

// Paints the content centred in `area`; returns where the action button belongs, if there is one.
std::optional<Rect> paint_empty_state(Scene& scene, const DrawContext& context, Rect area, const EmptyStateContent& content);

} // namespace vask_ui
