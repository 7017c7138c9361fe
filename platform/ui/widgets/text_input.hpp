#pragma once

#include <string>
#include <utility>

#include "platform/ui/widget.hpp"

namespace vask_ui {

// A one-line text editor: caret, selection by pointer and keyboard, word moves, clipboard and
// text committed by input methods. Enter submits, Escape cancels; the owner takes the outcome.
class TextInput final : public Widget {
public:
    enum class Outcome { None, Submitted, Cancelled };

    TextInput(std::string control_id, std::string placeholder);

    const std::string& text() const { return m_text; }
    // Replaces the text and selects all of it.
    void set_text(std::string text);
    void select_all();
    // Puts the caret after the last character, selecting nothing.
    void place_caret_at_end() { m_caret = m_anchor = m_text.size(); }
    std::size_t caret() const { return m_caret; }
    // The selected byte range [first, second).
    std::pair<std::size_t, std::size_t> selection() const;
    Outcome take_outcome() { return std::exchange(m_outcome, Outcome::None); }
    // True once after the text changed by typing, deleting or pasting.
    bool take_edited() { return std::exchange(m_edited, false); }
    const std::string& control_id() const { return m_control_id; }

    LayoutNodeId build_layout(LayoutTree& tree, const LayoutContext& context) override;
    void draw(Scene& scene, const DrawContext& context) override;
    void handle_event(const InputEvent& event, EventContext& context) override;
    CursorShape cursor_shape(Point) const override { return CursorShape::Text; }
    bool is_focusable() const override { return true; }
    void set_focus(bool focused) override { m_focused = focused; }
    bool is_focused() const { return m_focused; }
    std::optional<a11y::AccessNode> accessibility() const override;
    bool wants_pointer_capture() const override { return m_dragging; }

    // Text style and horizontal inset the editor draws with.
    static constexpr float kInset = 8;

private:
    void insert(std::string_view text);
    void erase_selection();
    void move_caret(std::size_t to, bool extend);
    std::size_t previous_boundary(std::size_t from, bool word) const;
    std::size_t next_boundary(std::size_t from, bool word) const;
    std::size_t offset_at(float x, const TextRenderer& text) const;

    std::string m_control_id;
    std::string m_placeholder;
    std::string m_text;
    std::size_t m_caret = 0;
    std::size_t m_anchor = 0;
    float m_scroll = 0;
    bool m_focused = false;
    bool m_dragging = false;
    bool m_edited = false;
    Outcome m_outcome = Outcome::None;
    TextStyle m_style{14};
};

} // namespace vask_ui
