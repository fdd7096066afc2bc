#ifndef QX7_DEVICECHANGEMONITOR_H
#define QX7_DEVICECHANGEMONITOR_H

#include <QObject>

// Tells when HID devices may have come or gone. The program only restarts its device-check timer
// on it, so a notice too many costs nothing.
class DeviceChangeMonitor : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    // Watches the system's device nodes; `folder` replaces /dev for tests.
    static DeviceChangeMonitor* create(QObject* parent = nullptr, const QString& folder = QString());

signals:
    void devicesChanged();
};

#endif // QX7_DEVICECHANGEMONITOR_H
