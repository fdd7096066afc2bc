#ifndef QX7_SCENECALLS_H
#define QX7_SCENECALLS_H

// The scene functions the device operations call; the view implements them, tests record them.
class SceneCalls
{
public:
    virtual ~SceneCalls() = default;
    virtual void setProtectUI(int milliseconds) = 0;
    // May be called from the listener's thread: implementations deliver it to the GUI thread.
    virtual void setCurrentDPI(int stage) = 0;
};

#endif // QX7_SCENECALLS_H
