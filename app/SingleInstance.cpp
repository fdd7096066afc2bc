#include "SingleInstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

QString userName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) {
        user = qEnvironmentVariable("USERNAME");
    }
    return user;
}

} // namespace

SingleInstance::SingleInstance(const QString& identity, QObject* parent)
    : QObject(parent)
{
    const QString id = identity.isEmpty() ? defaultIdentity() : identity;
    m_key = QStringLiteral("qx7config-")
            + QString::fromLatin1(QCryptographicHash::hash(id.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

SingleInstance::~SingleInstance()
{
    if (m_server) {
        m_server->close();
    }
}

QString SingleInstance::defaultIdentity()
{
    return QCoreApplication::applicationFilePath() + QLatin1Char('|') + userName();
}

bool SingleInstance::isRunning()
{
    if (m_checked) {
        return m_running;
    }
    m_checked = true;
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    m_lock = std::make_unique<QLockFile>(dir + QLatin1Char('/') + m_key + QStringLiteral(".lock"));
    // Held for the whole run: only a dead owner makes the lock stale, never its age.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        m_running = true;
        return true;
    }
    listen();
    return false;
}

void SingleInstance::listen()
{
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a crashed instance would block the name.
    QLocalServer::removeServer(m_key);
    m_server->listen(m_key);
    connect(m_server.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                QDataStream in(socket);
                in.startTransaction();
                QString message;
                in >> message;
                if (in.commitTransaction()) {
                    emit messageReceived(message);
                    socket->disconnectFromServer();
                }
            });
        }
    });
}

bool SingleInstance::sendMessage(const QString& message, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(m_key);
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out << message;
    socket.write(data);
    if (!socket.waitForBytesWritten(timeoutMs)) {
        return false;
    }
    socket.disconnectFromServer();
    return socket.state() == QLocalSocket::UnconnectedState || socket.waitForDisconnected(timeoutMs);
}
