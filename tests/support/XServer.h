#ifndef QX7_XSERVER_H
#define QX7_XSERVER_H

#include <QByteArray>
#include <QtGlobal>

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// A private Xvfb for tests that need a real X server; DISPLAY points at it once it accepts
// connections. Start it before the application when Qt is to connect to it.
class XServer
{
public:
    bool start()
    {
        int fds[2];
        if (pipe(fds) != 0) {
            return false;
        }
        // Made before the fork: the child of a threaded program only closes and executes.
        const std::string fd = std::to_string(fds[1]);
        m_pid = fork();
        if (m_pid == 0) {
            ::close(fds[0]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "800x600x24", "-nolisten", "tcp", nullptr);
            _exit(127);
        }
        ::close(fds[1]);
        // The server writes its display number once it accepts connections.
        std::string number;
        char c = 0;
        while (m_pid > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n') {
            number += c;
        }
        ::close(fds[0]);
        if (number.empty()) {
            return false;
        }
        qputenv("DISPLAY", QByteArray(":") + number.c_str());
        return true;
    }

    ~XServer()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }

private:
    pid_t m_pid = -1;
};

#endif // QX7_XSERVER_H
