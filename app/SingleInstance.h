#ifndef QX7_SINGLEINSTANCE_H
#define QX7_SINGLEINSTANCE_H

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

// One running instance per executable path and user: the first start holds a lock file and listens on
// a local socket; later starts find the lock and send their message there instead.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // An empty identity is derived from the executable's path and the user.
    explicit SingleInstance(const QString& identity = {}, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another instance is running; otherwise this one becomes the running instance.
    bool isRunning();
    // Sends a message to the running instance; false when it did not arrive within the time.
    bool sendMessage(const QString& message, int timeoutMs);

    QString serverName() const { return m_key; }
    static QString defaultIdentity();

signals:
    void messageReceived(const QString& message);

private:
    void listen();

    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
    bool m_checked = false;
    bool m_running = false;
};

#endif // QX7_SINGLEINSTANCE_H
