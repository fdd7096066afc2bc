#include "HidapiTransport.h"

#include <hidapi.h>

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

class HidapiHandle : public HidHandle
{
public:
    explicit HidapiHandle(hid_device* device)
        : device(device)
    {
    }
    hid_device* device;
};

thread_local int t_lastOpenError = 0;

hid_device* deviceOf(HidHandle* handle)
{
    auto* h = static_cast<HidapiHandle*>(handle);
    return h ? h->device : nullptr;
}

} // namespace

HidapiTransport::HidapiTransport()
{
    hid_init();
}

HidapiTransport::~HidapiTransport() = default;

QList<HidDeviceInfo> HidapiTransport::enumerate(uint16_t vendorId, uint16_t productId)
{
    QList<HidDeviceInfo> found;
    hid_device_info* list = hid_enumerate(vendorId, productId);
    for (hid_device_info* it = list; it; it = it->next) {
        HidDeviceInfo info;
        info.path = QByteArray(it->path ? it->path : "");
        info.vendorId = it->vendor_id;
        info.productId = it->product_id;
        info.usagePage = it->usage_page;
        info.usage = it->usage;
        info.interfaceNumber = it->interface_number;
        found.append(info);
    }
    hid_free_enumeration(list);
    return found;
}

HidHandle* HidapiTransport::open(const QByteArray& path)
{
    hid_device* device = hid_open_path(path.constData());
    if (!device) {
        // hidapi does not say why; ask the node itself so a missing permission can be told apart.
        const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
        t_lastOpenError = fd < 0 ? errno : EIO;
        if (fd >= 0) {
            ::close(fd);
        }
        return nullptr;
    }
    t_lastOpenError = 0;
    return new HidapiHandle(device);
}

int HidapiTransport::lastOpenError() const
{
    return t_lastOpenError;
}

int HidapiTransport::setNonBlocking(HidHandle* handle, bool nonBlocking)
{
    return hid_set_nonblocking(deviceOf(handle), nonBlocking ? 1 : 0);
}

int HidapiTransport::sendFeatureReport(HidHandle* handle, const unsigned char* data, size_t length)
{
    return hid_send_feature_report(deviceOf(handle), data, length);
}

int HidapiTransport::getFeatureReport(HidHandle* handle, unsigned char* data, size_t length)
{
    return hid_get_feature_report(deviceOf(handle), data, length);
}

int HidapiTransport::write(HidHandle* handle, const unsigned char* data, size_t length)
{
    return hid_write(deviceOf(handle), data, length);
}

int HidapiTransport::read(HidHandle* handle, unsigned char* data, size_t length)
{
    return hid_read(deviceOf(handle), data, length);
}

int HidapiTransport::readTimeout(HidHandle* handle, unsigned char* data, size_t length, int milliseconds)
{
    return hid_read_timeout(deviceOf(handle), data, length, milliseconds);
}

void HidapiTransport::close(HidHandle* handle)
{
    if (auto* h = static_cast<HidapiHandle*>(handle)) {
        hid_close(h->device);
        delete h;
    }
}
