#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "platform/ui/widget.hpp"

namespace vask_ui {

// A pill of status text at the bottom of a pane that appears when its text changes and fades
// out after a while unless pinned or hovered.
class StatusBubble {
public:
    static constexpr auto kFadeIn = std::chrono::milliseconds(150);
    static constexpr auto kHold = std::chrono::milliseconds(4000);
    static constexpr auto kFadeOut = std::chrono::milliseconds(400);

    // Shows `text` from `now`; the same text again does not restart the fade.
    void show(const std::string& text, Clock::time_point now);
    // Makes the pill reappear and restart its fade, even for the same text.
    void poke(const std::string& text, Clock::time_point now);
    void set_pinned(bool pinned) { m_pinned = pinned; }
    // While hovered the pill stays fully visible; leaving restarts its hold time.
    void set_hovered(bool hovered, Clock::time_point now);
    const std::string& text() const { return m_text; }
    // Opacity 0…1 at `now`.
    float opacity(Clock::time_point now) const;
    bool is_animating(Clock::time_point now) const;
    // The pill's size for its text at the small text size, at most `max_width` wide.
    Size pill_size(const TextRenderer& text, const Theme& theme, float max_width) const;
    // Paints the pill in `pill` at `alpha` on its own layer; nothing at alpha 0.
    void draw_at(Scene& scene, const DrawContext& context, Rect pill, float alpha) const;

private:
    std::string m_text;
    std::optional<Clock::time_point> m_shown_at;
    bool m_pinned = false;
    bool m_hovered = false;
};

} // namespace vask_ui
