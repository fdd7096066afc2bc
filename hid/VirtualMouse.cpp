#include "VirtualMouse.h"

#include "HidFrame.h"
#include "HidScrambler.h"
#include "WireSizes.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

constexpr char PathPrefix[] = "virtual-mouse:";

} // namespace

class VirtualMouse::Handle : public HidHandle
{
public:
    Handle(const VirtualMouse* owner, bool events, int generation)
        : owner(owner)
        , events(events)
        , generation(generation)
    {
    }
    const VirtualMouse* owner;
    bool events;
    int generation;
};

VirtualMouse::VirtualMouse(const Config& config, HidTransport* next)
    : m_config(config)
    , m_next(next)
{
    const QByteArray code = config.device.sCode.toLatin1();
    if (code.size() == 6) {
        std::memcpy(m_code + 1, code.constData(), 6);
    }
    for (int k = 0; k < WireSizes::ProfileImages; ++k) {
        m_state.profileImages.insert(k, initialProfileImage(k));
    }
    m_state.dpiTable = QByteArray(8, '\0');
}

VirtualMouse::~VirtualMouse() = default;

DeviceRecord VirtualMouse::defaultDevice()
{
    DeviceRecord d;
    d.type = 1;
    d.vid = 0x04d9;
    d.pid = 0xa1ee;
    d.usagePage = 0xff00;
    d.usage = 0xff00;
    d.usagePage2 = 0xff01;
    d.usage2 = 0xff01;
    d.reportLength = 32;
    d.isEncode = false;
    d.sCode = QStringLiteral("731540");
    return d;
}

VirtualMouse::Config VirtualMouse::configFor(const DeviceRecord& record, Family family)
{
    Config c {record, family};
    c.device.path.clear();
    c.device.path2.clear();
    return c;
}

QByteArray VirtualMouse::initialProfileImage(int number)
{
    QByteArray image(WireSizes::Block, '\0');
    for (int i = 0; i < WireSizes::Block; ++i) {
        image[i] = static_cast<char>(((number + 1) * 37 + i * 11) % 255 + 1);
    }
    return image;
}

QByteArray VirtualMouse::commandPath() const
{
    return PathPrefix + QByteArray::number(m_config.device.vid, 16).rightJustified(4, '0') + ':'
           + QByteArray::number(m_config.device.pid, 16).rightJustified(4, '0') + ":0";
}

QByteArray VirtualMouse::eventPath() const
{
    QByteArray path = commandPath();
    path.back() = '1';
    return path;
}

bool VirtualMouse::ownsPath(const QByteArray& path) const
{
    return path == commandPath() || path == eventPath();
}

QList<HidDeviceInfo> VirtualMouse::enumerate(uint16_t vendorId, uint16_t productId)
{
    QList<HidDeviceInfo> found;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        const DeviceRecord& d = m_config.device;
        const bool matches = (vendorId == 0 || vendorId == d.vid) && (productId == 0 || productId == d.pid);
        if (m_plugged && matches) {
            HidDeviceInfo command {commandPath(), d.vid, d.pid, d.usagePage, d.usage, 0};
            HidDeviceInfo events {eventPath(), d.vid, d.pid, d.usagePage2, d.usage2, 1};
            found << command << events;
        }
    }
    if (m_next) {
        found += m_next->enumerate(vendorId, productId);
    }
    return found;
}

HidHandle* VirtualMouse::open(const QByteArray& path)
{
    if (!ownsPath(path)) {
        return m_next ? m_next->open(path) : nullptr;
    }
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_plugged) {
        return nullptr;
    }
    ++m_openHandles;
    return new Handle(this, path == eventPath(), m_generation);
}

VirtualMouse::Handle* VirtualMouse::mine(HidHandle* handle) const
{
    auto* h = dynamic_cast<Handle*>(handle);
    return h && h->owner == this ? h : nullptr;
}

VirtualMouse::Handle* VirtualMouse::liveHandle(HidHandle* handle) const
{
    auto* h = mine(handle);
    if (!h || !m_plugged || h->generation != m_generation) {
        return nullptr;
    }
    return h;
}

int VirtualMouse::setNonBlocking(HidHandle* handle, bool nonBlocking)
{
    if (!mine(handle)) {
        return m_next ? m_next->setNonBlocking(handle, nonBlocking) : -1;
    }
    std::unique_lock<std::mutex> lock(m_mutex);
    return liveHandle(handle) ? 0 : -1;
}

