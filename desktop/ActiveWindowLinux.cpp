#include "ActiveWindowX11.h"

std::unique_ptr<ActiveWindow> ActiveWindow::create()
{
    // A Wayland session gives no program the application in front; its X server sees only the
    // programs that run through it, and cannot tell when a Wayland window takes the front.
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return nullptr;
    }
    return ActiveWindowX11::start();
}
