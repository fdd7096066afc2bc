#ifndef QX7_SETTINGSKEYS_H
#define QX7_SETTINGSKEYS_H

#include <QLatin1String>
#include <QString>

// The keys of the configuration (global) and of each profile file, written here once. Stored files
// rely on these texts: they never change.
namespace SettingsKeys {

// Global: the device, the program and the user's choices kept across profiles.
constexpr QLatin1String DeviceCount {"common/deviceCount"};
constexpr QLatin1String Name {"common/name"};
constexpr QLatin1String Language {"common/language"};
constexpr QLatin1String Url {"common/url"};
constexpr QLatin1String IcType {"mouse/icType"};
constexpr QLatin1String IsColorful {"mouse/isColorful"};
constexpr QLatin1String IsGun {"mouse/isGun"};
constexpr QLatin1String Is55328 {"mouse/is55328"};
constexpr QLatin1String KeyCount {"mouse/keyCount"};
constexpr QLatin1String MinDpi {"mouse/minDPI"};
constexpr QLatin1String MaxDpi {"mouse/maxDPI"};
constexpr QLatin1String SensorType {"mouse/sensorType"};
constexpr QLatin1String DpiBase {"mouse/dpiBase"};
constexpr QLatin1String ProfileNo {"mouse/profileNo"};
constexpr QLatin1String SelectGun {"mouse/selectGun"};

// Per profile.
constexpr QLatin1String ReportRate {"mouse/reportRate"};
constexpr QLatin1String DpiCount {"mouse/dpiCount"};
constexpr QLatin1String DpiValueArray {"mouse/dpiValueArray"};
constexpr QLatin1String CurrentDpiCount {"mouse/currentDpiCount"};
constexpr QLatin1String LightValue {"mouse/lightValue"};
constexpr QLatin1String ColorValue {"mouse/colorValue"};
constexpr QLatin1String MouseRate {"mouse/mouseRate"};
constexpr QLatin1String DoubleRate {"mouse/doubleRate"};
constexpr QLatin1String ScrollRate {"mouse/scrollRate"};

// Numbered per profile: key matrix entries, the factory matrix, the macro bound to a slot, the
// gun slots' presets and sensitivities.
constexpr QLatin1String KeyMatrixGroup {"mouseKeyMatrix"};
constexpr QLatin1String FactoryKeyMatrixGroup {"mouseFwKeyMatrix"};
constexpr QLatin1String MacroKeyGroup {"mouseMacroKey"};
constexpr QLatin1String XYSensitiveGroup {"XYSensitive"};
constexpr QLatin1String SelectGunGroup {"selectGun"};

inline QString numbered(QLatin1String group, const QString& index)
{
    return group + QLatin1Char('/') + index;
}
inline QString keyMatrix(const QString& entry)
{
    return numbered(KeyMatrixGroup, entry);
}
inline QString keyMatrix(int entry)
{
    return keyMatrix(QString::number(entry));
}
inline QString factoryKeyMatrix(int entry)
{
    return numbered(FactoryKeyMatrixGroup, QString::number(entry));
}
inline QString macroKey(int slot)
{
    return numbered(MacroKeyGroup, QString::number(slot));
}
inline QString xySensitive(const QString& index)
{
    return numbered(XYSensitiveGroup, index);
}
inline QString selectGun(const QString& index)
{
    return numbered(SelectGunGroup, index);
}

// A device record of the configuration: "<n>/<field>".
namespace DeviceField {
constexpr QLatin1String Type {"type"};
constexpr QLatin1String Vid {"vid"};
constexpr QLatin1String Pid {"pid"};
constexpr QLatin1String UsagePage {"usagePage"};
constexpr QLatin1String Usage {"usage"};
constexpr QLatin1String UsagePage2 {"usagePage2"};
constexpr QLatin1String Usage2 {"usage2"};
constexpr QLatin1String ReportLength {"reportLength"};
constexpr QLatin1String IsEncode {"isEncode"};
constexpr QLatin1String SCode {"sCode"};
inline QString field(int record, QLatin1String name)
{
    return QString::number(record) + QLatin1Char('/') + name;
}
} // namespace DeviceField

// The name lists of the macro, gun and profile files.
constexpr QLatin1String MacroNameList {"macro/macroName"};
constexpr QLatin1String GunNameList {"gun/gunName"};
constexpr QLatin1String ProfileNameList {"profile/profileName"};
constexpr QLatin1String GunSelectionList {"gun/selectGun"};

// One macro file: its header and its numbered actions.
namespace MacroFile {
constexpr QLatin1String Index {"config/index"};
constexpr QLatin1String Total {"config/total"};
constexpr QLatin1String Repeat {"config/repeat"};
constexpr QLatin1String Did {"config/did"};
constexpr QLatin1String ActionGroup {"macro"};
inline QString action(int index)
{
    return numbered(ActionGroup, QString::number(index));
}
} // namespace MacroFile

// A language file: per group of texts, a count and the numbered texts.
namespace LanguageFile {
inline QString total(const QString& group)
{
    return group + QLatin1String("/total");
}
inline QString text(const QString& group, int index)
{
    return group + QLatin1Char('/') + QString::number(index);
}
} // namespace LanguageFile

// The gun presets file.
constexpr QLatin1String GunDataGroup {"gunData"};

// The rules of the profiles that follow the application in front.
namespace AppRules {
constexpr QLatin1String Group {"rules"};
constexpr QLatin1String Enabled {"enabled"};
constexpr QLatin1String Other {"other"};
constexpr QLatin1String OtherName {"otherName"};
constexpr QLatin1String List {"list"};
constexpr QLatin1String Application {"application"};
constexpr QLatin1String WindowClass {"windowClass"};
constexpr QLatin1String Title {"title"};
constexpr QLatin1String Profile {"profile"};
constexpr QLatin1String ProfileName {"profileName"};
} // namespace AppRules

} // namespace SettingsKeys

#endif // QX7_SETTINGSKEYS_H
