#include "platform/ui/qt/qt_text_renderer.hpp"

#include "platform/ui/qt/scene_player.hpp"

namespace vask_ui::qt {

const QFontMetricsF& QtTextRenderer::metrics(const TextStyle& style) const
{
    QFont font = font_for(style, m_text_scale);
    auto key = std::make_pair(font.pixelSize(), int(style.weight));
    auto& slot = m_metrics[key];
    if (!slot)
        slot = std::make_unique<QFontMetricsF>(font);
    return *slot;
}

float QtTextRenderer::width(std::string_view text, const TextStyle& style) const
{
    return float(metrics(style).horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size()))));
}

float QtTextRenderer::line_height(const TextStyle& style) const { return float(metrics(style).height()); }

} // namespace vask_ui::qt
