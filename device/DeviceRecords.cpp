#include "DeviceRecords.h"

#include "HidTransport.h"
#include "SettingsKeys.h"
#include "StoreTools.h"

#include <QSettings>

namespace DeviceRecords {

namespace {

uint16_t hex16(const QSettings& config, const QString& key)
{
    bool ok = false;
    const uint value = config.value(key).toString().toUInt(&ok, 16);
    return ok ? static_cast<uint16_t>(value & 0xFFFF) : 0;
}

bool flag(const QSettings& config, const QString& key)
{
    const QString text = config.value(key).toString();
    return !(text.isEmpty() || text == QLatin1String("0")
             || text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0);
}

} // namespace

QList<DeviceRecord*> load(QSettings& config)
{
    QList<DeviceRecord*> records;
    const int count = qBound(0, config.value(SettingsKeys::DeviceCount, 0).toInt(), MaxDevices);
    for (int n = 0; n < count; ++n) {
        const auto key = [n](QLatin1String field) { return SettingsKeys::DeviceField::field(n, field); };
        using namespace SettingsKeys::DeviceField;
        auto* r = new DeviceRecord;
        if (config.contains(key(Type))) {
            bool ok = false;
            r->type = config.value(key(Type)).toString().toInt(&ok, 16);
            if (!ok) {
                r->type = 0;
            }
        } else {
            r->type = -1;
        }
        r->vid = hex16(config, key(Vid));
        r->pid = hex16(config, key(Pid));
        r->usagePage = hex16(config, key(UsagePage));
        r->usage = hex16(config, key(Usage));
        r->usagePage2 = hex16(config, key(UsagePage2));
        r->usage2 = hex16(config, key(Usage2));
        r->reportLength = config.value(key(ReportLength), 32).toInt();
        r->isEncode = flag(config, key(IsEncode));
        r->sCode = config.value(key(SCode), QStringLiteral("731540")).toString();
        records.append(r);
    }
    return records;
}

QList<DeviceRecord*> load(const QString& configPath)
{
    return load(*StoreTools::openSettings(configPath));
}

void discover(const QList<DeviceRecord*>& records, HidTransport& transport)
{
    for (DeviceRecord* r : records) {
        r->path.clear();
        r->path2.clear();
        const QList<HidDeviceInfo> found = transport.enumerate(r->vid, r->pid);
        for (const HidDeviceInfo& info : found) {
            if (info.usagePage == r->usagePage && info.usage == r->usage) {
                r->path = QString::fromLocal8Bit(info.path);
            }
            if (info.usagePage == r->usagePage2 && info.usage == r->usage2) {
                r->path2 = QString::fromLocal8Bit(info.path);
            }
        }
    }
}

} // namespace DeviceRecords
