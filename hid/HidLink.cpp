#include "HidLink.h"

#include "HidClock.h"
#include "HidScrambler.h"
#include "HidTrace.h"
#include "HidTransport.h"
#include "HidapiTransport.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMutexLocker>
#include <QThread>
#include <algorithm>
#include <cstring>
#include <vector>

unsigned char HidLink::SecrecyCode[8] = {};

namespace {

constexpr int TokenPolls = 255;
constexpr int TokenPollMs = 8;
constexpr int SettleHalfMs = 64;
constexpr int BlockReportGapMs = 120;
constexpr int UnsettledWriteMs = 8;
constexpr int SeriesLength = 4;

} // namespace

// Marks a command as under way for as long as its pattern runs, token wait included.
class HidLink::Running
{
public:
    explicit Running(HidLink& link)
        : m_link(link)
    {
        ++m_link.m_commandsRunning;
    }
    ~Running() { --m_link.m_commandsRunning; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

private:
    HidLink& m_link;
};

HidLink::HidLink(HidTransport* transport, HidClock* clock)
{
    setTransport(transport);
    setClock(clock);
}

HidLink::~HidLink()
{
    closeCommandHandle();
    qDeleteAll(m_deviceList);
}

void HidLink::setTransport(HidTransport* transport)
{
    if (!transport) {
        if (!m_ownTransport) {
            m_ownTransport = std::make_unique<HidapiTransport>();
        }
        transport = m_ownTransport.get();
    }
    m_transport = transport;
}

void HidLink::setClock(HidClock* clock)
{
    if (!clock) {
        if (!m_ownClock) {
            m_ownClock = std::make_unique<RealClock>();
        }
        clock = m_ownClock.get();
    }
    m_clock = clock;
}

void HidLink::setDeviceList(const QList<DeviceRecord*>& records)
{
    QList<DeviceRecord*> old;
    {
        QMutexLocker lock(&m_recordLock);
        old = m_deviceList;
        m_deviceList = records;
    }
    qDeleteAll(old);
}

DeviceRecord HidLink::deviceRecord(int index) const
{
    QMutexLocker lock(&m_recordLock);
    if (index < 0 || index >= m_deviceList.size() || !m_deviceList.at(index)) {
        return {};
    }
    return *m_deviceList.at(index);
}

void HidLink::setDeviceRecord(int index, const DeviceRecord& record)
{
    QMutexLocker lock(&m_recordLock);
    if (index >= 0 && index < m_deviceList.size() && m_deviceList.at(index)) {
        *m_deviceList[index] = record;
    }
}

int HidLink::deviceCount() const
{
    QMutexLocker lock(&m_recordLock);
    return m_deviceList.size();
}

HidHandle* HidLink::openInterface(int index, QString DeviceRecord::*path, HidHandle*& handle)
{
    QString wanted;
    {
        QMutexLocker lock(&m_recordLock);
        if (index < 0 || index >= m_deviceList.size() || !m_deviceList.at(index)) {
            return nullptr;
        }
        wanted = m_deviceList.at(index)->*path;
    }
    if (wanted.isEmpty()) {
        return nullptr;
    }
    if (handle) {
        m_transport->close(handle);
        handle = nullptr;
    }
    handle = m_transport->open(wanted.toLatin1());
    if (!handle) {
        HidTrace::note("hid open-failed " + wanted.toLatin1());
        QMutexLocker lock(&m_recordLock);
        // The device check may have put a fresh record in place meanwhile; that one stays.
        if (index < m_deviceList.size() && m_deviceList.at(index) && m_deviceList.at(index)->*path == wanted) {
            (m_deviceList[index]->*path).clear();
        }
        return nullptr;
    }
    m_transport->setNonBlocking(handle, false);
    return handle;
}

HidHandle* HidLink::openHidDevice(int index)
{
    return openInterface(index, &DeviceRecord::path, m_hidHandle);
}

void HidLink::processEvents()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app && app->thread() == QThread::currentThread()) {
        // As in the pauses, user input waits until the exchange is over: a click or key handled here
        // would start a command that finds the token taken and is dropped.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void HidLink::pause(int milliseconds)
{
    HidTrace::sleep(milliseconds);
    m_clock->sleep(milliseconds);
}

bool HidLink::waitHidFree()
{
    for (int countdown = TokenPolls; countdown > 0; --countdown) {
        if (m_hidFree) {
            m_hidFree = false;
            return true;
        }
        pause(TokenPollMs);
        processEvents();
    }
    return false;
}

void HidLink::waitSettle()
{
    pause(SettleHalfMs);
    pause(SettleHalfMs);
}

void HidLink::closeCommandHandle()
{
    if (m_hidHandle) {
        m_transport->close(m_hidHandle);
        m_hidHandle = nullptr;
    }
}

bool HidLink::fail()
{
    closeCommandHandle();
    m_hidFree = true;
    m_lastOutcome = Outcome::Failed;
    ++m_failedExchanges;
    return false;
}

bool HidLink::validReportLength(int reportLength)
{
    return reportLength >= 1 && reportLength <= MaxReportLength;
}

// Every report of an exchange goes out on a freshly opened handle, as the mouse has always been
// driven: a device pulled out between two reports shows as a failed open, which empties its path so
// that later commands stay away until the device check finds it again; and no handle is left open
// while events run in the pauses, where other code may reach the link.
bool HidLink::sendCmd(int length, bool settle)
{
    processEvents();
    if (!openHidDevice(m_deviceIndex)) {
        return fail();
    }
    const DeviceRecord record = deviceRecord(m_deviceIndex);
    if (record.isEncode) {
        HidScrambler::encrypt(m_cmdBuf + HidFrame::ScrambledOffset, SecrecyCode);
    }
    if (!openHidDevice(m_deviceIndex)
        || m_transport->sendFeatureReport(m_hidHandle, m_cmdBuf, HidFrame::FrameSize) < 0) {
        return fail();
    }
    HidTrace::report("feature-out", m_cmdBuf, HidFrame::FrameSize);
    if (settle) {
        waitSettle();
    }
    if (length > 0) {
        if (!validReportLength(record.reportLength)) {
            return fail();
        }
        const int total = std::min(length, HidFrame::BlockBufferSize);
        const int chunk = std::min(total, record.reportLength);
        std::vector<unsigned char> report(static_cast<size_t>(record.reportLength) + 1, 0);
        for (int offset = 0; offset < total; offset += chunk) {
            // A short last chunk leaves zeros behind it rather than stale bytes.
            std::fill(report.begin(), report.end(), 0);
            std::memcpy(report.data() + 1, m_dataBuf + offset, static_cast<size_t>(std::min(chunk, total - offset)));
            if (!openHidDevice(m_deviceIndex) || m_transport->write(m_hidHandle, report.data(), report.size()) < 0) {
                return fail();
            }
            HidTrace::report("output", report.data(), static_cast<int>(report.size()));
            pause(BlockReportGapMs);
        }
        if (settle) {
            waitSettle();
        }
    }
    closeCommandHandle();
    m_hidFree = true;
    return true;
}

bool HidLink::readCmd(int length)
{
    if (!openHidDevice(m_deviceIndex)) {
        return fail();
    }
    const DeviceRecord record = deviceRecord(m_deviceIndex);
    if (record.isEncode) {
        HidScrambler::encrypt(m_cmdBuf + HidFrame::ScrambledOffset, SecrecyCode);
    }
    int sent = -1;
    if (openHidDevice(m_deviceIndex)) {
        sent = m_transport->sendFeatureReport(m_hidHandle, m_cmdBuf, HidFrame::FrameSize);
        if (sent >= 0) {
            HidTrace::report("feature-out", m_cmdBuf, HidFrame::FrameSize);
        }
    }
    // The reply lands in a scratch buffer so a failed read leaves the caller's values in the reply buffer.
    unsigned char reply[HidFrame::FrameSize];
    std::memcpy(reply, m_replyBuf, sizeof reply);
    int got = -1;
    if (openHidDevice(m_deviceIndex)) {
        got = m_transport->getFeatureReport(m_hidHandle, reply, sizeof reply);
        if (got > 0) {
            HidTrace::report("feature-in", reply, std::min<int>(got, HidFrame::FrameSize));
        }
    }
    if (sent < 0 || got < 0) {
        return fail();
    }
    std::memcpy(m_replyBuf, reply, sizeof reply);
    if (length <= 0) {
        closeCommandHandle();
        m_hidFree = true;
        if (record.isEncode) {
            HidScrambler::decipher(m_replyBuf + HidFrame::ScrambledOffset, SecrecyCode);
        }
        return true;
    }
    if (!validReportLength(record.reportLength)) {
        return fail();
    }
    const int total = std::min(length, HidFrame::BlockBufferSize);
    const int chunk = std::min(total, record.reportLength);
    std::vector<unsigned char> report(static_cast<size_t>(record.reportLength) + 1, 0);
    for (int offset = 0; offset < total; offset += chunk) {
        std::fill(report.begin(), report.end(), 0);
        if (!openHidDevice(m_deviceIndex)) {
            return fail();
        }
        const int read = m_transport->readTimeout(m_hidHandle, report.data(), report.size(), BlockReadTimeoutMs);
        if (read <= 0) {
            // Nothing within the time limit counts as a failed read.
            return fail();
        }
        HidTrace::report("input", report.data(), read);
        std::memcpy(m_dataBuf + offset, report.data(), static_cast<size_t>(std::min(chunk, total - offset)));
    }
    closeCommandHandle();
    m_hidFree = true;
    return true;
}

bool HidLink::takeToken(const char* failTrace)
{
    if (!waitHidFree()) {
        qDebug().noquote() << failTrace;
        m_lastOutcome = Outcome::TokenBusy;
        ++m_failedExchanges;
        return false;
    }
    m_lastOutcome = Outcome::Ok;
    return true;
}

void HidLink::loadFrame(const HidFrame::Frame& frame)
{
    std::memcpy(m_cmdBuf, frame.data(), HidFrame::FrameSize);
}

void HidLink::simpleWrite(const char* failTrace, const HidFrame::Frame& frame, bool settle)
{
    Running running(*this);
    if (!takeToken(failTrace)) {
        return;
    }
    loadFrame(frame);
    sendCmd(0, settle);
    if (!settle) {
        pause(UnsettledWriteMs);
    }
}

void HidLink::blockWrite(const char* failTrace,
                         const HidFrame::Frame& frame,
                         const unsigned char* src,
                         int filled,
                         int length)
{
    Running running(*this);
    if (!takeToken(failTrace)) {
        return;
    }
    loadFrame(frame);
    std::memset(m_dataBuf, 0, static_cast<size_t>(length));
    if (src) {
        std::memcpy(m_dataBuf, src, static_cast<size_t>(std::min(filled, length)));
    }
    sendCmd(length, true);
}

void HidLink::seriesWrite(const char* failTrace, unsigned char code, unsigned char value, bool firstOnly)
{
    Running running(*this);
    if (!takeToken(failTrace)) {
        return;
    }
    bool failed = false;
    for (unsigned char n = 1; n <= SeriesLength; ++n) {
        // The series keeps the token between its sends, so nothing started from the event
        // processing inside a send can slip a frame in between.
        m_hidFree = false;
        loadFrame(HidFrame::build(code, {n, value}));
        failed = !sendCmd(0, true) || failed;
        if (firstOnly) {
            break;
        }
    }
    m_hidFree = true;
    m_lastOutcome = failed ? Outcome::Failed : Outcome::Ok;
}

bool HidLink::replyRead(const char* failTrace,
                        const HidFrame::Frame& frame,
                        unsigned char* const* outs,
                        int count,
                        bool seedWithCallerValues)
{
    Running running(*this);
    if (!takeToken(failTrace)) {
        return false;
    }
    loadFrame(frame);
    std::memset(m_replyBuf, 0, sizeof m_replyBuf);
    for (int i = 0; seedWithCallerValues && i < count; ++i) {
        m_replyBuf[HidFrame::FirstParamByte + i] = *outs[i];
    }
    const bool ok = readCmd(0);
    for (int i = 0; i < count; ++i) {
        *outs[i] = m_replyBuf[HidFrame::FirstParamByte + i];
    }
    return ok;
}

void HidLink::blockRead(const char* failTrace, const HidFrame::Frame& frame, unsigned char* block, int length)
{
    Running running(*this);
    if (!takeToken(failTrace)) {
        return;
    }
    loadFrame(frame);
    std::memset(m_replyBuf, 0, sizeof m_replyBuf);
    std::memset(m_dataBuf, 0, static_cast<size_t>(length));
    if (block) {
        std::memcpy(m_dataBuf, block, static_cast<size_t>(length));
    }
    readCmd(length);
    if (block) {
        std::memcpy(block, m_dataBuf, static_cast<size_t>(length));
    }
}
