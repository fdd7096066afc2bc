#include "GunStore.h"

#include "ConfigStore.h"
#include "SettingsKeys.h"
#include "StoreTools.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString kGroup = SettingsKeys::GunDataGroup;

QString presetKey(const QString& name)
{
    return kGroup + QLatin1Char('/') + name;
}

// The presets themselves stand under their positions; a name key must never be taken for one.
bool isPositionKey(const QString& name)
{
    bool ok = false;
    name.toUInt(&ok);
    return ok;
}

QStringList texts(const QVariantList& values, int from, int to)
{
    QStringList list;
    for (int i = from; i < to; ++i) {
        list.append(values.at(i).toString());
    }
    return list;
}

} // namespace

GunStore::GunStore(ConfigStore& config)
    : m_config(config)
{
}

bool GunStore::hasPresetFile() const
{
    return QFileInfo(m_config.paths().gunData()).isFile();
}

QVariantList GunStore::getGunData(const QVariant& name) const
{
    if (!hasPresetFile()) {
        return {};
    }
    const std::unique_ptr<QSettings> settings = StoreTools::openSettings(m_config.paths().gunData());
    return StoreTools::listValue(settings->value(presetKey(name.toString())));
}

QStringList GunStore::getGunDataKey() const
{
    if (!hasPresetFile()) {
        return {};
    }
    const std::unique_ptr<QSettings> settings = StoreTools::openSettings(m_config.paths().gunData());
    settings->beginGroup(kGroup);
    const QStringList keys = settings->allKeys();
    settings->endGroup();
    return keys;
}

bool GunStore::mouseSaveGundata(const QVariant& index, const QVariantList& src6)
{
    return savePresets({{index.toString(), src6}});
}

bool GunStore::savePresets(const QMap<QString, QVariantList>& presets)
{
    if (!hasPresetFile() || presets.isEmpty()) {
        return false;
    }
    for (auto preset = presets.cbegin(); preset != presets.cend(); ++preset) {
        if (preset.key().isEmpty() || preset.value().size() < PresetFields) {
            return false;
        }
    }
    const std::unique_ptr<QSettings> settings = StoreTools::openSettings(m_config.paths().gunData());
    for (auto preset = presets.cbegin(); preset != presets.cend(); ++preset) {
        settings->setValue(presetKey(preset.key()), texts(preset.value(), 0, PresetFields));
    }
    return m_config.syncFile(*settings, m_config.paths().gunData(), "mouseSaveGundata");
}

bool GunStore::modifyGundata(const QVariant& modifyType, const QVariantList& src6)
{
    if (!hasPresetFile()) {
        return false;
    }
    bool ok = false;
    const int type = modifyType.toInt(&ok);
    const std::unique_ptr<QSettings> settings = StoreTools::openSettings(m_config.paths().gunData());
    if (ok && type == 0 && !src6.isEmpty() && !src6.at(0).toString().isEmpty()
        && !isPositionKey(src6.at(0).toString())) {
        settings->remove(presetKey(src6.at(0).toString()));
        return m_config.syncFile(*settings, m_config.paths().gunData(), "modifyGundata");
    }
    if (ok && type == 1 && src6.size() >= RenameFields && !src6.at(0).toString().isEmpty()
        && !isPositionKey(src6.at(0).toString()) && !isPositionKey(src6.at(6).toString())) {
        settings->remove(presetKey(src6.at(6).toString()));
        settings->setValue(presetKey(src6.at(0).toString()), texts(src6, 1, PresetFields));
        return m_config.syncFile(*settings, m_config.paths().gunData(), "modifyGundata");
    }
    return false;
}

QVariant GunStore::getXYSensitive(const QVariant& index) const
{
    return m_config.currentProfileSettings()->value(SettingsKeys::xySensitive(index.toString()), DefaultSensitivity);
}

bool GunStore::setXYSensitive(const QVariant& index, const QVariant& xyData)
{
    return m_config.setData(SettingsKeys::xySensitive(index.toString()), xyData);
}

QVariant GunStore::getselectGun(const QVariant& index) const
{
    return m_config.currentProfileSettings()->value(SettingsKeys::selectGun(index.toString()), QString());
}

bool GunStore::setSelectGun(const QVariant& index, const QVariant& xyData)
{
    return m_config.setData(SettingsKeys::selectGun(index.toString()), xyData);
}
