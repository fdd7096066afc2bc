#ifndef QX7_CHECKTIMER_H
#define QX7_CHECKTIMER_H

#include <QObject>
#include <QTimer>

// The single-shot timer that turns a burst of device-change notices into one device check.
// Tests replace it with one that runs on their own clock.
class CheckTimer : public QObject
{
    Q_OBJECT

public:
    static constexpr int IntervalMs = 2048;

    using QObject::QObject;
    // (Re)starts the full interval.
    virtual void restart() = 0;
    virtual bool isActive() const = 0;

signals:
    void timeout();
};

class QtCheckTimer : public CheckTimer
{
    Q_OBJECT

public:
    explicit QtCheckTimer(QObject* parent = nullptr)
        : CheckTimer(parent)
    {
        m_timer.setSingleShot(true);
        m_timer.setInterval(IntervalMs);
        connect(&m_timer, &QTimer::timeout, this, &CheckTimer::timeout);
    }
    void restart() override { m_timer.start(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

#endif // QX7_CHECKTIMER_H
