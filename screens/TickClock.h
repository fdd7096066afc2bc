#ifndef QX7_TICKCLOCK_H
#define QX7_TICKCLOCK_H

#include <QElapsedTimer>

// The 10 ms tick counter of a macro recording, read off a monotonic clock rather than counted by
// a timer, so that a busy machine cannot lose ticks. Tests replace now() with a clock they drive.
class TickClock
{
public:
    static constexpr int TickMs = 10;

    TickClock();
    virtual ~TickClock() = default;

    void zero();
    qint64 ticks() const;

protected:
    // Milliseconds on a clock that never goes back.
    virtual qint64 now() const;

private:
    QElapsedTimer m_timer;
    qint64 m_zero = 0;
};

#endif // QX7_TICKCLOCK_H
