#ifndef QX7_ACTIVEWINDOWX11_H
#define QX7_ACTIVEWINDOWX11_H

#include "ActiveWindow.h"

#include <cstdint>

class QSocketNotifier;
struct xcb_connection_t;

// The window manager's _NET_ACTIVE_WINDOW on the root window, read at each change of the property;
// the window's _NET_WM_PID gives its process, whose executable names the application.
class ActiveWindowX11 : public ActiveWindow
{
public:
    // Null without an X display.
    static std::unique_ptr<ActiveWindowX11> start();
    ~ActiveWindowX11() override;

    Info current() const override { return m_current; }
    QStringList runningApplications() const override;

private:
    ActiveWindowX11() = default;
    bool open();
    void readEvents();
    void readActive();
    Info describe(uint32_t window) const;
    QByteArray property(uint32_t window, uint32_t name, uint32_t type, uint32_t longs) const;
    uint32_t atom(const char* name) const;

    xcb_connection_t* m_connection = nullptr;
    uint32_t m_root = 0;
    uint32_t m_activeAtom = 0;
    uint32_t m_clientListAtom = 0;
    uint32_t m_pidAtom = 0;
    uint32_t m_nameAtom = 0;
    uint32_t m_utf8Atom = 0;
    QSocketNotifier* m_notifier = nullptr;
    Info m_current;
};

#endif // QX7_ACTIVEWINDOWX11_H
