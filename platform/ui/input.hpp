#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "platform/ui/geometry.hpp"

namespace vask_ui {

enum class Modifier : std::uint8_t { None = 0, Shift = 1, Ctrl = 2, Alt = 4, Super = 8 };

// A set of held modifier keys.
struct Modifiers {
    std::uint8_t bits = 0;
    constexpr Modifiers() = default;
    constexpr Modifiers(Modifier m) : bits(std::uint8_t(m)) {}
    constexpr bool has(Modifier m) const { return bits & std::uint8_t(m); }
    constexpr bool none() const { return bits == 0; }
    // Ctrl or Super: the desktop's primary shortcut modifier.
    constexpr bool primary() const { return has(Modifier::Ctrl) || has(Modifier::Super); }
    friend constexpr Modifiers operator|(Modifiers a, Modifiers b)
    {
        Modifiers m;
        m.bits = a.bits | b.bits;
        return m;
    }
    friend bool operator==(const Modifiers&, const Modifiers&) = default;
};
constexpr Modifiers operator|(Modifier a, Modifier b) { return Modifiers(a) | Modifiers(b); }

enum class MouseButton { Primary, Secondary, Middle, Back, Forward };

// Keys the toolkit names; printable keys arrive as Character with their text.
enum class Key {
    Character, Enter, Escape, Tab, Backspace, Delete, Insert, Space, Left, Right, Up, Down, Home, End,
    PageUp, PageDown, F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12, Menu, BrowserBack, BrowserForward, Other,
};

// Pointer positions are logical pixels: the host divides physical positions by the display scale.
struct PointerMove {
    Point position;
    Modifiers modifiers;
};
struct PointerPress {
    Point position;
    MouseButton button = MouseButton::Primary;
    Modifiers modifiers;
};
struct PointerRelease {
    Point position;
    MouseButton button = MouseButton::Primary;
    Modifiers modifiers;
};
struct PointerLeave {};
enum class WheelUnit { Lines, Pixels };
struct Wheel {
    Point position;
    float dx = 0;
    float dy = 0; // positive scrolls content up (towards the end)
    WheelUnit unit = WheelUnit::Lines;
    Modifiers modifiers;
};
struct KeyPress {
    Key key = Key::Other;
    std::string text; // what the key types, UTF-8; empty for non-printing keys
    Modifiers modifiers;
};
// Text committed by an input method or a paste into a focused editor.
struct TextCommit {
    std::string text;
};

using InputEvent = std::variant<PointerMove, PointerPress, PointerRelease, PointerLeave, Wheel, KeyPress, TextCommit>;

// Where a pointer event happened; none for keys, text and leaving.
inline std::optional<Point> pointer_position(const InputEvent& event)
{
    if (auto* p = std::get_if<PointerPress>(&event))
        return p->position;
    if (auto* r = std::get_if<PointerRelease>(&event))
        return r->position;
    if (auto* m = std::get_if<PointerMove>(&event))
        return m->position;
    if (auto* w = std::get_if<Wheel>(&event))
        return w->position;
    return std::nullopt;
}

} // namespace vask_ui
