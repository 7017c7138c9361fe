#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/icons.hpp"
#include "platform/ui/widgets/text_input.hpp"

namespace vask_ui {

// A text editor with a list of suggestions below it, driven by the keyboard (Up, Down, Tab,
// Enter, Escape) and the pointer.
class Autocomplete final : public Widget {
public:
    struct Suggestion {
        std::string text;
        icons::IconKind icon = icons::IconKind::File;
        // Accepting a suggestion that continues (a folder) keeps editing instead of submitting.
        bool continues = false;
    };
    using Provider = std::function<std::vector<Suggestion>(const std::string& text)>;

    Autocomplete(std::string control_id, std::string placeholder, Provider provider);

    void set_text(std::string text) { m_input.set_text(std::move(text)); }
    const std::string& text() const { return m_input.text(); }
    // Starts editing: focus, and suggestions for the current text.
    void begin_edit();
    void close();
    bool is_open() const { return m_open; }
    const std::vector<Suggestion>& suggestions() const { return m_suggestions; }
    std::optional<std::size_t> highlighted() const { return m_highlight; }

    // What the user did: submitted text, cancelled, or nothing yet.
    struct Outcome {
        TextInput::Outcome kind = TextInput::Outcome::None;
        std::string text;
    };
    Outcome take_outcome() { return std::exchange(m_outcome, {}); }

    void apply_layout(const LayoutTree& tree, LayoutNodeId node) override;
    void set_bounds_direct(Rect rect);
    void draw(Scene& scene, const DrawContext& context) override { m_input.draw(scene, context); }
    void draw_overlay(Scene& scene, const DrawContext& context) override;
    void handle_event(const InputEvent& event, EventContext& context) override;
    CursorShape cursor_shape(Point p) const override { return m_input.cursor_shape(p); }
    bool wants_pointer_capture() const override { return m_input.wants_pointer_capture(); }
    bool is_focusable() const override { return true; }
    void set_focus(bool focused) override { m_input.set_focus(focused); }
    std::optional<a11y::AccessNode> accessibility() const override;

    static constexpr std::size_t kVisibleRows = 8;
    static constexpr float kRowHeight = 30;
    Rect list_rect() const;

private:
    void refresh();
    void accept(std::size_t index);

    TextInput m_input;
    Provider m_provider;
    std::vector<Suggestion> m_suggestions;
    std::optional<std::size_t> m_highlight;
    std::size_t m_first_visible = 0;
    bool m_open = false;
    Outcome m_outcome;
};

} // namespace vask_ui
