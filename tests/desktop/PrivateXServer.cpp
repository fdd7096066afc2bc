#include "PrivateXServer.h"

#include <QStandardPaths>
#include <QStringList>

#include <X11/Xlib.h>

PrivateXServer::~PrivateXServer()
{
    if (m_listener) {
        XCloseDisplay(static_cast<Display*>(m_listener));
    }
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        m_server.waitForFinished();
    }
}

bool PrivateXServer::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()
           && !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

QString PrivateXServer::start()
{
    // The server picks a free display itself and writes its number to the given descriptor.
    m_server.start(
        QStandardPaths::findExecutable(QStringLiteral("Xvfb")),
        QStringLiteral("-displayfd 1 -screen 0 800x600x24 -screen 1 320x240x24 -nolisten tcp").split(QLatin1Char(' ')));
    if (!m_server.waitForStarted()) {
        return QStringLiteral("Xvfb did not start");
    }
    while (!m_server.canReadLine()) {
        if (!m_server.waitForReadyRead(30000)) {
            return QString::fromLocal8Bit(m_server.readAllStandardError());
        }
    }
    const QByteArray number = m_server.readLine().trimmed();
    if (number.isEmpty()) {
        return QStringLiteral("Xvfb gave no display number");
    }
    qputenv("DISPLAY", ":" + number);
    // On a desktop some window always receives the input, and delivering it makes the server send
    // out what it recorded. Here the root window stands in for that window.
    Display* listener = XOpenDisplay(nullptr);
    if (!listener) {
        return QStringLiteral("cannot open the display");
    }
    m_listener = listener;
    XSelectInput(
        listener, DefaultRootWindow(listener), KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask);
    XSync(listener, False);
    return {};
}

bool PrivateXServer::xdotool(const QString& actions)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), actions.split(QLatin1Char(' ')));
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
