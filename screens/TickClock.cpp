#include "TickClock.h"

TickClock::TickClock()
{
    m_timer.start();
}

void TickClock::zero()
{
    m_zero = now();
}

qint64 TickClock::ticks() const
{
    return qMax<qint64>(0, now() - m_zero) / TickMs;
}

qint64 TickClock::now() const
{
    return m_timer.elapsed();
}
