#include "DeviceRecords.h"

#include "HidTransport.h"
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
    const int count = qBound(0, config.value(QStringLiteral("common/deviceCount"), 0).toInt(), MaxDevices);
    for (int n = 0; n < count; ++n) {
        const QString prefix = QString::number(n);
        auto* r = new DeviceRecord;
        if (config.contains(prefix + "/type")) {
            bool ok = false;
            r->type = config.value(prefix + "/type").toString().toInt(&ok, 16);
            if (!ok) {
                r->type = 0;
            }
        } else {
            r->type = -1;
        }
        r->vid = hex16(config, prefix + "/vid");
        r->pid = hex16(config, prefix + "/pid");
        r->usagePage = hex16(config, prefix + "/usagePage");
        r->usage = hex16(config, prefix + "/usage");
        r->usagePage2 = hex16(config, prefix + "/usagePage2");
        r->usage2 = hex16(config, prefix + "/usage2");
        r->reportLength = config.value(prefix + "/reportLength", 32).toInt();
        r->isEncode = flag(config, prefix + "/isEncode");
        r->sCode = config.value(prefix + "/sCode", QStringLiteral("731540")).toString();
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
