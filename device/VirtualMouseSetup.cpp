#include "VirtualMouseSetup.h"

#include "DeviceRecords.h"
#include "SettingsKeys.h"
#include "StoreTools.h"
#include "VirtualMouse.h"

#include <QSettings>

namespace VirtualMouseSetup {

std::unique_ptr<VirtualMouse>
imitateConfigured(const QString& configPath, HidTransport* next, const std::optional<QString>& secrecyCode)
{
    const std::unique_ptr<QSettings> config = StoreTools::openSettings(configPath);
    const QList<DeviceRecord*> records = DeviceRecords::load(*config);
    if (records.isEmpty()) {
        return nullptr;
    }
    VirtualMouse::Config c
        = VirtualMouse::configFor(*records.first(), controllerFamilyOf(config->value(SettingsKeys::IcType).toString()));
    qDeleteAll(records);
    if (secrecyCode) {
        c.device.sCode = *secrecyCode;
    }
    return std::make_unique<VirtualMouse>(c, next);
}

} // namespace VirtualMouseSetup
