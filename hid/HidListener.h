#ifndef QX7_HIDLISTENER_H
#define QX7_HIDLISTENER_H

#include <QMutex>
#include <atomic>
#include <thread>

class HidHandle;
class HidLink;
class HidOwner;

// The device event listener: a loop on a thread of its own that reads the event interface of one device
// and hands the stage of DPI-change reports to the owner. It ends when stopped, or at once when the device has
// no event interface, or when the interface can no longer be opened (the device was removed, and
// the owner's view is disabled). Whichever way it ends, `isListening` is false afterwards, so the
// device check takes device-change notices again.
class HidListener
{
public:
    // The wait for one event report; a stop takes effect within it.
    static constexpr int EventReadTimeoutMs = 500;

    explicit HidListener(HidLink& link);
    // Stops the loop and waits for it.
    ~HidListener();

    // Starts listening to device `index` once the previous loop has ended. `owner` may be null.
    void start(int index, HidOwner* owner);
    void stopListen();
    // Blocks until the last loop started has ended.
    void waitListener();
    bool isListening() const { return m_isListening; }
    // A loop has been started and has not ended yet.
    bool isRunning() const { return m_isRunning; }

private:
    void listenDevice(int index, HidOwner* owner);
    HidHandle* openHidDevice2(int index);

    HidLink& m_link;
    // Used by the loop's thread alone.
    HidHandle* m_hidHandle2 = nullptr;
    std::atomic<bool> m_isListening {false};
    std::atomic<bool> m_isRunning {false};
    // Held through a join, so a second waiter waits too.
    QMutex m_threadLock;
    std::thread m_thread;
};

#endif // QX7_HIDLISTENER_H