bool VirtualMouse::countExchange()
{
    if (m_unplugCountdown == 0) {
        m_plugged = false;
        ++m_generation;
        m_unplugCountdown = -1;
        m_arrived.notify_all();
        return false;
    }
    if (m_unplugCountdown > 0) {
        --m_unplugCountdown;
    }
    return true;
}

void VirtualMouse::logWire(const char* kind, const unsigned char* bytes, int length)
{
    if (m_wireLogger) {
        m_wireLogger(QByteArray(kind) + ' ' + QByteArray(reinterpret_cast<const char*>(bytes), length).toHex(' '));
    }
}

int VirtualMouse::commandExchange(HidHandle* handle, bool wellFormed, const std::function<int()>& exchange)
{
    bool unplugged = false;
    int result = -1;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        Handle* h = liveHandle(handle);
        if (h && !h->events && wellFormed) {
            unplugged = !countExchange();
            if (!unplugged) {
                result = exchange();
            }
        }
    }
    // Outside the lock: the listener may call back into the mouse.
    if (unplugged) {
        notifyPlug();
    }
    return result;
}

int VirtualMouse::sendFeatureReport(HidHandle* handle, const unsigned char* data, size_t length)
{
    if (!mine(handle)) {
        return m_next ? m_next->sendFeatureReport(handle, data, length) : -1;
    }
    return commandExchange(handle, length >= HidFrame::FrameSize && data[0] == 0x00, [&] {
        logWire("feature-out", data, HidFrame::FrameSize);
        ++m_state.featureReports;
        handleCommand(data);
        return static_cast<int>(length);
    });
}

int VirtualMouse::getFeatureReport(HidHandle* handle, unsigned char* data, size_t length)
{
    if (!mine(handle)) {
        return m_next ? m_next->getFeatureReport(handle, data, length) : -1;
    }
    return commandExchange(handle, length >= 1, [&] {
        const size_t n = std::min<size_t>(length, HidFrame::FrameSize);
        std::memcpy(data, m_reply, n);
        logWire("feature-in", m_reply, static_cast<int>(n));
        return static_cast<int>(n);
    });
}

int VirtualMouse::write(HidHandle* handle, const unsigned char* data, size_t length)
{
    if (!mine(handle)) {
        return m_next ? m_next->write(handle, data, length) : -1;
    }
    return commandExchange(handle, length >= 1 && data[0] == 0x00, [&] {
        logWire("output", data, static_cast<int>(length));
        ++m_state.outputReports;
        if (m_blockExpected > 0) {
            const int take = std::min<int>(static_cast<int>(length) - 1, m_blockExpected - int(m_block.size()));
            if (take > 0) {
                m_block.append(reinterpret_cast<const char*>(data + 1), take);
            }
            if (m_block.size() >= m_blockExpected) {
                finishBlock();
            }
        }
        return static_cast<int>(length);
    });
}

int VirtualMouse::popReport(std::unique_lock<std::mutex>& lock,
                            QList<QByteArray>& queue,
                            unsigned char* data,
                            size_t length,
                            int milliseconds)
{
    // Waits with the lock held by the caller; unplugging wakes the wait too.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(milliseconds, 0));
    const int generation = m_generation;
    auto settled = [&] { return !queue.isEmpty() || !m_plugged || m_generation != generation; };
    if (milliseconds < 0) {
        m_arrived.wait(lock, settled);
    } else {
        m_arrived.wait_until(lock, deadline, settled);
    }
    if (!m_plugged || m_generation != generation) {
        return -1;
    }
    if (queue.isEmpty()) {
        return 0;
    }
    if (!countExchange()) {
        return -1;
    }
    const QByteArray report = queue.takeFirst();
    const size_t n = std::min<size_t>(length, static_cast<size_t>(report.size()));
    std::memcpy(data, report.constData(), n);
    return static_cast<int>(n);
}

int VirtualMouse::read(HidHandle* handle, unsigned char* data, size_t length)
{
    return readTimeout(handle, data, length, -1);
}

