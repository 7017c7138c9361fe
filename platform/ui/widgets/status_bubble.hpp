#pragma once

#include <optional>
#include <string>

#include "platform/ui/widget.hpp"

namespace vask_ui {

// A pill of status text at the bottom of a pane that appears when its text changes and fades
// out after a while unless pinned.
class StatusBubble {
public:
    static constexpr auto kFadeIn = std::chrono::milliseconds(150);
    static constexpr auto kHold = std::chrono::milliseconds(4000);
    static constexpr auto kFadeOut = std::chrono::milliseconds(400);

    // Shows `text` from `now`; the same text again does not restart the fade.
    void show(const std::string& text, Clock::time_point now);
    void set_pinned(bool pinned) { m_pinned = pinned; }
    // Opacity 0…1 at `now`.
    float opacity(Clock::time_point now) const;
    bool is_animating(Clock::time_point now) const;
    // Paints the pill centred at the bottom of `area`.
    void draw(Scene& scene, const DrawContext& context, Rect area) const;

private:
    std::string m_text;
    std::optional<Clock::time_point> m_shown_at;
    bool m_pinned = false;
};

} // namespace vask_ui
