#ifndef QX7_HIDLINK_H
#define QX7_HIDLINK_H

#include "DeviceRecord.h"
#include "HidFrame.h"

#include <QList>
#include <QMutex>
#include <memory>

class HidClock;
class HidHandle;
class HidTransport;

// The command side of the link: the known devices and the one in use, the link token, the frame
// and block buffers, and the exchanges that carry a command to the command interface with their
// fixed pauses. It runs on the caller's thread; only the device records are shared with the
// listener, under their own lock.
//
// Other code can run inside an exchange. Waiting for the token, the start of every send and every
// pause on the GUI thread process events (user input excepted, which waits for the exchange to
// end), so a timer or a queued call may start another command while this one holds the token. That command waits for
// the token, processing events itself, and gives up after its polls: the token is a flag that keeps commands of one
// thread apart, not a lock.
class HidLink
{
public:
    enum class Outcome { Ok, TokenBusy, Failed };

    // Process-wide: bytes 1-6 hold the last six-character secrecy code loaded by a handshake.
    static unsigned char SecrecyCode[8];

    // A block read gives up on a device that stops sending input reports after this long.
    static constexpr int BlockReadTimeoutMs = 1000;
    // Report lengths outside 1..MaxReportLength cannot carry a block.
    static constexpr int MaxReportLength = 4096;

    // Without a transport the link uses hidapi; without a clock it waits for real. Neither is owned.
    HidLink(HidTransport* transport, HidClock* clock);
    ~HidLink();

    void setTransport(HidTransport* transport);
    HidTransport* transport() const { return m_transport; }
    void setClock(HidClock* clock);

    // Replaces the known devices (the link owns them from here on) and frees the old ones.
    void setDeviceList(const QList<DeviceRecord*>& records);
    // A copy taken under the record lock; an empty record when out of range.
    DeviceRecord deviceRecord(int index) const;
    void setDeviceRecord(int index, const DeviceRecord& record);
    int deviceCount() const;
    int deviceIndex() const { return m_deviceIndex; }
    void setDeviceIndex(int index) { m_deviceIndex = index; }

    bool hidFree() const { return m_hidFree; }
    void setHidFree(bool free) { m_hidFree = free; }
    // How the last command ended; commands themselves return nothing.
    Outcome lastOutcome() const { return m_lastOutcome; }
    // Exchanges that failed or never got the token since the link was built.
    int failedExchanges() const { return m_failedExchanges; }
    // A command is on the way (this is then called from event processing inside it).
    bool inExchange() const { return m_commandsRunning > 0; }

    // Opens one interface of device `index` again, closing `handle` first. A failed open empties
    // that path: the interface is gone until the device check finds it again.
    HidHandle* openInterface(int index, QString DeviceRecord::*path, HidHandle*& handle);
    HidHandle* openHidDevice(int index);
    bool waitHidFree();
    void waitSettle();
    bool sendCmd(int length, bool settle);
    bool readCmd(int length);
    void pause(int milliseconds);

    // The command patterns the command sets are built from. Each takes the token first and, when
    // it cannot, writes `failTrace` and leaves the device and the caller's values alone.
    bool takeToken(const char* failTrace);
    void simpleWrite(const char* failTrace, const HidFrame::Frame& frame, bool settle);
    // Sends `length` bytes: `src` (when given) for its first `filled` bytes, zeros after them.
    void
    blockWrite(const char* failTrace, const HidFrame::Frame& frame, const unsigned char* src, int filled, int length);
    // Sequence numbers 1-4 with one value, keeping the token between the sends; only the first
    // when `firstOnly`.
    void seriesWrite(const char* failTrace, unsigned char code, unsigned char value, bool firstOnly);
    // Reads reply bytes 2 onward into `outs`. The reply buffer starts with the caller's values in
    // those places (or zeros), so a failed exchange hands them back.
    bool replyRead(const char* failTrace,
                   const HidFrame::Frame& frame,
                   unsigned char* const* outs,
                   int count,
                   bool seedWithCallerValues = true);
    // Reads a block behind the reply into `block`, which keeps its bytes where the read fails.
    void blockRead(const char* failTrace, const HidFrame::Frame& frame, unsigned char* block, int length);

private:
    class Running;

    void processEvents();
    void loadFrame(const HidFrame::Frame& frame);
    void closeCommandHandle();
    bool fail();
    static bool validReportLength(int reportLength);

    HidTransport* m_transport = nullptr;
    HidClock* m_clock = nullptr;
    std::unique_ptr<HidTransport> m_ownTransport;
    std::unique_ptr<HidClock> m_ownClock;
    mutable QMutex m_recordLock;
    QList<DeviceRecord*> m_deviceList;
    int m_deviceIndex = 1;
    HidHandle* m_hidHandle = nullptr;
    bool m_hidFree = true;
    Outcome m_lastOutcome = Outcome::Ok;
    int m_failedExchanges = 0;
    int m_commandsRunning = 0;
    unsigned char m_cmdBuf[HidFrame::FrameSize] = {};
    unsigned char m_replyBuf[HidFrame::FrameSize] = {};
    unsigned char m_dataBuf[HidFrame::BlockBufferSize] = {};
};

#endif // QX7_HIDLINK_H
