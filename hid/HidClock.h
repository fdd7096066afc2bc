#ifndef QX7_HIDCLOCK_H
#define QX7_HIDCLOCK_H

// Every pause the link takes goes through a clock, so tests can see the pauses without waiting.
class HidClock
{
public:
    virtual ~HidClock() = default;
    virtual void sleep(int milliseconds) = 0;
};

// Waits for real.
class RealClock : public HidClock
{
public:
    void sleep(int milliseconds) override;
};

// Returns at once; with tracing on, the link still writes each pause.
class NoWaitClock : public HidClock
{
public:
    void sleep(int) override { }
};

#endif // QX7_HIDCLOCK_H
