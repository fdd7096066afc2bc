#include "HidListener.h"

#include "HidLink.h"
#include "HidOwner.h"
#include "HidTrace.h"
#include "HidTransport.h"

#include <QDebug>
#include <QMutexLocker>

namespace {

constexpr unsigned char EventReportId = 0x06;
constexpr unsigned char EventDpiKind = 0x07;
constexpr int EventReportSize = 4;
constexpr int EventStageByte = 3;

} // namespace

HidListener::HidListener(HidLink& link)
    : m_link(link)
{
}

HidListener::~HidListener()
{
    stopListen();
    waitListener();
}

void HidListener::start(int index, HidOwner* owner)
{
    QMutexLocker lock(&m_threadLock);
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_isListening = true;
    m_isRunning = true;
    // A thread of its own rather than a pool's: its start and end are plain to the race checker.
    m_thread = std::thread([this, index, owner] {
        listenDevice(index, owner);
        m_isRunning = false;
    });
}

void HidListener::stopListen()
{
    m_isListening = false;
}

void HidListener::waitListener()
{
    QMutexLocker lock(&m_threadLock);
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

HidHandle* HidListener::openHidDevice2(int index)
{
    return m_link.openInterface(index, &DeviceRecord::path2, m_hidHandle2);
}

void HidListener::listenDevice(int index, HidOwner* owner)
{
    if (m_link.deviceRecord(index).path2.isEmpty()) {
        // Nothing to listen to: the device check has to notice removal by itself.
        m_isListening = false;
        return;
    }
    HidTransport* transport = m_link.transport();
    while (m_isListening) {
        // A failed open also empties the record's event path.
        if (!openHidDevice2(index)) {
            qDebug() << "Device removed";
            if (owner) {
                owner->setViewEnabled(false);
            }
            m_isListening = false;
            return;
        }
        unsigned char report[EventReportSize] = {};
        const int read = transport->readTimeout(m_hidHandle2, report, sizeof report, EventReadTimeoutMs);
        if (read > 0) {
            HidTrace::report("event", report, read);
        }
        if (read == EventReportSize && report[0] == EventReportId && report[1] == EventDpiKind) {
            const int stage = report[EventStageByte];
            if (owner) {
                owner->setCurrentDPI(stage);
            }
        }
        transport->close(m_hidHandle2);
        m_hidHandle2 = nullptr;
    }
}
