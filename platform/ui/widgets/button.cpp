#include "platform/ui/widgets/button.hpp"

#include <cmath>

namespace vask_ui {

void draw_glyph(Scene& scene, Glyph glyph, Rect box, Color color, float stroke)
{
    const float cx = box.x + box.width / 2, cy = box.y + box.height / 2, u = std::min(box.width, box.height) / 16;
    auto polyline = [&](std::initializer_list<Point> points) {
        PathData path;
        bool first = true;
        for (Point p : points) {
            Point q{cx + p.x * u, cy + p.y * u};
            if (first)
                path.move_to(q);
            else
                path.line_to(q);
            first = false;
        }
        scene.stroke_path(std::move(path), color, stroke);
    };
    switch (glyph) {
    case Glyph::None: break;
    case Glyph::Back: polyline({{3, -6}, {-3, 0}, {3, 6}}); break;
    case Glyph::Forward: polyline({{-3, -6}, {3, 0}, {-3, 6}}); break;
    case Glyph::Up:
        polyline({{-6, 1}, {0, -5}, {6, 1}});
        polyline({{0, -5}, {0, 6}});
        break;
    case Glyph::List:
        for (float y : {-5.f, 0.f, 5.f})
            polyline({{-6, y}, {6, y}});
        break;
    case Glyph::Grid:
        for (float x : {-6.f, 1.f})
            for (float y : {-6.f, 1.f})
                scene.stroke_rect({cx + x * u, cy + y * u, 5 * u, 5 * u}, color, stroke, u);
        break;
    case Glyph::Sort:
        polyline({{-6, -5}, {6, -5}});
        polyline({{-6, 0}, {3, 0}});
        polyline({{-6, 5}, {0, 5}});
        break;
    case Glyph::Menu:
        for (float y : {-5.f, 0.f, 5.f})
            scene.fill_rect({cx - 1.2f * u, cy + (y - 1.2f) * u, 2.4f * u, 2.4f * u}, color, 1.2f * u);
        break;
    case Glyph::Extract:
        polyline({{0, -6}, {0, 3}});
        polyline({{-4, -1}, {0, 3}, {4, -1}});
        polyline({{-6, 6}, {6, 6}});
        break;
    case Glyph::Close:
        polyline({{-5, -5}, {5, 5}});
        polyline({{5, -5}, {-5, 5}});
        break;
    }
}

Button::Button(std::string control_id, std::string accessible_name, Glyph glyph, std::string label)
    : m_control_id(std::move(control_id)), m_accessible_name(std::move(accessible_name)), m_glyph(glyph),
      m_label(std::move(label))
{
}

LayoutNodeId Button::build_layout(LayoutTree& tree, const LayoutContext&)
{
    LayoutStyle style;
    style.width = Dimension::points(m_size.width);
    style.height = Dimension::points(m_size.height);
    style.flex_shrink = 0;
    return tree.add_node(style);
}

void Button::draw(Scene& scene, const DrawContext& context)
{
    const auto& theme = context.theme;
    Rect b = bounds();
    if (m_enabled && (m_pressed || m_hovered))
        scene.fill_rect(b, m_pressed ? theme.selection : theme.hover, theme.radius);
    if (m_focused)
        scene.stroke_rect(b, theme.focus_ring, 2, theme.radius);
    Color color = m_enabled ? theme.text : theme.text_disabled;
    if (m_label.empty()) {
        draw_glyph(scene, m_glyph, b.inset(8), color);
        return;
    }
    float x = b.x + 10;
    if (m_glyph != Glyph::None) {
        draw_glyph(scene, m_glyph, {x, b.y + (b.height - 16) / 2, 16, 16}, color);
        x += 22;
    }
    scene.text(context.text.elide_end(m_label, theme.body, b.right() - x - 6), {x, b.y, b.right() - x, b.height}, theme.body,
               color);
}

void Button::activate()
{
    if (m_enabled && on_click)
        on_click();
}

void Button::handle_event(const InputEvent& event, EventContext& context)
{
    if (auto* move = std::get_if<PointerMove>(&event)) {
        m_hovered = bounds().contains(move->position);
        return;
    }
    if (std::holds_alternative<PointerLeave>(event)) {
        m_hovered = false;
        m_pressed = false;
        return;
    }
    if (auto* press = std::get_if<PointerPress>(&event)) {
        if (press->button == MouseButton::Primary && bounds().contains(press->position)) {
            m_pressed = m_enabled;
            context.handled = true;
        }
        return;
    }
    if (auto* release = std::get_if<PointerRelease>(&event)) {
        if (release->button != MouseButton::Primary || !m_pressed)
            return;
        m_pressed = false;
        if (bounds().contains(release->position)) {
            activate();
            context.handled = true;
        }
        return;
    }
    if (auto* key = std::get_if<KeyPress>(&event)) {
        if (m_focused && key->modifiers.none() && (key->key == Key::Enter || key->key == Key::Space)) {
            activate();
            context.handled = true;
        }
    }
}

std::optional<a11y::AccessNode> Button::accessibility() const
{
    a11y::AccessNode node;
    node.role = a11y::Role::Button;
    node.name = m_accessible_name;
    node.bounds = bounds();
    node.focusable = m_enabled;
    node.focused = m_focused;
    node.disabled = !m_enabled;
    node.control_id = m_control_id;
    return node;
}

bool Button::perform_action(std::string_view action)
{
    if (action != "press" || !m_enabled)
        return false;
    activate();
    return true;
}

} // namespace vask_ui
