#ifndef QX7_TEST_NOTIFICATIONDESK_H
#define QX7_TEST_NOTIFICATIONDESK_H

#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QVariantMap>

// A desktop's notification service as a desktop without a tray offers it: a session bus of the
// test's own, made this process's session bus, and a notification server on it that keeps what it
// is given.
class NotificationDesk : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Message
    {
        uint id;
        QString app;
        QString title;
        QString body;
        QStringList actions;
        QVariantMap hints;
    };

    ~NotificationDesk() override;

    static bool available();
    // Empty on success, otherwise what went wrong.
    QString start();
    QString address() const { return m_address; }

    // As the user clicking a button of a message (or the message itself, "default").
    void invoke(uint id, const QString& key);

    QList<Message> shown;

public slots:
    uint Notify(const QString& app,
                uint replacesId,
                const QString& icon,
                const QString& title,
                const QString& body,
                const QStringList& actions,
                const QVariantMap& hints,
                int timeout);
    QStringList GetCapabilities();
    void CloseNotification(uint id);

signals:
    void ActionInvoked(uint id, const QString& key);
    void NotificationClosed(uint id, uint reason);

private:
    QProcess m_daemon;
    QString m_address;
};

#endif // QX7_TEST_NOTIFICATIONDESK_H
