#ifndef QX7_INPUTCAPTUREWIN_H
#define QX7_INPUTCAPTUREWIN_H

#include "InputCapture.h"

// The low-level keyboard and mouse hooks of the Windows desktop. Windows calls them on the
// installing (GUI) thread while it pumps messages.
class InputCaptureWin : public InputCapture
{
public:
    // Both hooks or none: a hook whose partner failed is removed at once.
    static std::unique_ptr<InputCaptureWin> start();
    ~InputCaptureWin() override;

    void remove() override;

private:
    InputCaptureWin() = default;
};

#endif // QX7_INPUTCAPTUREWIN_H
