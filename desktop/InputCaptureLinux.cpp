#include "InputCaptureQt.h"
#include "InputCaptureX11.h"

#include <QGuiApplication>

std::unique_ptr<InputCapture> InputCapture::start(InputHook& hook, Source source)
{
    // Under Wayland an X display is only the compatibility server, which sees none of the
    // native windows' input.
    const bool wayland = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                         && QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (source == Source::Desktop && !wayland) {
        if (auto capture = InputCaptureX11::start(hook)) {
            return capture;
        }
    }
    return InputCaptureQt::start(hook);
}
