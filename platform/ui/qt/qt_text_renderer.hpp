#pragma once

#include <QFontMetricsF>
#include <map>
#include <memory>

#include "platform/ui/text_renderer.hpp"

namespace vask_ui::qt {

// Measures text with Qt's shaping and the fonts the painter uses.
class QtTextRenderer final : public TextRenderer {
public:
    float width(std::string_view text, const TextStyle& style) const override;
    float line_height(const TextStyle& style) const override;

private:
    const QFontMetricsF& metrics(const TextStyle& style) const;
    mutable std::map<std::pair<int, int>, std::unique_ptr<QFontMetricsF>> m_metrics;
};

} // namespace vask_ui::qt
