#include "platform/ui/text_renderer.hpp"

#include <vector>

namespace vask_ui {

namespace {
constexpr std::string_view kEllipsis = "\u2026";

// Byte offsets where code points start, plus the end.
std::vector<std::size_t> boundaries(std::string_view text)
{
    std::vector<std::size_t> b;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            b.push_back(i);
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
    if (width(text, style) <= max_width)
        return std::string(text);
    auto b = boundaries(text);
    std::size_t n = b.size() - 1;
    // Keep k code points in all, split with the extra one at the start.
    auto make = [&](std::size_t k) {
        std::size_t head = (k + 1) / 2, tail = k / 2;
        return std::string(text.substr(0, b[head])) + std::string(kEllipsis) + std::string(text.substr(b[n - tail]));
    };
    std::size_t lo = 0, hi = n;
    while (lo < hi) {
        std::size_t mid = (lo + hi + 1) / 2;
        if (width(make(mid), style) <= max_width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return make(lo);
}

float FakeTextRenderer::width(std::string_view text, const TextStyle& style) const
{
    return float(code_point_count(text)) * style.size * 0.5f * m_text_scale;
}

float FakeTextRenderer::line_height(const TextStyle& style) const { return style.size * 1.25f * m_text_scale; }

} // namespace vask_ui