int VirtualMouse::readTimeout(HidHandle* handle, unsigned char* data, size_t length, int milliseconds)
{
    if (!mine(handle)) {
        if (!m_next) {
            return -1;
        }
        return milliseconds < 0 ? m_next->read(handle, data, length)
                                : m_next->readTimeout(handle, data, length, milliseconds);
    }
    bool unplugged = false;
    int result = -1;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        Handle* h = liveHandle(handle);
        if (h) {
            result = popReport(lock, h->events ? m_eventQueue : m_inputQueue, data, length, milliseconds);
            unplugged = !m_plugged;
            if (result > 0) {
                logWire(h->events ? "event" : "input", data, result);
                if (!h->events) {
                    ++m_state.inputReports;
                }
            }
        }
    }
    if (unplugged) {
        notifyPlug();
    }
    return result;
}

void VirtualMouse::close(HidHandle* handle)
{
    if (!mine(handle)) {
        if (m_next) {
            m_next->close(handle);
        }
        return;
    }
    std::unique_lock<std::mutex> lock(m_mutex);
    --m_openHandles;
    delete handle;
}

void VirtualMouse::setReply(unsigned char code, std::initializer_list<unsigned char> values)
{
    HidFrame::Frame reply = HidFrame::build(code, values);
    if (m_config.device.isEncode) {
        HidScrambler::encrypt(reply.data() + HidFrame::ScrambledOffset, m_code);
    }
    std::memcpy(m_reply, reply.data(), HidFrame::FrameSize);
}

void VirtualMouse::startBlock(unsigned char code, const unsigned char* frame)
{
    m_blockCode = code;
    m_blockParam = frame[2];
    m_blockExpected = frame[3];
    // handleCommand has emptied the block already.
}

void VirtualMouse::handleCommand(const unsigned char* wire)
{
    unsigned char frame[HidFrame::FrameSize];
    std::memcpy(frame, wire, sizeof frame);
    if (m_config.device.isEncode) {
        HidScrambler::decipher(frame + HidFrame::ScrambledOffset, m_code);
    }
    if (frame[HidFrame::ChecksumByte] != HidFrame::checksum(frame + HidFrame::CodeByte)) {
        ++m_state.rejectedFrames;
        return;
    }
    // A new command abandons a block that never completed.
    m_blockExpected = 0;
    m_block.clear();
    if (frame[1] == 0x00) {
        setReply(0x00, {frame[2], frame[3], frame[4], frame[5]});
        return;
    }
    if (m_config.family == Family::Set560) {
        handle560(frame);
    } else {
        handle553(frame);
    }
}

void VirtualMouse::handle553(const unsigned char* f)
{
    State& s = m_state;
    switch (f[1]) {
        case 0x01:
            s.reportRate = f[2];
            break;
        case 0x02:
            s.currentKeyMatrix = f[2];
            break;
        case 0x03:
            s.keyboardOptions = {{f[2], f[3], f[4], f[5]}};
            break;
        case 0x04:
            s.gunData.insert(f[6], QByteArray(reinterpret_cast<const char*>(f + 3), 3));
            break;
        case 0x0B:
            s.activeStage = f[2];
            break;
        case 0x0C:
            s.fixColor = {{f[2], f[3], f[4]}};
            break;
        case 0x0D:
            s.ledEffect = f[2];
            s.ledOption1 = f[3];
            s.ledOption2 = f[4];
            break;
        case 0x10:
        case 0x11:
        case 0x12:
        case 0x13:
            startBlock(f[1], f);
            break;
        case 0x83:
            setReply(0x83, {s.keyboardOptions[0], s.keyboardOptions[1], s.keyboardOptions[2], s.keyboardOptions[3]});
            break;
        case 0x8B:
            setReply(0x8B, {static_cast<unsigned char>(s.activeStage)});
            break;
        default:
            break;
    }
}

