#include "Hid_Thread.h"

#include "DpiSwitchTexts.h"
#include "HidClock.h"
#include "HidOwner.h"
#include "HidScrambler.h"
#include "HidTrace.h"
#include "HidTransport.h"
#include "HidapiTransport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cstring>
#include <vector>

unsigned char Hid_Thread::SecrecyCode[8] = {};

namespace {

constexpr int TokenPolls = 255;
constexpr int TokenPollMs = 8;
constexpr int SettleHalfMs = 64;
constexpr int BlockReportGapMs = 120;
constexpr int UnsettledWriteMs = 8;

constexpr unsigned char EventReportId = 0x06;
constexpr unsigned char EventDpiKind = 0x07;
constexpr int EventReportSize = 4;

} // namespace

Hid_Thread::Hid_Thread(HidTransport* transport, HidClock* clock)
    : QThread(nullptr)
{
    setTransport(transport);
    setClock(clock);
}

Hid_Thread::~Hid_Thread()
{
    stopListen();
    waitListener();
    if (hidHandle) {
        m_transport->close(hidHandle);
    }
    qDeleteAll(deviceList);
}

void Hid_Thread::setTransport(HidTransport* transport)
{
    if (!transport) {
        if (!m_ownTransport) {
            m_ownTransport = std::make_unique<HidapiTransport>();
        }
        transport = m_ownTransport.get();
    }
    m_transport = transport;
}

void Hid_Thread::setClock(HidClock* clock)
{
    if (!clock) {
        if (!m_ownClock) {
            m_ownClock = std::make_unique<RealClock>();
        }
        clock = m_ownClock.get();
    }
    m_clock = clock;
}

void Hid_Thread::setDeviceList(const QList<DeviceRecord*>& records)
{
    QList<DeviceRecord*> old;
    {
        QMutexLocker lock(&m_recordLock);
        old = deviceList;
        deviceList = records;
    }
    qDeleteAll(old);
}

DeviceRecord Hid_Thread::deviceRecord(int index) const
{
    QMutexLocker lock(&m_recordLock);
    if (index < 0 || index >= deviceList.size() || !deviceList.at(index)) {
        return {};
    }
    return *deviceList.at(index);
}

int Hid_Thread::deviceCount() const
{
    QMutexLocker lock(&m_recordLock);
    return deviceList.size();
}

void Hid_Thread::setDevicePaths(int index, const QString& path, const QString& path2)
{
    QMutexLocker lock(&m_recordLock);
    if (index >= 0 && index < deviceList.size() && deviceList.at(index)) {
        deviceList[index]->path = path;
        deviceList[index]->path2 = path2;
    }
}

HidHandle* Hid_Thread::openInterface(int index, QString DeviceRecord::*path, HidHandle*& handle)
{
    QString wanted;
    {
        QMutexLocker lock(&m_recordLock);
        if (index < 0 || index >= deviceList.size() || !deviceList.at(index)) {
            return nullptr;
        }
        wanted = deviceList.at(index)->*path;
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
        // The interface is gone until the device check finds it again.
        QMutexLocker lock(&m_recordLock);
        if (index < deviceList.size() && deviceList.at(index) && deviceList.at(index)->*path == wanted) {
            (deviceList[index]->*path).clear();
        }
        return nullptr;
    }
    m_transport->setNonBlocking(handle, false);
    return handle;
}

HidHandle* Hid_Thread::openHidDevice(int index)
{
    return openInterface(index, &DeviceRecord::path, hidHandle);
}

HidHandle* Hid_Thread::openHidDevice2(int index)
{
    return openInterface(index, &DeviceRecord::path2, hidHandle2);
}

void Hid_Thread::processEvents()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app && app->thread() == QThread::currentThread()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

void Hid_Thread::pause(int milliseconds)
{
    HidTrace::sleep(milliseconds);
    m_clock->sleep(milliseconds);
}

bool Hid_Thread::waitHidFree()
{
    for (int countdown = TokenPolls; countdown > 0; --countdown) {
        if (hidFree) {
            hidFree = false;
            return true;
        }
        pause(TokenPollMs);
        processEvents();
    }
    return false;
}

void Hid_Thread::waitSettle()
{
    pause(SettleHalfMs);
    pause(SettleHalfMs);
}

void Hid_Thread::closeCommandHandle()
{
    if (hidHandle) {
        m_transport->close(hidHandle);
        hidHandle = nullptr;
    }
}

