#ifndef QX7_INPUTCAPTUREX11_H
#define QX7_INPUTCAPTUREX11_H

#include "InputCapture.h"

#include <QObject>
#include <QSemaphore>

#include <atomic>
#include <cstddef>

class QThread;

// Key and button events of the whole X desktop through the RECORD extension. A worker thread
// blocks in the recording and queues each event to the GUI thread.
class InputCaptureX11 : public QObject, public InputCapture
{
    Q_OBJECT

public:
    // Null when there is no X display, it lacks RECORD, or the recording has not begun within
    // `startTimeoutMs` (negative: no limit).
    static std::unique_ptr<InputCaptureX11> start(InputHook& hook, int startTimeoutMs = DefaultStartTimeoutMs);
    static constexpr int DefaultStartTimeoutMs = 5000;
    ~InputCaptureX11() override;

    void remove() override;

    // One key or button event of the recording, as the server sent it.
    struct RecordedEvent
    {
        int type = 0;
        unsigned detail = 0;
        unsigned state = 0;
        int rootX = 0;
        int rootY = 0;
    };
    // The event at the start of `length` bytes from the server; false when they hold no whole event.
    static bool parseRecordedEvent(const unsigned char* data, size_t length, RecordedEvent& event);
    // Hands a key or button event to the hook as a Windows hook would have seen it.
    static void translate(InputHook& hook, const RecordedEvent& event);

private:
    explicit InputCaptureX11(InputHook& hook);
    bool open(int startTimeoutMs);
    void deliver(const RecordedEvent& event);

    InputHook& m_hook;
    struct _XDisplay* m_control = nullptr;
    struct _XDisplay* m_data = nullptr;
    unsigned long m_context = 0;
    QThread* m_thread = nullptr;
    QSemaphore m_started;
    std::atomic<bool> m_recording {false};
};

#endif // QX7_INPUTCAPTUREX11_H
