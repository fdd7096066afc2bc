#include "InputCaptureQt.h"

#include "InputHook.h"
#include "KeyMap.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

uint32_t mouseMessage(QEvent::Type type, Qt::MouseButton button)
{
    const bool press = type == QEvent::MouseButtonPress;
    const bool release = type == QEvent::MouseButtonRelease;
    switch (button) {
        case Qt::LeftButton:
            return press ? KeyMap::LeftButtonDown : release ? KeyMap::LeftButtonUp : KeyMap::LeftButtonDoubleClick;
        case Qt::RightButton:
            return press ? KeyMap::RightButtonDown : release ? KeyMap::RightButtonUp : KeyMap::RightButtonDoubleClick;
        case Qt::MiddleButton:
            return press     ? KeyMap::MiddleButtonDown
                   : release ? KeyMap::MiddleButtonUp
                             : KeyMap::MiddleButtonDoubleClick;
        case Qt::BackButton:
        case Qt::ForwardButton:
            return release ? KeyMap::SideButtonUp : KeyMap::SideButtonDown;
        default:
            return 0;
    }
}

} // namespace

std::unique_ptr<InputCaptureQt> InputCaptureQt::start(InputHook& hook)
{
    if (!QCoreApplication::instance()) {
        return nullptr;
    }
    std::unique_ptr<InputCaptureQt> capture(new InputCaptureQt(hook));
    QCoreApplication::instance()->installEventFilter(capture.get());
    capture->m_installed = true;
    return capture;
}

InputCaptureQt::InputCaptureQt(InputHook& hook)
    : m_hook(hook)
{
}

InputCaptureQt::~InputCaptureQt()
{
    remove();
}

void InputCaptureQt::remove()
{
    if (m_installed && QCoreApplication::instance()) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
    m_installed = false;
}

bool InputCaptureQt::eventFilter(QObject* watched, QEvent* event)
{
    // The window system delivers each input event to one window; from there it is passed on to
    // widgets, items and embedded windows (a QQuickWidget's), which must not count it again.
    if (!watched->isWindowType() || !event->spontaneous()) {
        return false;
    }
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            uint8_t scan = 0;
            bool extended = false;
            if (!key->isAutoRepeat() && KeyMap::xKeycodeToScan(key->nativeScanCode(), scan, extended)) {
                const uint32_t flags = (extended ? KeyMap::ExtendedFlag : 0u)
                                       | (key->modifiers() & Qt::AltModifier ? KeyMap::AltDownFlag : 0u);
                m_hook.keyboardEvent(KeyMap::HookAction,
                                     event->type() == QEvent::KeyPress ? KeyMap::KeyDown : KeyMap::KeyUp,
                                     scan,
                                     flags);
            }
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (const uint32_t message = mouseMessage(event->type(), mouse->button())) {
                const QPoint position = mouse->globalPosition().toPoint();
                m_hook.mouseEvent(KeyMap::HookAction, message, position.x(), position.y());
            }
            break;
        }
        default:
            break;
    }
    return false;
}
