#include "platform/ui/text_renderer.hpp"

#include "platform/base/utf8.hpp"

#include <vector>

namespace vask_ui {

namespace {
constexpr std::string_view kEllipsis = "\u2026";

// Byte offsets where code points start, plus the end.
std::vector<std::size_t> boundaries(std::string_view text)
{
    auto b = vask_base::char_starts(text);
    b.push_back(text.size());
    return b;
}
} // namespace

std::size_t code_point_count(std::string_view text) { return boundaries(text).size() - 1; }

std::string TextRenderer::elide_end(std::string_view text, const TextStyle& style, float max_width) const
{
    if (width(text, style) <= max_width)
        return std::string(text);
    auto b = boundaries(text);
    // Binary search for the longest prefix that fits with the ellipsis.
    std::size_t lo = 0, hi = b.size() - 1;
    while (lo < hi) {
        std::size_t mid = (lo + hi + 1) / 2;
        std::string candidate = std::string(text.substr(0, b[mid])) + std::string(kEllipsis);
        if (width(candidate, style) <= max_width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return std::string(text.substr(0, b[lo])) + std::string(kEllipsis);
}

std::string TextRenderer::elide_middle(std::string_view text, const TextStyle& style, float max_width) const
{
    if (max_width <= 0)
        return {};
    if (width(text, style) <= max_width)
        return std::string(text);
    auto b = boundaries(text);
    std::size_t n = b.size() - 1;
    // Keep a third of the kept characters at the start and two thirds at the end, where file
    // names carry their numbers and extensions; drop one character at a time until it fits.
    for (std::size_t i = n > 0 ? n - 1 : 0; i >= 1; --i) {
        std::size_t head = i / 3, tail = (2 * i + 2) / 3;
        std::string candidate =
            std::string(text.substr(0, b[head])) + std::string(kEllipsis) + std::string(text.substr(b[n - tail]));
        if (width(candidate, style) <= max_width)
            return candidate;
    }
    return std::string(kEllipsis);
}

float FakeTextRenderer::width(std::string_view text, const TextStyle& style) const
{
    return float(code_point_count(text)) * style.size * 0.5f * m_text_scale;
}

float FakeTextRenderer::line_height(const TextStyle& style) const { return style.size * 1.25f * m_text_scale; }

} // namespace vask_ui
