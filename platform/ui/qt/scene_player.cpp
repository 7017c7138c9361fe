#include <algorithm>

#include "platform/ui/qt/scene_player.hpp"

#include <QPainterPath>
#include <vector>

namespace vask_ui::qt {

namespace {
QColor to_qt(Color c) { return QColor(c.r, c.g, c.b, c.a); }
QRectF to_qt(Rect r) { return QRectF(r.x, r.y, r.width, r.height); }
QPointF to_qt(Point p) { return QPointF(p.x, p.y); }

QPainterPath to_qt(const PathData& data)
{
    QPainterPath path;
    for (const auto& e : data.elements) {
        switch (e.op) {
        case PathData::Op::MoveTo: path.moveTo(to_qt(e.points[0])); break;
        case PathData::Op::LineTo: path.lineTo(to_qt(e.points[0])); break;
        case PathData::Op::CubicTo: path.cubicTo(to_qt(e.points[0]), to_qt(e.points[1]), to_qt(e.points[2])); break;
        case PathData::Op::Close: path.closeSubpath(); break;
        }
    }
    return path;
}

struct Player {
    QPainter& p;
    float text_scale;
    std::vector<int> saves;

    void operator()(const cmd::FillRect& c)
    {
        p.setPen(Qt::NoPen);
        p.setBrush(to_qt(c.color));
        if (c.radius > 0)
            p.drawRoundedRect(to_qt(c.rect), c.radius, c.radius);
        else
            p.drawRect(to_qt(c.rect));
    }
    void operator()(const cmd::StrokeRect& c)
    {
        QPen pen(to_qt(c.color), c.width);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        // Stroke inside the rectangle so borders line up with fills.
        QRectF r = to_qt(c.rect).adjusted(c.width / 2, c.width / 2, -c.width / 2, -c.width / 2);
        if (c.radius > 0)
            p.drawRoundedRect(r, c.radius, c.radius);
        else
            p.drawRect(r);
    }
    void operator()(const cmd::Line& c)
    {
        QPen pen(to_qt(c.color), c.width);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        p.drawLine(to_qt(c.from), to_qt(c.to));
    }
    void operator()(const cmd::FillPath& c)
    {
        p.setPen(Qt::NoPen);
        p.setBrush(to_qt(c.color));
        p.drawPath(to_qt(c.path));
    }
    void operator()(const cmd::StrokePath& c)
    {
        QPen pen(to_qt(c.color), c.width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPath(to_qt(c.path));
    }
    void operator()(const cmd::Text& c)
    {
        p.setFont(font_for(c.style, text_scale));
        p.setPen(to_qt(c.color));
        p.drawText(to_qt(c.box), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, QString::fromUtf8(c.text));
    }
    void operator()(const cmd::Shadow& c)
    {
        // A soft shadow from widening translucent layers, one per couple of pixels of blur so
        // that wide shadows fade smoothly instead of showing rings.
        p.setPen(Qt::NoPen);
        const int steps = std::clamp(int(c.blur / 2), 4, 16);
        for (int i = steps; i >= 1; --i) {
            float grow = c.blur * float(i) / steps;
            QColor color = to_qt(c.color);
            color.setAlphaF(color.alphaF() / steps);
            p.setBrush(color);
            QRectF r = to_qt(c.rect).adjusted(-grow, -grow + c.blur / 2, grow, grow + c.blur / 2);
            p.drawRoundedRect(r, c.radius + grow, c.radius + grow);
        }
    }
    void operator()(const cmd::PushClip& c)
    {
        p.save();
        p.setClipRect(to_qt(c.rect), Qt::IntersectClip);
    }
    void operator()(const cmd::PopClip&) { p.restore(); }
    void operator()(const cmd::PushLayer& c)
    {
        p.save();
        p.setOpacity(p.opacity() * c.alpha);
    }
    void operator()(const cmd::PopLayer&) { p.restore(); }
};
} // namespace

QFont font_for(const TextStyle& style, float text_scale)
{
    QFont font;
    font.setPixelSize(std::max(1, int(style.size * text_scale + 0.5f)));
    font.setWeight(style.weight == FontWeight::Bold     ? QFont::DemiBold
                   : style.weight == FontWeight::Medium ? QFont::Medium
                                                        : QFont::Normal);
    return font;
}

void play(const Scene& scene, QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    Player player{painter, 1.0f, {}};
    for (const auto& command : scene.commands())
        std::visit(player, command);
}

} // namespace vask_ui::qt
