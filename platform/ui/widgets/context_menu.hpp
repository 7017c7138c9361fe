#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/widget.hpp"

namespace vask_ui {

// A pop-up list of commands opened at a point and kept inside the window. Items can be checked or
// disabled; separators group them. Keyboard: Up/Down skip separators and disabled items, Home/End,
// Enter or Space choose, Escape closes.
class ContextMenu final : public Widget {
public:
    struct Item {
        std::string label;
        int command = 0; // what the owner does when the item is chosen
        bool enabled = true;
        bool checked = false;
        bool separator = false;

        static Item separator_item() { return {"", 0, false, false, true}; }
    };

    static constexpr float kItemHeight = 32;
    static constexpr float kSeparatorHeight = 9;
    static constexpr float kPadding = 6;
    static constexpr float kMinWidth = 180;

    // Opens with `items` at `at`, moved as needed to stay inside `window`.
    void open(std::vector<Item> items, Point at, Rect window, const TextRenderer& text, const Theme& theme);
    void close();
    bool is_open() const { return m_open; }
    const std::vector<Item>& items() const { return m_items; }
    std::optional<std::size_t> highlighted() const { return m_highlight; }
    Rect menu_rect() const { return m_rect; }
    Rect item_rect(std::size_t index) const;

    // The command chosen since the last call, if any (the menu closes when one is chosen).
    std::optional<int> take_chosen() { return std::exchange(m_chosen, std::nullopt); }

    void draw(Scene&, const DrawContext&) override {}
    void draw_overlay(Scene& scene, const DrawContext& context) override;
    void handle_event(const InputEvent& event, EventContext& context) override;
    std::optional<a11y::AccessNode> accessibility() const override;

private:
    std::optional<std::size_t> hit(Point p) const;
    void step(int direction);
    void choose(std::size_t index);
    bool selectable(std::size_t index) const { return !m_items[index].separator && m_items[index].enabled; }

    std::vector<Item> m_items;
    Rect m_rect;
    bool m_open = false;
    std::optional<std::size_t> m_highlight;
    std::optional<int> m_chosen;
};

} // namespace vask_ui
