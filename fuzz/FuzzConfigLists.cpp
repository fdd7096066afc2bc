// Settings files: the input is written as the global configuration, the default and first
// profiles, the name lists and the gun presets, and read through the store's accessors and by the
// device operations that turn stored lists into device bytes.
#include "ConfigStore.h"
#include "DeviceOperations.h"
#include "FuzzFolder.h"
#include "FuzzSupport.h"
#include "FuzzTransport.h"
#include "GunStore.h"
#include "HidClock.h"
#include "Hid_Thread.h"
#include "LanguageStore.h"
#include "MacroLibrary.h"
#include "SettingsKeys.h"

namespace {

const char* const SettingsFiles[] = {"modules/setting/apConfig.bin",
                                     "modules/setting/pD.bin",
                                     "modules/setting/p1.bin",
                                     "modules/setting/name.bin",
                                     "modules/gun/gunData.bin"};
const QLatin1String GlobalKeys[] = {SettingsKeys::Name,
                                    SettingsKeys::Language,
                                    SettingsKeys::Url,
                                    SettingsKeys::KeyCount,
                                    SettingsKeys::ProfileNo,
                                    SettingsKeys::SelectGun,
                                    SettingsKeys::MinDpi,
                                    SettingsKeys::MaxDpi,
                                    SettingsKeys::SensorType,
                                    SettingsKeys::DpiBase};
const QLatin1String ProfileLists[] = {SettingsKeys::DpiValueArray, SettingsKeys::LightValue, SettingsKeys::ColorValue};
const QLatin1String ProfileValues[] = {SettingsKeys::ReportRate,
                                       SettingsKeys::DpiCount,
                                       SettingsKeys::CurrentDpiCount,
                                       SettingsKeys::MouseRate,
                                       SettingsKeys::DoubleRate,
                                       SettingsKeys::ScrollRate};
constexpr int MatrixEntries = 16;
constexpr int GunPresetsTried = 8;

void readStore(ConfigStore& store)
{
    for (QLatin1String key : GlobalKeys) {
        store.getGlobalData(key);
    }
    store.setCurrentProfile(store.getGlobalData(SettingsKeys::ProfileNo).toInt());
    // Only slot 0 holds the input; the others read as empty.
    store.setCurrentProfile(0);
    for (bool isRecovery : {false, true}) {
        for (QLatin1String key : ProfileLists) {
            store.getDataList(key, isRecovery);
        }
        for (QLatin1String key : ProfileValues) {
            store.getData(key, isRecovery);
        }
    }
}

void readNamesAndGuns(ConfigStore& store)
{
    MacroLibrary macros(store);
    for (int type = MacroLibrary::MacroNames; type <= MacroLibrary::GunSelection; ++type) {
        macros.getNameList(type);
    }
    GunStore guns(store);
    const QStringList presets = guns.getGunDataKey();
    for (int i = 0; i < presets.size() && i < GunPresetsTried; ++i) {
        guns.getGunData(presets.at(i));
    }
    for (int axis = 0; axis < 2; ++axis) {
        guns.getXYSensitive(axis);
    }
    for (int gun = 0; gun < 3; ++gun) {
        guns.getselectGun(gun);
    }
    // Bindings of the profiles to a macro named in them; only files below the folder change.
    macros.deleteMacroUpdateProfile(store.getData(SettingsKeys::macroKey(0), false));
}

void sendStoredLists(ConfigStore& store)
{
    FuzzTransport transport(nullptr);
    NoWaitClock clock;
    Hid_Thread link(&transport, &clock);
    DeviceOperations ops(&link, &store);
    for (int entry = 0; entry < MatrixEntries; ++entry) {
        ops.mouseGetKeydefine(entry, false);
    }
    ops.mouseResetKeyMatrix();
    ops.mouseSetDpi(store.getData(SettingsKeys::CurrentDpiCount, false).toInt(),
                    store.getGlobalData(SettingsKeys::SensorType).toString(),
                    store.getDataList(SettingsKeys::DpiValueArray, false));
    ops.mouseSetRGBColor(1, store.getDataList(SettingsKeys::ColorValue, false));
}

void readNamedLanguage(const ConfigStore& store)
{
    const QString code = store.getGlobalData(SettingsKeys::Language).toString();
    const QString path = store.paths().language(code);
    FUZZ_CHECK(path.isEmpty() || FuzzSupport::isInside(path, store.paths().resolve(QStringLiteral("modules/i18n"))));
    LanguageStore(store.paths().baseDir()).getLangStrings(QStringLiteral("main"), code);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::quietQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzFolder folder;
    for (const char* file : SettingsFiles) {
        folder.write(QString::fromLatin1(file), data, size);
    }
    ConfigStore store(folder.path());
    readStore(store);
    readNamesAndGuns(store);
    sendStoredLists(store);
    readNamedLanguage(store);
    return 0;
}
