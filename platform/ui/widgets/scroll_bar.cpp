#include "platform/ui/widgets/scroll_bar.hpp"

#include <algorithm>

namespace vask_ui {

void ScrollBar::set_geometry(Rect viewport, float content_height)
{
    m_viewport = viewport;
    m_content = content_height;
}

float ScrollBar::max_offset() const { return std::max(0.f, m_content - m_viewport.height); }

Rect ScrollBar::track() const
{
    return {m_viewport.right() - kWidth - 2, m_viewport.y + 2, kWidth, std::max(0.f, m_viewport.height - 4)};
}

Rect ScrollBar::thumb(float offset) const
{
    Rect t = track();
    if (m_content <= 0)
        return t;
    float length = std::max(24.f, t.height * m_viewport.height / m_content);
    length = std::min(length, t.height);
    float travel = t.height - length;
    float position = max_offset() > 0 ? travel * std::clamp(offset / max_offset(), 0.f, 1.f) : 0;
    return {t.x, t.y + position, t.width, length};
}

bool ScrollBar::handle_event(const InputEvent& event, float& offset)
{
    if (!is_needed())
        return false;
    if (auto* move = std::get_if<PointerMove>(&event)) {
        m_hovered = track().contains(move->position);
        if (!m_drag_start)
            return false;
        Rect t = track(), th = thumb(offset);
        float travel = t.height - th.height;
        if (travel > 0)
            offset = std::clamp(m_drag_offset + (move->position.y - *m_drag_start) * max_offset() / travel, 0.f, max_offset());
        return true;
    }
    if (auto* press = std::get_if<PointerPress>(&event)) {
        if (press->button != MouseButton::Primary || !track().contains(press->position))
            return false;
        Rect th = thumb(offset);
        if (!th.contains(press->position)) {
            // A press on the track pages towards it.
            float page = m_viewport.height * 0.9f;
            offset = std::clamp(offset + (press->position.y < th.y ? -page : page), 0.f, max_offset());
        }
        m_drag_start = press->position.y;
        m_drag_offset = offset;
        return true;
    }
    if (std::holds_alternative<PointerRelease>(event) && m_drag_start) {
        m_drag_start.reset();
        return true;
    }
    return false;
}

void ScrollBar::draw(Scene& scene, const Theme& theme, float offset) const
{
    if (!is_needed())
        return;
    Rect th = thumb(offset);
    const bool active = m_hovered || m_drag_start;
    Rect shown = active ? th : Rect{th.x + 3, th.y, th.width - 3, th.height};
    scene.fill_rect(shown, theme.text_muted.with_alpha(active ? 150 : 90), shown.width / 2);
}

} // namespace vask_ui
