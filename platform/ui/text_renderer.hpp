#pragma once

#include <string>
#include <string_view>

#include "platform/ui/scene.hpp"

namespace vask_ui {

// Measures text runs. The Qt implementation shapes with the window's fonts; FakeTextRenderer
// gives fixed advances so geometry tests never depend on installed fonts.
class TextRenderer {
public:
    virtual ~TextRenderer() = default;

    // Advance width of `text` at `style` × text scale, in logical pixels.
    virtual float width(std::string_view text, const TextStyle& style) const = 0;
    // Height of one line at `style` × text scale.
    virtual float line_height(const TextStyle& style) const = 0;

    float text_scale() const { return m_text_scale; }
    void set_text_scale(float scale) { m_text_scale = scale; }

    // `text` cut at the end with "…" so it fits `max_width`.
    std::string elide_end(std::string_view text, const TextStyle& style, float max_width) const;
    // `text` with its middle replaced by "…" so it fits, keeping a third at the start and two thirds
    // at the end (numbers and extensions); empty when `max_width` is not positive.
    std::string elide_middle(std::string_view text, const TextStyle& style, float max_width) const;

protected:
    float m_text_scale = 1;
};

// Deterministic metrics: every code point advances 0.5 × size, lines are 1.25 × size.
class FakeTextRenderer final : public TextRenderer {
public:
    float width(std::string_view text, const TextStyle& style) const override;
    float line_height(const TextStyle& style) const override;
};

// Number of code points in UTF-8 text.
std::size_t code_point_count(std::string_view text);

} // namespace vask_ui
