#ifndef QX7_TEST_PRIVATEXSERVER_H
#define QX7_TEST_PRIVATEXSERVER_H

#include <QProcess>
#include <QString>

// An Xvfb of the test's own with two screens, made the DISPLAY of the process (its first screen),
// and xdotool typing into it.
class PrivateXServer
{
public:
    ~PrivateXServer();

    static bool available();
    // Empty on success, otherwise what went wrong.
    QString start();
    // Runs xdotool with the given actions.
    static bool xdotool(const QString& actions);

private:
    QProcess m_server;
    // The X connection that stands in for the desktop's focused window.
    void* m_listener = nullptr;
};

#endif // QX7_TEST_PRIVATEXSERVER_H
