#include "ActiveWindowX11.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QSysInfo>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t MaxTextLongs = 1024;
constexpr uint32_t MaxWindows = 4096;

uint32_t firstCard(const QByteArray& bytes)
{
    uint32_t value = 0;
    if (bytes.size() >= int(sizeof value)) {
        std::memcpy(&value, bytes.constData(), sizeof value);
    }
    return value;
}

// The first of the NUL-separated texts a property or /proc file holds.
QByteArray firstText(const QByteArray& bytes)
{
    const qsizetype end = bytes.indexOf('\0');
    return end < 0 ? bytes : bytes.left(end);
}

} // namespace

std::unique_ptr<ActiveWindowX11> ActiveWindowX11::start()
{
    std::unique_ptr<ActiveWindowX11> source(new ActiveWindowX11);
    return source->open() ? std::move(source) : nullptr;
}

ActiveWindowX11::~ActiveWindowX11()
{
    delete m_notifier;
    if (m_connection) {
        xcb_disconnect(m_connection);
    }
}

uint32_t ActiveWindowX11::atom(const char* name) const
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name), nullptr);
    const uint32_t value = reply ? reply->atom : uint32_t(XCB_ATOM_NONE);
    std::free(reply);
    return value;
}

bool ActiveWindowX11::open()
{
    int screenNumber = 0;
    m_connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(m_connection)) {
        return false;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i) {
        xcb_screen_next(&screens);
    }
    if (!screens.rem) {
        return false;
    }
    m_root = screens.data->root;
    m_activeAtom = atom("_NET_ACTIVE_WINDOW");
    m_clientListAtom = atom("_NET_CLIENT_LIST");
    m_pidAtom = atom("_NET_WM_PID");
    m_nameAtom = atom("_NET_WM_NAME");
    m_utf8Atom = atom("UTF8_STRING");
    // Other clients may watch the root too: the mask is added to what this connection selects.
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
    m_notifier = new QSocketNotifier(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read);
    QObject::connect(m_notifier, &QSocketNotifier::activated, this, &ActiveWindowX11::readEvents);
    readActive();
    return true;
}

QByteArray ActiveWindowX11::property(uint32_t window, uint32_t name, uint32_t type, uint32_t longs) const
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, name, type, 0, longs), nullptr);
    QByteArray bytes;
    // A window that is gone answers with an error, which gives no reply.
    if (reply && reply->type != XCB_ATOM_NONE) {
        bytes
            = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)), xcb_get_property_value_length(reply));
    }
    std::free(reply);
    return bytes;
}

void ActiveWindowX11::readEvents()
{
    if (xcb_connection_has_error(m_connection)) {
        m_notifier->setEnabled(false);
        return;
    }
    for (;;) {
        bool activeChanged = false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
                const auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
                activeChanged = activeChanged || (notify->window == m_root && notify->atom == m_activeAtom);
            }
            std::free(event);
        }
        if (!activeChanged) {
            return;
        }
        // Reading the window's properties may queue further events: they are taken in the next round.
        readActive();
    }
}

void ActiveWindowX11::readActive()
{
    const uint32_t window = firstCard(property(m_root, m_activeAtom, XCB_ATOM_WINDOW, 1));
    const Info info = window ? describe(window) : Info();
    if (info.application == m_current.application && info.windowClass == m_current.windowClass
        && info.title == m_current.title && info.pid == m_current.pid) {
        return;
    }
    m_current = info;
    emit changed();
}

ActiveWindow::Info ActiveWindowX11::describe(uint32_t window) const
{
    Info info;
    // WM_CLASS holds the instance name, then the class name.
    const QList<QByteArray> names = property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, MaxTextLongs).split('\0');
    info.windowClass = QString::fromLocal8Bit(names.value(1));
    QByteArray title = property(window, m_nameAtom, m_utf8Atom, MaxTextLongs);
    if (title.isEmpty()) {
        title = property(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, MaxTextLongs);
    }
    info.title = QString::fromUtf8(title);
    // A process number means something only on the machine the window's program runs on.
    const QByteArray machine = property(window, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING, MaxTextLongs);
    if (!machine.isEmpty() && QString::fromLocal8Bit(firstText(machine)) != QSysInfo::machineHostName()) {
        return info;
    }
    info.pid = firstCard(property(window, m_pidAtom, XCB_ATOM_CARDINAL, 1));
    if (info.pid > 0) {
        const QString process = QStringLiteral("/proc/%1").arg(info.pid);
        QFile cmdline(process + QStringLiteral("/cmdline"));
        const QByteArray arguments = cmdline.open(QIODevice::ReadOnly) ? cmdline.read(4096) : QByteArray();
        info.application = applicationName(QFileInfo(process + QStringLiteral("/exe")).symLinkTarget(),
                                           QString::fromLocal8Bit(firstText(arguments)));
    }
    return info;
}

QStringList ActiveWindowX11::runningApplications() const
{
    const QByteArray list = property(m_root, m_clientListAtom, XCB_ATOM_WINDOW, MaxWindows);
    QStringList names;
    for (int at = 0; at + 4 <= list.size(); at += 4) {
        const QString name = describe(firstCard(list.mid(at, 4))).application;
        if (!name.isEmpty() && !names.contains(name)) {
            names << name;
        }
    }
    return names;
}
