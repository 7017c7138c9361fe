#include "platform/ui/widgets/toggle_group.hpp"

#include <algorithm>

namespace vask_ui {

ToggleGroup::ToggleGroup(std::string control_id, std::vector<Segment> segments, std::size_t selected)
    : m_control_id(std::move(control_id)), m_segments(std::move(segments)), m_selected(selected)
{
}

LayoutNodeId ToggleGroup::build_layout(LayoutTree& tree, const LayoutContext& context)
{
    float widest = 0;
    for (const auto& s : m_segments)
        widest = std::max(widest, context.text.width(s.label, context.theme.body));
    m_segment_width = widest + 24 + 22;
    LayoutStyle style;
    style.width = Dimension::points(m_segment_width * float(m_segments.size()) + 4);
    style.height = Dimension::points(32);
    style.flex_shrink = 0;
    return tree.add_node(style);
}

Rect ToggleGroup::segment_rect(std::size_t index) const
{
    Rect b = bounds();
    return {b.x + 2 + m_segment_width * float(index), b.y + 2, m_segment_width, b.height - 4};
}

void ToggleGroup::draw(Scene& scene, const DrawContext& context)
{
    const auto& theme = context.theme;
    scene.fill_rect(bounds(), theme.hover, theme.radius + 2);
    for (std::size_t i = 0; i < m_segments.size(); ++i) {
        Rect r = segment_rect(i);
        if (i == m_selected) {
            scene.shadow(r, Color::rgb(0x000000, 30), 3, theme.radius);
            scene.fill_rect(r, theme.surface, theme.radius);
        } else if (m_hovered == i) {
            scene.fill_rect(r, theme.selection.with_alpha(120), theme.radius);
        }
        Color color = i == m_selected ? theme.text : theme.text_muted;
        float label_w = context.text.width(m_segments[i].label, theme.body);
        float x = r.x + (r.width - label_w - 22) / 2;
        draw_glyph(scene, m_segments[i].glyph, {x, r.y + (r.height - 16) / 2, 16, 16}, color, 1.4f);
        scene.text(m_segments[i].label, {x + 22, r.y, label_w + 2, r.height}, theme.body, color);
    }
}

void ToggleGroup::handle_event(const InputEvent& event, EventContext& context)
{
    auto hit = [&](Point p) -> std::optional<std::size_t> {
        for (std::size_t i = 0; i < m_segments.size(); ++i)
            if (segment_rect(i).contains(p))
                return i;
        return std::nullopt;
    };
    if (auto* move = std::get_if<PointerMove>(&event)) {
        m_hovered = hit(move->position);
    } else if (auto* press = std::get_if<PointerPress>(&event)) {
        if (press->button != MouseButton::Primary)
            return;
        if (auto index = hit(press->position)) {
            context.handled = true;
            if (*index != m_selected) {
                m_selected = *index;
                if (on_select)
                    on_select(*index);
            }
        }
    }
}

std::optional<a11y::AccessNode> ToggleGroup::accessibility() const
{
    a11y::AccessNode group;
    group.role = a11y::Role::Group;
    group.bounds = bounds();
    group.control_id = m_control_id;
    for (std::size_t i = 0; i < m_segments.size(); ++i) {
        a11y::AccessNode segment;
        segment.role = a11y::Role::ToggleButton;
        segment.name = m_segments[i].label;
        segment.bounds = segment_rect(i);
        segment.selected = i == m_selected;
        group.children.push_back(std::move(segment));
    }
    return group;
}

} // namespace vask_ui
