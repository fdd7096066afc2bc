#ifndef QX7_GUNSTORE_H
#define QX7_GUNSTORE_H

#include <QMap>
#include <QStringList>
#include <QVariant>

class ConfigStore;

// Gun presets in modules/gun/gunData.bin, and the per-profile XY sensitivity and gun choice.
// The preset file ships with the program: without it every preset operation does nothing.
class GunStore
{
public:
    static constexpr int PresetFields = 6;
    static constexpr int RenameFields = 7;
    static constexpr int DefaultSensitivity = 4;

    explicit GunStore(ConfigStore& config);

    QVariantList getGunData(const QVariant& name) const;
    QStringList getGunDataKey() const;
    // Writes nothing for fewer than six values; false when nothing was written.
    bool mouseSaveGundata(const QVariant& index, const QVariantList& src6);
    // Several presets, by index, in one write of the file; nothing is written when an index is
    // empty or a list is short. False when nothing was written.
    bool savePresets(const QMap<QString, QVariantList>& presets);
    // Type 0 removes a named entry, type 1 (seven values) moves one to a new name; a shorter
    // list, another type or a name that is a position (a number) does nothing. False when nothing
    // was written.
    bool modifyGundata(const QVariant& modifyType, const QVariantList& src6);

    QVariant getXYSensitive(const QVariant& index) const;
    // False when the profile could not be written.
    bool setXYSensitive(const QVariant& index, const QVariant& xyData);
    QVariant getselectGun(const QVariant& index) const;
    bool setSelectGun(const QVariant& index, const QVariant& xyData);

private:
    bool hasPresetFile() const;

    ConfigStore& m_config;
};

#endif // QX7_GUNSTORE_H
