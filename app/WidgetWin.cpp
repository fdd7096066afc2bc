#include "Widget.h"

#include <windows.h>

void Widget::requestRestore()
{
    PostMessageW(reinterpret_cast<HWND>(winId()), WM_SYSCOMMAND, SC_RESTORE, 0);
}

bool Widget::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    Q_UNUSED(eventType);
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_DEVICECHANGE) {
        deviceChanged();
    } else if (msg->message == WM_SYSCOMMAND && msg->wParam == SC_RESTORE) {
        restoreWindow();
    }
    // The message always goes on to the default handling.
    return *result != 0;
}
