#include "FuzzTransport.h"

#include "FuzzSupport.h"

#include <QMutexLocker>
#include <algorithm>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>

const QByteArray FuzzTransport::CommandPath = QByteArrayLiteral("fuzz-command");
const QByteArray FuzzTransport::EventPath = QByteArrayLiteral("fuzz-event");

namespace {

// A send or write fails when the input's byte for it is this.
constexpr uint8_t FailingByte = 0xFF;

} // namespace

class FuzzTransport::Handle : public HidHandle
{
public:
    explicit Handle(bool event)
        : isEvent(event)
    {
    }
    const bool isEvent;
};

FuzzTransport::FuzzTransport(FuzzedDataProvider* input)
    : m_input(input)
{
    HidDeviceInfo command;
    command.path = CommandPath;
    command.vendorId = 0x04d9;
    command.productId = 0xa1ee;
    command.usagePage = 0xff00;
    command.usage = 0xff00;
    HidDeviceInfo event = command;
    event.path = EventPath;
    event.usagePage = 0xff01;
    event.usage = 0xff01;
    m_interfaces = {command, event};
}

FuzzTransport::~FuzzTransport()
{
    for (Handle* handle : m_handles) {
        delete handle;
    }
}

void FuzzTransport::setInterfaces(const QList<HidDeviceInfo>& interfaces)
{
    QMutexLocker lock(&m_mutex);
    m_interfaces = interfaces;
}

void FuzzTransport::stopEventsAfter(int reads, std::function<void()> stop)
{
    QMutexLocker lock(&m_mutex);
    m_eventReadsLeft = reads;
    m_stopEvents = std::move(stop);
}

int FuzzTransport::openHandles() const
{
    QMutexLocker lock(&m_mutex);
    return int(m_handles.size());
}

int FuzzTransport::commandInputReads() const
{
    QMutexLocker lock(&m_mutex);
    return m_commandInputReads;
}

FuzzTransport::Handle* FuzzTransport::live(HidHandle* handle) const
{
    auto* mine = static_cast<Handle*>(handle);
    FUZZ_CHECK(handle && m_handles.count(mine) == 1);
    return mine;
}

int FuzzTransport::outcome(size_t length)
{
    if (m_input && m_input->ConsumeIntegral<uint8_t>() == FailingByte) {
        return -1;
    }
    return int(length);
}

int FuzzTransport::answer(unsigned char* data, size_t length)
{
    const int wanted = m_input->ConsumeIntegralInRange<int>(-1, int(length));
    if (wanted <= 0) {
        return wanted;
    }
    const std::vector<unsigned char> bytes = m_input->ConsumeBytes<unsigned char>(size_t(wanted));
    std::copy(bytes.begin(), bytes.end(), data);
    return int(bytes.size());
}

QList<HidDeviceInfo> FuzzTransport::enumerate(uint16_t vendorId, uint16_t productId)
{
    QMutexLocker lock(&m_mutex);
    QList<HidDeviceInfo> found;
    for (const HidDeviceInfo& info : m_interfaces) {
        if ((vendorId == 0 || info.vendorId == vendorId) && (productId == 0 || info.productId == productId)) {
            found.append(info);
        }
    }
    return found;
}

HidHandle* FuzzTransport::open(const QByteArray& path)
{
    QMutexLocker lock(&m_mutex);
    if (path.isEmpty() || (m_input && m_input->remaining_bytes() == 0)) {
        return nullptr;
    }
    auto* handle = new Handle(path == EventPath);
    m_handles.insert(handle);
    return handle;
}

int FuzzTransport::setNonBlocking(HidHandle* handle, bool)
{
    QMutexLocker lock(&m_mutex);
    live(handle);
    return 0;
}

int FuzzTransport::sendFeatureReport(HidHandle* handle, const unsigned char* data, size_t length)
{
    QMutexLocker lock(&m_mutex);
    live(handle);
    m_lastFeature = QByteArray(reinterpret_cast<const char*>(data), qsizetype(length));
    return outcome(length);
}

int FuzzTransport::getFeatureReport(HidHandle* handle, unsigned char* data, size_t length)
{
    QMutexLocker lock(&m_mutex);
    live(handle);
    if (!m_input) {
        const size_t n = std::min(length, size_t(m_lastFeature.size()));
        std::memcpy(data, m_lastFeature.constData(), n);
        return int(n);
    }
    return answer(data, length);
}

int FuzzTransport::write(HidHandle* handle, const unsigned char*, size_t length)
{
    QMutexLocker lock(&m_mutex);
    live(handle);
    return outcome(length);
}

int FuzzTransport::read(HidHandle* handle, unsigned char* data, size_t length)
{
    return readTimeout(handle, data, length, -1);
}

int FuzzTransport::readTimeout(HidHandle* handle, unsigned char* data, size_t length, int)
{
    std::function<void()> stop;
    int result = 0;
    {
        QMutexLocker lock(&m_mutex);
        const Handle* mine = live(handle);
        if (!mine->isEvent) {
            ++m_commandInputReads;
        }
        if (!m_input) {
            // An echoing mouse has a full report of zeros for every block and no events.
            std::memset(data, 0, length);
            return mine->isEvent ? 0 : int(length);
        }
        result = answer(data, length);
        if (mine->isEvent && m_eventReadsLeft >= 0 && --m_eventReadsLeft == 0) {
            stop = m_stopEvents;
        }
    }
    if (stop) {
        stop();
    }
    return result;
}

void FuzzTransport::close(HidHandle* handle)
{
    QMutexLocker lock(&m_mutex);
    Handle* mine = live(handle);
    m_handles.erase(mine);
    delete mine;
}
