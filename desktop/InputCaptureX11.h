#ifndef QX7_INPUTCAPTUREX11_H
#define QX7_INPUTCAPTUREX11_H

#include "InputCapture.h"

#include <QObject>
#include <QSemaphore>

#include <atomic>

class QThread;

// Key and button events of the whole X desktop through the RECORD extension. A worker thread
// blocks in the recording and queues each event to the GUI thread.
class InputCaptureX11 : public QObject, public InputCapture
{
    Q_OBJECT

public:
    // Null when there is no X display or it lacks RECORD.
    static std::unique_ptr<InputCaptureX11> start(InputHook& hook);
    ~InputCaptureX11() override;

    void remove() override;

private:
    explicit InputCaptureX11(InputHook& hook);
    bool open();
    void deliver(int type, unsigned detail, unsigned state, int rootX, int rootY);

    InputHook& m_hook;
    struct _XDisplay* m_control = nullptr;
    struct _XDisplay* m_data = nullptr;
    unsigned long m_context = 0;
    QThread* m_thread = nullptr;
    QSemaphore m_started;
    std::atomic<bool> m_recording {false};
};

#endif // QX7_INPUTCAPTUREX11_H
