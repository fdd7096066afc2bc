#ifndef QX7_HIDOWNER_H
#define QX7_HIDOWNER_H

#include "ControllerFamily.h"

// What the link needs from the program around it: the view's device flags and where device events
// go. The listener calls the last two from its own thread; the program words what the user sees.
class HidOwner
{
public:
    virtual ~HidOwner() = default;

    virtual bool isGun() const = 0;
    virtual ControllerFamily family() const = 0;
    // The mouse reports DPI stage `stage` (its byte as it came).
    virtual void setCurrentDPI(int stage) = 0;
    virtual void setViewEnabled(bool enabled) = 0;
};

#endif // QX7_HIDOWNER_H
