#include "HidClock.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace {

bool onApplicationThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && app->thread() == QThread::currentThread();
}

} // namespace

void RealClock::sleep(int milliseconds)
{
    if (onApplicationThread()) {
        waitTurningEvents(milliseconds);
    } else if (milliseconds > 0) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    }
}

void RealClock::waitTurningEvents(int milliseconds)
{
    const QDeadlineTimer deadline(qMax(milliseconds, 0), Qt::PreciseTimer);
    // Only wakes the blocking wait below when the pause is over; it has nothing to do itself.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    // Not a QEventLoop: once the application has been told to quit, a nested loop returns at once,
    // which would cut the pause short and send the next report too early. processEvents keeps
    // working then.
    do {
        if (!wake.isActive()) {
            wake.start(static_cast<int>(qMax<qint64>(deadline.remainingTime(), 0)));
        }
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    } while (!deadline.hasExpired());
    // Input held back can sit where the window system's queue is only looked at again when more
    // traffic arrives; wake the loop so the next pass that admits input delivers it.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        dispatcher->wakeUp();
    }
}
