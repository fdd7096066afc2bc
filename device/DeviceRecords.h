#ifndef QX7_DEVICERECORDS_H
#define QX7_DEVICERECORDS_H

#include "DeviceRecord.h"

#include <QList>
#include <QString>

class HidTransport;
class QSettings;

// The supported devices listed in the global configuration, and their discovery among the HID
// interfaces present.
namespace DeviceRecords {

// More devices than any configuration lists; a damaged "common/deviceCount" is cut to it.
constexpr int MaxDevices = 64;

// Reads "common/deviceCount" records; missing keys take their defaults, paths stay empty.
QList<DeviceRecord*> load(QSettings& config);
QList<DeviceRecord*> load(const QString& configPath);

// Fills each record's command and event interface paths from the enumeration.
void discover(const QList<DeviceRecord*>& records, HidTransport& transport);

} // namespace DeviceRecords

#endif // QX7_DEVICERECORDS_H
