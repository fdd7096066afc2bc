#include "KeyCapture.h"

#include "InputHook.h"

#include <QDebug>

KeyCapture::KeyCapture(InputHook& hook)
    : m_hook(hook)
{
}

void KeyCapture::setCapturing(bool capturing)
{
    if (!capturing) {
        m_hook.removeHooks();
    } else if (!m_hook.installHooks()) {
        qDebug() << "Key capture could not be started";
    }
}
