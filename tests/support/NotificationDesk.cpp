#include "NotificationDesk.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QStandardPaths>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString ServerConnection = QStringLiteral("qx7-notification-server");

} // namespace

NotificationDesk::~NotificationDesk()
{
    QDBusConnection::disconnectFromBus(ServerConnection);
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }
}

bool NotificationDesk::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty();
}

QString NotificationDesk::start()
{
    m_daemon.start(QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")),
                   {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    if (!m_daemon.waitForStarted()) {
        return QStringLiteral("dbus-daemon did not start");
    }
    while (!m_daemon.canReadLine()) {
        if (!m_daemon.waitForReadyRead(30000)) {
            return QString::fromLocal8Bit(m_daemon.readAllStandardError());
        }
    }
    m_address = QString::fromLocal8Bit(m_daemon.readLine().trimmed());
    // Before anything in this process asks for the session bus.
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toLocal8Bit());
    QDBusConnection server = QDBusConnection::connectToBus(m_address, ServerConnection);
    if (!server.isConnected() || !server.registerService(Service)
        || !server.registerObject(QStringLiteral("/org/freedesktop/Notifications"),
                                  this,
                                  QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals)) {
        return QStringLiteral("the notification server could not be registered: ") + server.lastError().message();
    }
    return {};
}

void NotificationDesk::invoke(uint id, const QString& key)
{
    emit ActionInvoked(id, key);
}

uint NotificationDesk::Notify(const QString& app,
                              uint replacesId,
                              const QString& icon,
                              const QString& title,
                              const QString& body,
                              const QStringList& actions,
                              const QVariantMap& hints,
                              int timeout)
{
    Q_UNUSED(replacesId);
    Q_UNUSED(icon);
    Q_UNUSED(timeout);
    const uint id = uint(shown.size()) + 1;
    shown << Message {id, app, title, body, actions, hints};
    return id;
}

QStringList NotificationDesk::GetCapabilities()
{
    return {QStringLiteral("actions"), QStringLiteral("body")};
}

void NotificationDesk::CloseNotification(uint id)
{
    emit NotificationClosed(id, 3);
}
