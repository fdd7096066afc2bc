#ifndef QX7_TEST_PRIVATEXSERVER_H
#define QX7_TEST_PRIVATEXSERVER_H

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <X11/Xlib.h>

// An Xvfb of the test's own, made the DISPLAY of the process, and xdotool typing into it.
class PrivateXServer
{
public:
    ~PrivateXServer()
    {
        if (m_listener) {
            XCloseDisplay(m_listener);
        }
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            m_server.waitForFinished();
        }
    }

    static bool available()
    {
        return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()
               && !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
    }

    // Empty on success, otherwise what went wrong.
    QString start()
    {
        // The server picks a free display itself and writes its number to the given descriptor.
        m_server.start(QStandardPaths::findExecutable(QStringLiteral("Xvfb")),
                       QStringLiteral("-displayfd 1 -screen 0 800x600x24 -nolisten tcp").split(QLatin1Char(' ')));
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
        // On a desktop some window always receives the input, and delivering it makes the server
        // send out what it recorded. Here the root window stands in for that window.
        m_listener = XOpenDisplay(nullptr);
        if (!m_listener) {
            return QStringLiteral("cannot open the display");
        }
        XSelectInput(m_listener,
                     DefaultRootWindow(m_listener),
                     KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask);
        XSync(m_listener, False);
        return {};
    }

    // Runs xdotool with the given actions.
    static bool xdotool(const QString& actions)
    {
        QProcess process;
        process.start(QStringLiteral("xdotool"), actions.split(QLatin1Char(' ')));
        return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

private:
    QProcess m_server;
    Display* m_listener = nullptr;
};

#endif // QX7_TEST_PRIVATEXSERVER_H
