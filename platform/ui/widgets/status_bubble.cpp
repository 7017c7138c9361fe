#include "platform/ui/widgets/status_bubble.hpp"

#include <algorithm>
#include <cmath>

namespace vask_ui {

namespace {
constexpr float kPadX = 14, kPadY = 7;
}

void StatusBubble::show(const std::string& text, Clock::time_point now)
{
    if (text == m_text && m_shown_at)
        return;
    poke(text, now);
}

void StatusBubble::poke(const std::string& text, Clock::time_point now)
{
    m_text = text;
    m_shown_at = text.empty() ? std::nullopt : std::optional(now);
}

void StatusBubble::set_hovered(bool hovered, Clock::time_point now)
{
    if (m_hovered && !hovered && m_shown_at && opacity(now) > 0)
        m_shown_at = now - kFadeIn; // fully visible again, with a fresh hold
    m_hovered = hovered;
}

float StatusBubble::opacity(Clock::time_point now) const
{
    if (!m_shown_at)
        return 0;
    auto t = now - *m_shown_at;
    if (t < kFadeIn && !m_hovered)
        return float(std::chrono::duration<double>(t) / std::chrono::duration<double>(kFadeIn));
    if (m_pinned || m_hovered || t < kFadeIn + kHold)
        return 1;
    auto out = t - kFadeIn - kHold;
    return std::max(0.f, 1 - float(std::chrono::duration<double>(out) / std::chrono::duration<double>(kFadeOut)));
}

bool StatusBubble::is_animating(Clock::time_point now) const
{
    float o = opacity(now);
    return o > 0 && (o < 1 || (!m_pinned && !m_hovered && m_shown_at && now - *m_shown_at >= kFadeIn + kHold));
}

Size StatusBubble::pill_size(const TextRenderer& text, const Theme& theme, float max_width) const
{
    float w = std::min(text.width(m_text, theme.caption) + 2 * kPadX, std::max(max_width, 2 * kPadX));
    return {std::ceil(w), std::ceil(text.line_height(theme.caption) + 2 * kPadY)};
}

void StatusBubble::draw_at(Scene& scene, const DrawContext& context, Rect pill, float alpha) const
{
    if (alpha <= 0 || m_text.empty())
        return;
    const auto& theme = context.theme;
    std::string shown = context.text.elide_end(m_text, theme.caption, pill.width - 2 * kPadX);
    scene.push_layer(alpha);
    scene.shadow(pill, Color::rgb(0x000000, 50), 8, pill.height / 2);
    scene.fill_rect(pill, theme.text.with_alpha(235), pill.height / 2);
    scene.text(shown, {pill.x + kPadX, pill.y, pill.width - 2 * kPadX + 2, pill.height}, theme.caption, theme.surface);
    scene.pop_layer();
}

} // namespace vask_ui
