#ifndef QX7_DEVICECONNECTOR_H
#define QX7_DEVICECONNECTOR_H

#include <QString>

class Hid_Thread;

// Finding the mouse: the configured records are matched to the HID interfaces present, handed to
// the link, and the first present one that answers the handshake is selected.
namespace DeviceConnector {

// Returns the index of the verified device, or -1 when none passed.
int findAndVerify(Hid_Thread& hid, const QString& configPath);

} // namespace DeviceConnector

#endif // QX7_DEVICECONNECTOR_H
