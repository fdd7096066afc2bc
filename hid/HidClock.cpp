#include "HidClock.h"

#include <QThread>

void RealClock::sleep(int milliseconds)
{
    if (milliseconds > 0) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    }
}
