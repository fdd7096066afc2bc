#ifndef QX7_HIDOWNER_H
#define QX7_HIDOWNER_H

#include <QString>

// What the link needs from the program around it: the view's device flags and the user-visible
// reactions to device events. The listener calls the last three from its own thread.
class HidOwner
{
public:
    virtual ~HidOwner() = default;

    virtual bool isGun() const = 0;
    virtual QString icType() const = 0;
    virtual void setCurrentDPI(int stage) = 0;
    virtual void setViewEnabled(bool enabled) = 0;
    virtual void showMessage(const QString& title, const QString& message) = 0;
};

#endif // QX7_HIDOWNER_H
