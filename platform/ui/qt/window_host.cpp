#include "platform/ui/qt/window_host.hpp"

#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleHints>
#include <QWheelEvent>

#include "platform/ui/qt/scene_player.hpp"

namespace vask_ui::qt {

namespace {

Modifiers to_modifiers(Qt::KeyboardModifiers m)
{
    Modifiers out;
    if (m & Qt::ShiftModifier)
        out = out | Modifier::Shift;
    if (m & Qt::ControlModifier)
        out = out | Modifier::Ctrl;
    if (m & Qt::AltModifier)
        out = out | Modifier::Alt;
    if (m & Qt::MetaModifier)
        out = out | Modifier::Super;
    return out;
}

MouseButton to_button(Qt::MouseButton b)
{
    switch (b) {
    case Qt::RightButton: return MouseButton::Secondary;
    case Qt::MiddleButton: return MouseButton::Middle;
    case Qt::BackButton: return MouseButton::Back;
    case Qt::ForwardButton: return MouseButton::Forward;
    default: return MouseButton::Primary;
    }
}

Key to_key(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::Enter;
    case Qt::Key_Escape: return Key::Escape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return Key::Tab;
    case Qt::Key_Backspace: return Key::Backspace;
    case Qt::Key_Delete: return Key::Delete;
    case Qt::Key_Insert: return Key::Insert;
    case Qt::Key_Space: return Key::Space;
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_Home: return Key::Home;
    case Qt::Key_End: return Key::End;
    case Qt::Key_PageUp: return Key::PageUp;
    case Qt::Key_PageDown: return Key::PageDown;
    case Qt::Key_Menu: return Key::Menu;
    case Qt::Key_Back: return Key::BrowserBack;
    case Qt::Key_Forward: return Key::BrowserForward;
    default: break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return Key(int(Key::F1) + (key - Qt::Key_F1));
    return Key::Other;
}

} // namespace

WindowHost::WindowHost(std::unique_ptr<Widget> root, const Theme& theme)
    : m_root(std::move(root)), m_theme(theme), m_frame(m_text, m_theme)
{
    setFlag(Qt::WindowType::Window);
    // Synchronisation runs every frame interval; painting happens only when the tree is dirty.
    m_timer.setInterval(16);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
    m_timer.start();
}

Point WindowHost::logical(const QPointF& position) const
{
    // Qt already reports positions in device-independent pixels; the display scale is the
    // device pixel ratio, applied by the painter.
    return {float(position.x()), float(position.y())};
}

void WindowHost::tick()
{
    m_root->sync(SyncContext{Clock::now()});
    if (m_root->needs_redraw() || m_root->needs_animation_frame())
        update();
}

void WindowHost::paintEvent(QPaintEvent*)
{
    m_root->set_interaction_environment({float(devicePixelRatio()), m_text.text_scale(), false});
    Size size{float(width()), float(height())};
    m_frame.render(*m_root, size, Clock::now(), m_scene);
    QPainter painter(this);
    play(m_scene, painter);
}

void WindowHost::resizeEvent(QResizeEvent*) { update(); }

void WindowHost::deliver(const InputEvent& event)
{
    EventContext context{m_text, Clock::now()};
    m_root->handle_event(event, context);
    update();
}

void WindowHost::mouseMoveEvent(QMouseEvent* e)
{
    deliver(PointerMove{logical(e->position()), to_modifiers(e->modifiers())});
}

void WindowHost::mousePressEvent(QMouseEvent* e)
{
    deliver(PointerPress{logical(e->position()), to_button(e->button()), to_modifiers(e->modifiers())});
}

void WindowHost::mouseReleaseEvent(QMouseEvent* e)
{
    deliver(PointerRelease{logical(e->position()), to_button(e->button()), to_modifiers(e->modifiers())});
}

void WindowHost::wheelEvent(QWheelEvent* e)
{
    Wheel wheel{logical(e->position()), 0, 0, WheelUnit::Lines, to_modifiers(e->modifiers())};
    if (!e->pixelDelta().isNull()) {
        wheel.unit = WheelUnit::Pixels;
        wheel.dx = -float(e->pixelDelta().x());
        wheel.dy = -float(e->pixelDelta().y());
    } else {
        // 120 units make one notch of three lines on most mice; we count notches.
        wheel.dx = -float(e->angleDelta().x()) / 120.f;
        wheel.dy = -float(e->angleDelta().y()) / 120.f;
    }
    deliver(wheel);
}

void WindowHost::keyPressEvent(QKeyEvent* e)
{
    KeyPress key{to_key(e->key()), e->text().toStdString(), to_modifiers(e->modifiers())};
    if (key.key == Key::Other && !e->text().isEmpty() && e->text().at(0).isPrint())
        key.key = Key::Character;
    // With Ctrl held Qt gives control characters as text; the key code names the letter instead.
    if (key.key == Key::Other && e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z) {
        key.key = Key::Character;
        key.text = std::string(1, char('a' + (e->key() - Qt::Key_A)));
    }
    if (key.key == Key::Other && e->key() >= 0x20 && e->key() < 0x7f) {
        key.key = Key::Character;
        key.text = std::string(1, char(e->key()));
    }
    deliver(key);
}

bool WindowHost::event(QEvent* e)
{
    if (e->type() == QEvent::Leave) {
        deliver(PointerLeave{});
        return true;
    }
    if (e->type() == QEvent::InputMethod) {
        auto* im = static_cast<QInputMethodEvent*>(e);
        if (!im->commitString().isEmpty())
            deliver(TextCommit{im->commitString().toStdString()});
        return true;
    }
    return QRasterWindow::event(e);
}

} // namespace vask_ui::qt
