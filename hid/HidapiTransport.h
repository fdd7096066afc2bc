#ifndef QX7_HIDAPITRANSPORT_H
#define QX7_HIDAPITRANSPORT_H

#include "HidTransport.h"

// The transport of a real mouse: hidapi on the hidraw backend.
class HidapiTransport : public HidTransport
{
public:
    HidapiTransport();
    ~HidapiTransport() override;

    QList<HidDeviceInfo> enumerate(uint16_t vendorId, uint16_t productId) override;
    HidHandle* open(const QByteArray& path) override;
    int setNonBlocking(HidHandle* handle, bool nonBlocking) override;
    int sendFeatureReport(HidHandle* handle, const unsigned char* data, size_t length) override;
    int getFeatureReport(HidHandle* handle, unsigned char* data, size_t length) override;
    int write(HidHandle* handle, const unsigned char* data, size_t length) override;
    int read(HidHandle* handle, unsigned char* data, size_t length) override;
    int readTimeout(HidHandle* handle, unsigned char* data, size_t length, int milliseconds) override;
    void close(HidHandle* handle) override;

    // Kept per thread: the listener's opens must not overwrite what the device check learned.
    int lastOpenError() const override;
};

#endif // QX7_HIDAPITRANSPORT_H
