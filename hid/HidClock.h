#ifndef QX7_HIDCLOCK_H
#define QX7_HIDCLOCK_H

// Every pause the link takes goes through a clock, so tests can see the pauses without waiting.
class HidClock
{
public:
    virtual ~HidClock() = default;
    virtual void sleep(int milliseconds) = 0;
};

// Waits for real. On the thread that runs the application's event loop the wait keeps that loop
// turning, so the window repaints, timers fire and the window manager's pings are answered, while
// user input (mouse, keyboard, wheel, touch, close requests) stays queued until later; on any other
// thread it is a plain sleep.
class RealClock : public HidClock
{
public:
    void sleep(int milliseconds) override;

    // The wait of the application's thread: at least `milliseconds` long, and events other than
    // user input are processed at least once, even for 0. Code run from those events may start
    // another command inside the caller's exchange.
    static void waitTurningEvents(int milliseconds);
};

// Returns at once; with tracing on, the link still writes each pause.
class NoWaitClock : public HidClock
{
public:
    void sleep(int) override { }
};

#endif // QX7_HIDCLOCK_H