void VirtualMouse::handle560(const unsigned char* f)
{
    State& s = m_state;
    switch (f[1]) {
        case 0x01:
            s.keyboardOptions[0] = f[2];
            s.keyboardOptions[1] = f[3];
            break;
        case 0x02:
            s.currentProfile = f[2];
            break;
        case 0x03:
            if (f[2] >= 1 && f[2] <= 4) {
                s.seriesReportRate[f[2]] = f[3];
            }
            s.reportRate = f[3];
            break;
        case 0x04:
            if (f[2] >= 1 && f[2] <= 4) {
                s.seriesDpiStage[f[2]] = f[3];
            }
            s.activeStage = f[3];
            break;
        case 0x0C:
        case 0x0D:
        case 0x0F:
            startBlock(f[1], f);
            break;
        case 0x81:
            setReply(0x81, {s.keyboardOptions[0], s.keyboardOptions[1]});
            break;
        case 0x82:
            setReply(0x82, {static_cast<unsigned char>(s.currentProfile)});
            break;
        case 0x84:
            setReply(0x84, {f[2], static_cast<unsigned char>(f[2] == 1 ? s.activeStage : 0)});
            break;
        case 0x8C: {
            setReply(0x8C, {f[2]});
            m_inputQueue.clear();
            const QByteArray image = s.profileImages.value(f[2]);
            const int chunk = std::max(1, m_config.device.reportLength);
            for (int offset = 0; offset < image.size(); offset += chunk) {
                // Unnumbered input reports: hidapi hands them over without the report id.
                m_inputQueue.append(image.mid(offset, chunk).leftJustified(chunk, '\0'));
            }
            m_arrived.notify_all();
            break;
        }
        default:
            break;
    }
}

void VirtualMouse::finishBlock()
{
    State& s = m_state;
    const QByteArray block = m_block;
    const int param = m_blockParam;
    m_blockExpected = 0;
    m_block.clear();
    if (m_config.family == Family::Set560) {
        switch (m_blockCode) {
            case 0x0C:
                s.profileImages.insert(param, block);
                break;
            case 0x0D:
                s.keyMatrices.insert(param, block);
                break;
            case 0x0F:
                s.macros.insert(param, block);
                break;
            default:
                break;
        }
        return;
    }
    switch (m_blockCode) {
        case 0x10:
            s.stageColorType = static_cast<unsigned char>(param);
            s.stageColors = block;
            break;
        case 0x11:
            s.dpiStageCount = param;
            s.dpiTable = block;
            break;
        case 0x12:
            s.keyMatrices.insert(param, block);
            break;
        case 0x13:
            s.macros.insert(param, block);
            break;
        default:
            break;
    }
}

VirtualMouse::State VirtualMouse::state() const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_state;
}

void VirtualMouse::setKeyboardOptions(const std::array<unsigned char, 4>& options)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_state.keyboardOptions = options;
}

void VirtualMouse::setActiveStage(int stage)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_state.activeStage = stage;
}

void VirtualMouse::setCurrentProfile(int profile)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_state.currentProfile = profile;
}

void VirtualMouse::setProfileImage(int number, const QByteArray& image)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_state.profileImages.insert(number, image.leftJustified(WireSizes::Block, '\0', true));
}

void VirtualMouse::pressDpiButton()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const int count = std::clamp(m_state.dpiStageCount, 1, 8);
    m_state.activeStage = m_state.activeStage % count + 1;
    const char report[] = {0x06, 0x07, 0x00, static_cast<char>(m_state.activeStage)};
    m_eventQueue.append(QByteArray(report, sizeof report));
    m_arrived.notify_all();
}

void VirtualMouse::sendEventReport(const QByteArray& report)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_eventQueue.append(report);
    m_arrived.notify_all();
}

void VirtualMouse::unplug()
{
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_plugged) {
            return;
        }
        m_plugged = false;
        ++m_generation;
        m_inputQueue.clear();
        m_eventQueue.clear();
        m_arrived.notify_all();
    }
    notifyPlug();
}

void VirtualMouse::plug()
{
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_plugged) {
            return;
        }
        m_plugged = true;
        m_blockExpected = 0;
        m_block.clear();
    }
    notifyPlug();
}

bool VirtualMouse::isPlugged() const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_plugged;
}

void VirtualMouse::unplugAfterReports(int reports)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_unplugCountdown = reports;
}

void VirtualMouse::setPlugListener(std::function<void()> listener)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_plugListener = std::move(listener);
}

void VirtualMouse::setWireLogger(std::function<void(const QByteArray&)> logger)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wireLogger = std::move(logger);
}

int VirtualMouse::openHandles() const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_openHandles;
}

void VirtualMouse::notifyPlug()
{
    std::function<void()> listener;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        listener = m_plugListener;
    }
    if (listener) {
        listener();
    }
}
