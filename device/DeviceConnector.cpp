#include "DeviceConnector.h"

#include "DeviceRecords.h"
#include "Hid_Thread.h"

namespace DeviceConnector {

namespace {

int verify(Hid_Thread& hid)
{
    const int count = hid.deviceCount();
    for (int i = 0; i < count; ++i) {
        if (hid.deviceRecord(i).path.isEmpty()) {
            continue;
        }
        if (hid.chkDeviceIsEnCode(i)) {
            return i;
        }
    }
    return -1;
}

} // namespace

int findAndVerify(Hid_Thread& hid, const QString& configPath)
{
    const QList<DeviceRecord*> records = DeviceRecords::load(configPath);
    DeviceRecords::discover(records, *hid.transport());
    hid.setDeviceList(records);
    return verify(hid);
}

} // namespace DeviceConnector
