#ifndef QX7_INPUTCAPTUREQT_H
#define QX7_INPUTCAPTUREQT_H

#include "InputCapture.h"

#include <QObject>

// The program's own key and mouse events, where the desktop's cannot be observed (Wayland,
// offscreen). Keys need the native scan code the Linux platforms give (X key code, evdev + 8).
class InputCaptureQt : public QObject, public InputCapture
{
    Q_OBJECT

public:
    // Null without an application object.
    static std::unique_ptr<InputCaptureQt> start(InputHook& hook);
    ~InputCaptureQt() override;

    void remove() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit InputCaptureQt(InputHook& hook);

    InputHook& m_hook;
    bool m_installed = false;
};

#endif // QX7_INPUTCAPTUREQT_H
