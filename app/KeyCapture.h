#ifndef QX7_KEYCAPTURE_H
#define QX7_KEYCAPTURE_H

#include "Screens.h"

class InputHook;

// The desktop is read only while a screen captures keys: the hooks (on X the RECORD context) exist
// from the first screen's request to the last screen's release, and not at all otherwise.
class KeyCapture : public CaptureControl
{
public:
    explicit KeyCapture(InputHook& hook);

    void setCapturing(bool capturing) override;

private:
    InputHook& m_hook;
};

#endif // QX7_KEYCAPTURE_H
