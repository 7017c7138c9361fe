#include "platform/ui/widgets/status_bubble.hpp"

#include <algorithm>

namespace vask_ui {

void StatusBubble::show(const std::string& text, Clock::time_point now)
{
    if (text == m_text && m_shown_at)
        return;
    m_text = text;
    m_shown_at = text.empty() ? std::nullopt : std::optional(now);
}

float StatusBubble::opacity(Clock::time_point now) const
{
    if (!m_shown_at)
        return 0;
    auto t = now - *m_shown_at;
    if (t < kFadeIn)
        return float(std::chrono::duration<double>(t) / std::chrono::duration<double>(kFadeIn));
    if (m_pinned || t < kFadeIn + kHold)
        return 1;
    auto out = t - kFadeIn - kHold;
    return std::max(0.f, 1 - float(std::chrono::duration<double>(out) / std::chrono::duration<double>(kFadeOut)));
}

bool StatusBubble::is_animating(Clock::time_point now) const
{
    float o = opacity(now);
    return o > 0 && (o < 1 || (!m_pinned && m_shown_at && now - *m_shown_at >= kFadeIn + kHold));
}

void StatusBubble::draw(Scene& scene, const DrawContext& context, Rect area) const
{
    float alpha = opacity(context.now);
    if (alpha <= 0 || m_text.empty())
        return;
    const auto& theme = context.theme;
    const float max_w = std::max(0.f, area.width - 48);
    std::string shown = context.text.elide_end(m_text, theme.body, max_w - 28);
    float w = context.text.width(shown, theme.body) + 28, h = context.text.line_height(theme.body) + 14;
    Rect pill{area.x + (area.width - w) / 2, area.bottom() - h - 16, w, h};
    scene.push_layer(alpha);
    scene.shadow(pill, Color::rgb(0x000000, 50), 8, h / 2);
    scene.fill_rect(pill, theme.text.with_alpha(235), h / 2);
    scene.text(shown, {pill.x + 14, pill.y, w - 28 + 2, h}, theme.body, theme.surface);
    scene.pop_layer();
}

} // namespace vask_ui
