#pragma once

#include <QRasterWindow>
#include <QTimer>
#include <memory>

#include "platform/ui/frame.hpp"
#include "platform/ui/qt/qt_text_renderer.hpp"
#include "platform/ui/widget.hpp"

namespace vask_ui::qt {

// The top-level window: owns the root widget, turns Qt input into toolkit events, ticks the
// per-frame synchronisation and repaints when the tree asks for it.
class WindowHost final : public QRasterWindow {
public:
    WindowHost(std::unique_ptr<Widget> root, const Theme& theme);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    bool event(QEvent*) override;

private:
    void tick();
    void deliver(const InputEvent& event);
    Point logical(const QPointF& position) const;

    std::unique_ptr<Widget> m_root;
    const Theme& m_theme;
    QtTextRenderer m_text;
    Frame m_frame;
    Scene m_scene;
    QTimer m_timer;
};

} // namespace vask_ui::qt
