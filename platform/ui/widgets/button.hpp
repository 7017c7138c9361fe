#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/ui/widget.hpp"

namespace vask_ui {

// Glyphs the toolkit draws for buttons.
enum class Glyph { None, Back, Forward, Up, List, Grid, Sort, Menu, Extract, Close };

// Draws `glyph` as strokes centred in `box`.
void draw_glyph(Scene& scene, Glyph glyph, Rect box, Color color, float stroke = 1.6f);

// A push button with an icon and/or a label. Its click runs `on_click`; automation presses it by
// its control id.
class Button final : public Widget {
public:
    Button(std::string control_id, std::string accessible_name, Glyph glyph, std::string label = {});

    void set_enabled(bool enabled) { m_enabled = enabled; }
    bool is_enabled() const { return m_enabled; }
    const std::string& control_id() const { return m_control_id; }
    void set_fixed_size(Size size) { m_size = size; }
    std::function<void()> on_click;

    LayoutNodeId build_layout(LayoutTree& tree, const LayoutContext& context) override;
    void draw(Scene& scene, const DrawContext& context) override;
    void handle_event(const InputEvent& event, EventContext& context) override;
    CursorShape cursor_shape(Point) const override { return m_enabled ? CursorShape::Pointer : CursorShape::Default; }
    bool is_focusable() const override { return m_enabled; }
    void set_focus(bool focused) override { m_focused = focused; }
    std::optional<a11y::AccessNode> accessibility() const override;
    bool perform_action(std::string_view action) override;
    bool is_hovered() const { return m_hovered; }

private:
    void activate();

    std::string m_control_id;
    std::string m_accessible_name;
    Glyph m_glyph;
    std::string m_label;
    Size m_size{36, 32};
    bool m_enabled = true;
    bool m_hovered = false;
    bool m_pressed = false;
    bool m_focused = false;
};

} // namespace vask_ui
