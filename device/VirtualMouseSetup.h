#ifndef QX7_VIRTUALMOUSESETUP_H
#define QX7_VIRTUALMOUSESETUP_H

#include <QString>
#include <memory>
#include <optional>

class HidTransport;
class VirtualMouse;

// The virtual mouse of the demo mode and of qx7ctl --virtual-mouse: the twin of the first device
// the configuration lists, speaking the command set of its "mouse/icType".
namespace VirtualMouseSetup {

// Null when the configuration lists no device. `secrecyCode` replaces the configured one;
// `next` serves every interface that is not the virtual mouse's own.
std::unique_ptr<VirtualMouse>
imitateConfigured(const QString& configPath, HidTransport* next, const std::optional<QString>& secrecyCode = {});

} // namespace VirtualMouseSetup

#endif // QX7_VIRTUALMOUSESETUP_H
