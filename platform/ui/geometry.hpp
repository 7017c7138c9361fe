#pragma once

#include <algorithm>
#include <cstdint>

namespace vask_ui {

// A position in logical pixels.
struct Point {
    float x = 0;
    float y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// A width and height in logical pixels.
struct Size {
    float width = 0;
    float height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// An axis-aligned rectangle in logical pixels.
struct Rect {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;

    float right() const { return x + width; }
    float bottom() const { return y + height; }
    bool contains(Point p) const { return p.x >= x && p.x < right() && p.y >= y && p.y < bottom(); }
    bool is_empty() const { return width <= 0 || height <= 0; }
    Rect inset(float by) const { return {x + by, y + by, std::max(0.f, width - 2 * by), std::max(0.f, height - 2 * by)}; }
    Rect intersected(const Rect& o) const
    {
        float l = std::max(x, o.x), t = std::max(y, o.y);
        float r = std::min(right(), o.right()), b = std::min(bottom(), o.bottom());
        return {l, t, std::max(0.f, r - l), std::max(0.f, b - t)};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// An sRGB colour with straight alpha.
struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;

    static constexpr Color rgb(std::uint32_t hex, std::uint8_t alpha = 255)
    {
        return {std::uint8_t(hex >> 16), std::uint8_t(hex >> 8), std::uint8_t(hex), alpha};
    }
    constexpr Color with_alpha(std::uint8_t alpha) const { return {r, g, b, alpha}; }
    friend bool operator==(const Color&, const Color&) = default;
};

} // namespace vask_ui