bool Hid_Thread::fail()
{
    closeCommandHandle();
    hidFree = true;
    m_lastOutcome = Outcome::Failed;
    ++m_failedExchanges;
    return false;
}

bool Hid_Thread::validReportLength(int reportLength) const
{
    return reportLength >= 1 && reportLength <= MaxReportLength;
}

bool Hid_Thread::sendCmd(int length, bool settle)
{
    processEvents();
    if (!openHidDevice(deviceIndex)) {
        return fail();
    }
    const DeviceRecord record = deviceRecord(deviceIndex);
    if (record.isEncode) {
        USBDataEncryption(cmdBuf + HidFrame::ScrambledOffset, SecrecyCode);
    }
    if (!openHidDevice(deviceIndex) || m_transport->sendFeatureReport(hidHandle, cmdBuf, HidFrame::FrameSize) < 0) {
        return fail();
    }
    HidTrace::report("feature-out", cmdBuf, HidFrame::FrameSize);
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
            std::memcpy(report.data() + 1, dataBuf + offset, static_cast<size_t>(std::min(chunk, total - offset)));
            if (!openHidDevice(deviceIndex) || m_transport->write(hidHandle, report.data(), report.size()) < 0) {
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
    hidFree = true;
    return true;
}

bool Hid_Thread::readCmd(int length)
{
    if (!openHidDevice(deviceIndex)) {
        return fail();
    }
    const DeviceRecord record = deviceRecord(deviceIndex);
    if (record.isEncode) {
        USBDataEncryption(cmdBuf + HidFrame::ScrambledOffset, SecrecyCode);
    }
    int sent = -1;
    if (openHidDevice(deviceIndex)) {
        sent = m_transport->sendFeatureReport(hidHandle, cmdBuf, HidFrame::FrameSize);
        if (sent >= 0) {
            HidTrace::report("feature-out", cmdBuf, HidFrame::FrameSize);
        }
    }
    // The reply lands in a scratch buffer so a failed read leaves the caller's values in replyBuf.
    unsigned char reply[HidFrame::FrameSize];
    std::memcpy(reply, replyBuf, sizeof reply);
    int got = -1;
    if (openHidDevice(deviceIndex)) {
        got = m_transport->getFeatureReport(hidHandle, reply, sizeof reply);
        if (got > 0) {
            HidTrace::report("feature-in", reply, std::min<int>(got, HidFrame::FrameSize));
        }
    }
    if (sent < 0 || got < 0) {
        return fail();
    }
    std::memcpy(replyBuf, reply, sizeof reply);
    if (length <= 0) {
        closeCommandHandle();
        hidFree = true;
        if (record.isEncode) {
            USBDataDecipher(replyBuf + HidFrame::ScrambledOffset, SecrecyCode);
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
        if (!openHidDevice(deviceIndex)) {
            return fail();
        }
        const int read = m_transport->readTimeout(hidHandle, report.data(), report.size(), BlockReadTimeoutMs);
        if (read <= 0) {
            // Nothing within the time limit counts as a failed read.
            return fail();
        }
        HidTrace::report("input", report.data(), read);
        std::memcpy(dataBuf + offset, report.data(), static_cast<size_t>(std::min(chunk, total - offset)));
    }
    closeCommandHandle();
    hidFree = true;
    return true;
}

unsigned char Hid_Thread::hidCS(unsigned char* cmd)
{
    return cmd ? HidFrame::checksum(cmd) : 0xFF;
}

void Hid_Thread::USBDataEncryption(unsigned char* FIFOBuf, unsigned char* SecrecyCode)
{
    if (FIFOBuf && SecrecyCode) {
        HidScrambler::encrypt(FIFOBuf, SecrecyCode);
    }
}

void Hid_Thread::USBDataDecipher(unsigned char* FIFOBuf, unsigned char* SecrecyCode)
{
    if (FIFOBuf && SecrecyCode) {
        HidScrambler::decipher(FIFOBuf, SecrecyCode);
    }
}

bool Hid_Thread::chkDeviceIsEnCode(int index)
{
    deviceIndex = index;
    QRandomGenerator random(static_cast<quint32>(QDateTime::currentDateTime().toSecsSinceEpoch()));
    unsigned char challenge[4];
    for (unsigned char& byte : challenge) {
        byte = static_cast<unsigned char>(random.generate() & 0xFF);
    }
    const QString code = deviceRecord(index).sCode;
    if (code.size() == 6) {
        for (int k = 0; k < 6; ++k) {
            SecrecyCode[k + 1] = static_cast<unsigned char>(code.at(k).toLatin1());
        }
    }
    unsigned char answer[4];
    std::memcpy(answer, challenge, sizeof answer);
    hid553_00H_GetSecrecyCode(answer[0], answer[1], answer[2], answer[3]);
    if (m_lastOutcome == Outcome::TokenBusy) {
        return false;
    }
    return std::memcmp(answer, challenge, sizeof answer) == 0;
}

bool Hid_Thread::takeToken(const char* failTrace)
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

void Hid_Thread::loadFrame(const HidFrame::Frame& frame)
{
    std::memcpy(cmdBuf, frame.data(), HidFrame::FrameSize);
}

bool Hid_Thread::isGunDevice() const
{
    return ownerWidget && ownerWidget->isGun();
}

void Hid_Thread::simpleWrite(const char* failTrace, const HidFrame::Frame& frame, bool settle)
{
    if (!takeToken(failTrace)) {
        return;
    }
    loadFrame(frame);
    sendCmd(0, settle);
    if (!settle) {
        pause(UnsettledWriteMs);
    }
}

void Hid_Thread::blockWrite(const char* failTrace, const HidFrame::Frame& frame, const unsigned char* src, int length)
{
    if (!takeToken(failTrace)) {
        return;
    }
    loadFrame(frame);
    std::memset(dataBuf, 0, static_cast<size_t>(length));
    if (src) {
        std::memcpy(dataBuf, src, static_cast<size_t>(length));
    }
    sendCmd(length, true);
}

void Hid_Thread::seriesWrite(const char* failTrace, unsigned char code, unsigned char value)
{
    if (!takeToken(failTrace)) {
        return;
    }
    bool failed = false;
    for (unsigned char n = 1; n <= 4; ++n) {
        // The series keeps the token between its sends, so nothing started from the event
        // processing inside a send can slip a frame in between.
        hidFree = false;
        loadFrame(HidFrame::build(code, {n, value}));
        failed = !sendCmd(0, true) || failed;
        if (isGunDevice()) {
            break;
        }
    }
    hidFree = true;
    m_lastOutcome = failed ? Outcome::Failed : Outcome::Ok;
}

bool Hid_Thread::replyRead(const char* failTrace, const HidFrame::Frame& frame, unsigned char* const* outs, int count)
{
    if (!takeToken(failTrace)) {
        return false;
    }
    loadFrame(frame);
    std::memset(replyBuf, 0, sizeof replyBuf);
    for (int i = 0; i < count; ++i) {
        replyBuf[HidFrame::FirstParamByte + i] = *outs[i];
    }
    const bool ok = readCmd(0);
    for (int i = 0; i < count; ++i) {
        *outs[i] = replyBuf[HidFrame::FirstParamByte + i];
    }
    return ok;
}

void Hid_Thread::hid553_00H_GetSecrecyCode(unsigned char& byte1,
                                           unsigned char& byte2,
                                           unsigned char& byte3,
                                           unsigned char& byte4)
{
    if (!takeToken("cmd Failed 00")) {
        return;
    }
    loadFrame(HidFrame::build(0x00, {byte1, byte2, byte3, byte4}));
    // The challenge must not come back by itself: a failed exchange hands back zeros.
    std::memset(replyBuf, 0, sizeof replyBuf);
    readCmd(0);
    byte1 = replyBuf[2];
    byte2 = replyBuf[3];
    byte3 = replyBuf[4];
    byte4 = replyBuf[5];
}

void Hid_Thread::hid553_83H_GetKeyboardoption(unsigned char& byte1,
                                              unsigned char& byte2,
                                              unsigned char& byte3,
                                              unsigned char& byte4)
{
    unsigned char* outs[] = {&byte1, &byte2, &byte3, &byte4};
    replyRead("cmd Failed 83", HidFrame::build(0x83), outs, 4);
}

void Hid_Thread::hid560_81H_GetKeyboardoption(unsigned char& byte1, unsigned char& byte2)
{
    unsigned char* outs[] = {&byte1, &byte2};
    replyRead("cmd Failed 81", HidFrame::build(0x81), outs, 2);
}

void Hid_Thread::hid560_82H_GetCurrentProfile(unsigned char& byte1)
{
    unsigned char* outs[] = {&byte1};
    replyRead("cmd Failed 82", HidFrame::build(0x82), outs, 1);
}

void Hid_Thread::hid560_84H_GetCurrentDPI(unsigned char& byte1, unsigned char& byte2)
{
    unsigned char* outs[] = {&byte1, &byte2};
    replyRead("cmd Failed 84", HidFrame::build(0x84, {byte1}), outs, 2);
}

void Hid_Thread::hid553_8BH_GetCurrentDPI(unsigned char& byte1)
{
    unsigned char* outs[] = {&byte1};
    replyRead("cmd Failed 8BH", HidFrame::build(0x8B), outs, 1);
}

void Hid_Thread::hid553_03H_SetKeyboardoption(unsigned char byte1,
                                              unsigned char byte2,
                                              unsigned char byte3,
                                              unsigned char byte4)
{
    simpleWrite("cmd Failed 03", HidFrame::build(0x03, {byte1, byte2, byte3, byte4}), false);
}

void Hid_Thread::hid553_04H_SetGunData(unsigned char byte1,
                                       unsigned char byte2,
                                       unsigned char byte3,
                                       unsigned char byte4)
{
    simpleWrite("cmd Failed 04", HidFrame::build(0x04, {0x00, byte1, byte2, byte3, byte4}), false);
}

void Hid_Thread::hid560_01H_SetKeyboardoption(unsigned char byte1, unsigned char byte2)
{
    simpleWrite("cmd Failed 01", HidFrame::build(0x01, {byte1, byte2}), false);
}

void Hid_Thread::hid553_01H_SetReportRate(unsigned char rate)
{
    simpleWrite("cmd Failed 01", HidFrame::build(0x01, {rate}), true);
}

void Hid_Thread::hid560_03H_SetReportRate(unsigned char rate)
{
    seriesWrite("cmd Failed 03", 0x03, rate);
}

void Hid_Thread::hid560_04H_SetCurrentDPI(unsigned char stage)
{
    seriesWrite("cmd Failed 04", 0x04, stage);
}

void Hid_Thread::hid553_0BH_SetCurrentDPI(unsigned char stage)
{
    simpleWrite("cmd Failed 0B", HidFrame::build(0x0B, {stage}), true);
}

void Hid_Thread::hid553_12H_SetKeyMatrix(unsigned char* src64, unsigned char indexAddOne)
{
    blockWrite("cmd Failed 12", HidFrame::build(0x12, {indexAddOne, 0x40, 0x08}), src64, 64);
}

void Hid_Thread::hid560_0DH_SetKeyMatrix(unsigned char* src64, unsigned char indexAddOne)
{
    if (!takeToken("cmd Failed 0D")) {
        return;
    }
    loadFrame(HidFrame::build(0x0D, {indexAddOne, 0x80}));
    std::memset(dataBuf, 0, 128);
    if (src64) {
        std::memcpy(dataBuf, src64, 64);
    }
    sendCmd(128, true);
}

void Hid_Thread::hid560_0CH_setProfile(unsigned char* src128, unsigned char profileData)
{
    blockWrite("cmd Failed 0C", HidFrame::build(0x0C, {profileData, 0x80}), src128, 128);
}

void Hid_Thread::hid560_8CH_readProfile(unsigned char* src128, unsigned char profileNo)
{
    if (!takeToken("cmd Failed 8c")) {
        return;
    }
    loadFrame(HidFrame::build(0x8C, {profileNo}));
    std::memset(replyBuf, 0, sizeof replyBuf);
    std::memset(dataBuf, 0, 128);
    if (src128) {
        std::memcpy(dataBuf, src128, 128);
    }
    readCmd(128);
    if (src128) {
        std::memcpy(src128, dataBuf, 128);
    }
}

void Hid_Thread::hid560_02H_SetCurrentProfile(unsigned char profile)
{
    simpleWrite("cmd Failed 02", HidFrame::build(0x02, {profile}), false);
}

void Hid_Thread::hid553_13H_SetMacroKey(unsigned char macroId, unsigned char* src128)
{
    blockWrite("cmd Failed 13", HidFrame::build(0x13, {macroId, 0x80}), src128, 128);
}

void Hid_Thread::hid560_0FH_SetMacroKey(unsigned char macroId, unsigned char* src128)
{
    blockWrite("cmd Failed 0F", HidFrame::build(0x0F, {macroId, 0x80}), src128, 128);
}

void Hid_Thread::hid553_11H_SetDPISet(unsigned char dpiStage, unsigned char* src8)
{
    blockWrite("cmd Failed 11", HidFrame::build(0x11, {dpiStage, 0x08}), src8, 8);
}

void Hid_Thread::hid553_02H_SetCurrentKeyMatrix(unsigned char currentKeyMatrix)
{
    simpleWrite("cmd Failed 02", HidFrame::build(0x02, {currentKeyMatrix}), true);
}

void Hid_Thread::hid553_0DH_SetRGBLedEffect(unsigned char effect, unsigned char option1, unsigned char option2)
{
    simpleWrite("cmd Failed 0D", HidFrame::build(0x0D, {effect, option1, option2}), true);
}

void Hid_Thread::hid553_0CH_SetFixLEDColor(unsigned char* src3)
{
    unsigned char rgb[3] = {};
    if (src3) {
        std::memcpy(rgb, src3, sizeof rgb);
    }
    simpleWrite("cmd Failed 0C", HidFrame::build(0x0C, {rgb[0], rgb[1], rgb[2]}), true);
}

void Hid_Thread::hid553_10H_SetLED8StageColor(unsigned char type, unsigned char* src24)
{
    const unsigned char length = type == 2 ? 4 : 24;
    blockWrite("cmd Failed 10", HidFrame::build(0x10, {type, length}), src24, length);
}

bool Hid_Thread::updateKeyboardoption()
{
    const bool set560 = ownerWidget && ownerWidget->icType() == QLatin1String("560");
    if (set560) {
        unsigned char options[2] = {};
        hid560_81H_GetKeyboardoption(options[0], options[1]);
        if (m_lastOutcome != Outcome::Ok) {
            return false;
        }
        hid560_01H_SetKeyboardoption(static_cast<unsigned char>(options[0] | 0x08), options[1]);
    } else {
        unsigned char options[4] = {};
        hid553_83H_GetKeyboardoption(options[0], options[1], options[2], options[3]);
        if (m_lastOutcome != Outcome::Ok) {
            return false;
        }
        hid553_03H_SetKeyboardoption(options[0], options[1], options[2], static_cast<unsigned char>(options[3] | 0x40));
    }
    return m_lastOutcome == Outcome::Ok;
}

void Hid_Thread::initKeyboardoption(int index)
{
    stopListen();
    // One listener at a time: the previous one ends within one read.
    waitListener();
    updateKeyboardoption();
    QMutexLocker lock(&m_listenerLock);
    isListening = true;
    listenFuture = QtConcurrent::run(QThreadPool::globalInstance(), [this, index] { listenDevice(index); });
}

void Hid_Thread::stopListen()
{
    isListening = false;
}

void Hid_Thread::waitListener()
{
    QFuture<void> running;
    {
        QMutexLocker lock(&m_listenerLock);
        running = listenFuture;
    }
    running.waitForFinished();
}

void Hid_Thread::listenDevice(int index)
{
    if (deviceRecord(index).path2.isEmpty()) {
        return;
    }
    while (isListening) {
        if (!openHidDevice2(index)) {
            qDebug() << "Device removed";
            if (ownerWidget) {
                ownerWidget->setViewEnabled(false);
            }
            {
                QMutexLocker lock(&m_recordLock);
                if (index < deviceList.size() && deviceList.at(index)) {
                    deviceList[index]->path2.clear();
                }
            }
            isListening = false;
            return;
        }
        unsigned char report[EventReportSize] = {};
        const int read = m_transport->readTimeout(hidHandle2, report, sizeof report, EventReadTimeoutMs);
        if (read > 0) {
            HidTrace::report("event", report, read);
        }
        if (read == EventReportSize && report[0] == EventReportId && report[1] == EventDpiKind) {
            const int stage = report[3];
            if (ownerWidget) {
                ownerWidget->setCurrentDPI(stage);
                ownerWidget->showMessage(QStringLiteral("Info"), DpiSwitchTexts::forStage(stage) + QLatin1Char(' '));
            }
        }
        m_transport->close(hidHandle2);
        hidHandle2 = nullptr;
    }
}
