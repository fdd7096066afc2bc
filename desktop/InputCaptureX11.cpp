#include "InputCaptureX11.h"

#include "InputHook.h"
#include "KeyMap.h"

#include <QDebug>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>

#include <cstring>

namespace {

constexpr unsigned long StopPollMs = 100;

} // namespace

std::unique_ptr<InputCaptureX11> InputCaptureX11::start(InputHook& hook, int startTimeoutMs)
{
    std::unique_ptr<InputCaptureX11> capture(new InputCaptureX11(hook));
    if (!capture->open(startTimeoutMs)) {
        capture->remove();
        return nullptr;
    }
    return capture;
}

InputCaptureX11::InputCaptureX11(InputHook& hook)
    : m_hook(hook)
{
}

InputCaptureX11::~InputCaptureX11()
{
    remove();
}

bool InputCaptureX11::open(int startTimeoutMs)
{
    m_control = XOpenDisplay(nullptr);
    if (!m_control) {
        return false;
    }
    int major = 0;
    int minor = 0;
    if (!XRecordQueryVersion(m_control, &major, &minor)) {
        qDebug() << "X server has no RECORD extension";
        return false;
    }
    // Recording blocks its connection, so it gets one of its own.
    m_data = XOpenDisplay(nullptr);
    if (!m_data) {
        return false;
    }
    XRecordRange* range = XRecordAllocRange();
    if (!range) {
        return false;
    }
    range->device_events.first = KeyPress;
    range->device_events.last = ButtonRelease;
    XRecordClientSpec clients = XRecordAllClients;
    m_context = XRecordCreateContext(m_control, 0, &clients, 1, &range, 1);
    XFree(range);
    if (!m_context) {
        return false;
    }
    XSync(m_control, False);

    auto intercept = [](XPointer closure, XRecordInterceptData* data) {
        auto* self = reinterpret_cast<InputCaptureX11*>(closure);
        if (data->category == XRecordStartOfData) {
            self->m_recording = true;
            self->m_started.release();
        } else if (data->category == XRecordFromServer) {
            // The length counts 4-byte units.
            RecordedEvent event;
            if (parseRecordedEvent(data->data, size_t(data->data_len) * 4, event)) {
                self->deliver(event);
            }
        }
        XRecordFreeData(data);
    };
    XRecordInterceptProc proc = intercept;
    m_thread = QThread::create([this, proc] {
        XRecordEnableContext(m_data, m_context, proc, reinterpret_cast<XPointer>(this));
        // Also wakes open() when the recording never began.
        m_recording = false;
        m_started.release();
    });
    m_thread->start();
    m_started.tryAcquire(1, startTimeoutMs);
    return m_recording;
}

bool InputCaptureX11::parseRecordedEvent(const unsigned char* data, size_t length, RecordedEvent& event)
{
    if (!data || length < sizeof(xEvent)) {
        return false;
    }
    // The bytes need not be aligned for the event's fields.
    xEvent raw;
    std::memcpy(&raw, data, sizeof raw);
    // Bit 7 only marks events that a client sent.
    event.type = raw.u.u.type & 0x7F;
    event.detail = raw.u.u.detail;
    event.state = raw.u.keyButtonPointer.state;
    event.rootX = raw.u.keyButtonPointer.rootX;
    event.rootY = raw.u.keyButtonPointer.rootY;
    return true;
}

void InputCaptureX11::translate(InputHook& hook, const RecordedEvent& event)
{
    const bool pressed = event.type == KeyPress || event.type == ButtonPress;
    if (event.type == KeyPress || event.type == KeyRelease) {
        uint8_t scan = 0;
        bool extended = false;
        if (KeyMap::xKeycodeToScan(event.detail, scan, extended)) {
            const uint32_t flags
                = (extended ? KeyMap::ExtendedFlag : 0u) | ((event.state & Mod1Mask) ? KeyMap::AltDownFlag : 0u);
            hook.keyboardEvent(KeyMap::HookAction, pressed ? KeyMap::KeyDown : KeyMap::KeyUp, scan, flags);
        }
    } else if (event.type == ButtonPress || event.type == ButtonRelease) {
        if (const uint32_t message = KeyMap::xButtonMessage(event.detail, pressed)) {
            hook.mouseEvent(KeyMap::HookAction, message, event.rootX, event.rootY);
        }
    }
}

void InputCaptureX11::deliver(const RecordedEvent& event)
{
    // Runs on the recording thread: only queue, the translation belongs to the GUI thread.
    QMetaObject::invokeMethod(
        this, [this, event] { translate(m_hook, event); }, Qt::QueuedConnection);
}

void InputCaptureX11::remove()
{
    if (m_thread) {
        // A recording that begins late ignores an earlier stop request, so repeat it until the
        // thread has ended.
        do {
            XRecordDisableContext(m_control, m_context);
            XSync(m_control, False);
        } while (!m_thread->wait(StopPollMs));
        delete m_thread;
        m_thread = nullptr;
    }
    if (m_context) {
        XRecordFreeContext(m_control, m_context);
        m_context = 0;
    }
    if (m_data) {
        XCloseDisplay(m_data);
        m_data = nullptr;
    }
    if (m_control) {
        XCloseDisplay(m_control);
        m_control = nullptr;
    }
}
