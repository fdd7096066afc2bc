#ifndef QX7_DEVICERECORD_H
#define QX7_DEVICERECORD_H

#include <QString>
#include <cstdint>

// One supported device: its identifiers from the configuration and the interfaces found for it.
struct DeviceRecord
{
    int32_t type = 0;
    uint16_t vid = 0;
    uint16_t pid = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t usagePage2 = 0;
    uint16_t usage2 = 0;
    int32_t reportLength = 0;
    bool isEncode = false;
    QString sCode;
    // Empty while the interface is absent.
    QString path;
    QString path2;
};

#endif // QX7_DEVICERECORD_H
