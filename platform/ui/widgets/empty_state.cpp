#include "platform/ui/widgets/empty_state.hpp"

#include <algorithm>

namespace vask_ui {

std::optional<Rect> paint_empty_state(Scene& scene, const DrawContext& context, Rect area, const EmptyStateContent& content)
{
    const auto& theme = context.theme;
    const auto& text = context.text;
    const float cx = area.x + area.width / 2, cy = area.y + area.height / 2;
    const float max_w = std::max(0.f, std::min(area.width - 48, 520.f));
    float y = cy - 40;
    if (content.icon) {
        scene.fill_rect({cx - 28, y - 64, 56, 56}, theme.hover, 28);
        draw_glyph(scene, *content.icon, {cx - 12, y - 48, 24, 24}, theme.text_muted, 2);
    }
    auto centred = [&](const std::string& line, const TextStyle& style, Color color) {
        std::string shown = text.elide_end(line, style, max_w);
        float w = text.width(shown, style), h = text.line_height(style);
        scene.text(shown, {cx - w / 2, y, w + 2, h}, style, color);
        y += h + 6;
    };
    centred(content.title, theme.heading, theme.text);
    if (!content.detail.empty())
        centred(content.detail, theme.body, theme.text_muted);
    if (!content.action)
        return std::nullopt;
    float w = std::max(text.width(*content.action, theme.body) + 32, 120.f);
    return Rect{cx - w / 2, y + 10, w, 34};
}

} // namespace vask_ui
