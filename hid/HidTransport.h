#ifndef QX7_HIDTRANSPORT_H
#define QX7_HIDTRANSPORT_H

#include <QByteArray>
#include <QList>
#include <cstddef>
#include <cstdint>

// One HID interface found by enumeration.
struct HidDeviceInfo
{
    QByteArray path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    int interfaceNumber = -1;
};

// An open interface; each transport hands out its own kind.
class HidHandle
{
public:
    virtual ~HidHandle() = default;
};

// The narrow set of HID calls the link needs. Results follow hidapi: byte counts, or -1 on failure.
class HidTransport
{
public:
    virtual ~HidTransport() = default;

    // vendorId/productId 0 match every device, as with hid_enumerate.
    virtual QList<HidDeviceInfo> enumerate(uint16_t vendorId, uint16_t productId) = 0;
    // nullptr when the interface cannot be opened.
    virtual HidHandle* open(const QByteArray& path) = 0;
    virtual int setNonBlocking(HidHandle* handle, bool nonBlocking) = 0;
    virtual int sendFeatureReport(HidHandle* handle, const unsigned char* data, size_t length) = 0;
    virtual int getFeatureReport(HidHandle* handle, unsigned char* data, size_t length) = 0;
    virtual int write(HidHandle* handle, const unsigned char* data, size_t length) = 0;
    virtual int read(HidHandle* handle, unsigned char* data, size_t length) = 0;
    // 0 when nothing arrived within `milliseconds`.
    virtual int readTimeout(HidHandle* handle, unsigned char* data, size_t length, int milliseconds) = 0;
    // Takes the handle; it is invalid afterwards.
    virtual void close(HidHandle* handle) = 0;
    // Why the calling thread's last open failed (an errno value), 0 when it did not fail or nobody
    // knows.
    virtual int lastOpenError() const { return 0; }
};

#endif // QX7_HIDTRANSPORT_H
