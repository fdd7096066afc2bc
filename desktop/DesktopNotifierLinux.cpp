#include "DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDebug>
#include <QSet>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");

// The freedesktop notification service on the session bus.
class FreedesktopNotifier : public DesktopNotifier
{
    Q_OBJECT

public:
    explicit FreedesktopNotifier(QObject* parent)
        : DesktopNotifier(parent)
        , m_bus(QDBusConnection::sessionBus())
    {
        m_bus.connect(
            Service, Path, Service, QStringLiteral("ActionInvoked"), this, SLOT(onActionInvoked(uint, QString)));
        m_bus.connect(Service, Path, Service, QStringLiteral("NotificationClosed"), this, SLOT(onClosed(uint, uint)));
    }

    void notify(const QString& title, const QString& body, bool warning, const QStringList& actions) override
    {
        // Urgency 1 normal, 2 critical: a warning stays until the user has seen it.
        const QVariantMap hints {{QStringLiteral("desktop-entry"), QStringLiteral("qx7-config")},
                                 {QStringLiteral("urgency"), QVariant::fromValue(uchar(warning ? 2 : 1))}};
        QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Service, QStringLiteral("Notify"));
        call << QStringLiteral("QX7 Config") << uint(0) << QStringLiteral("qx7-config") << title << body << actions
             << hints << int(warning ? 0 : 10000);
        auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, title, body](QDBusPendingCallWatcher* w) {
            const QDBusPendingReply<uint> reply = *w;
            if (reply.isError()) {
                qDebug().noquote() << "Message not shown:" << title << body << "-" << reply.error().message();
            } else {
                m_shown.insert(reply.value());
            }
            w->deleteLater();
        });
    }

private slots:
    void onActionInvoked(uint id, const QString& key)
    {
        if (m_shown.contains(id)) {
            emit actionInvoked(key);
        }
    }

    void onClosed(uint id, uint reason)
    {
        Q_UNUSED(reason);
        m_shown.remove(id);
    }

private:
    QDBusConnection m_bus;
    // Ids of this program's messages still on the desktop; other programs' actions are theirs.
    QSet<uint> m_shown;
};

} // namespace

DesktopNotifier* DesktopNotifier::create(QObject* parent)
{
    return new FreedesktopNotifier(parent);
}

#include "DesktopNotifierLinux.moc"
