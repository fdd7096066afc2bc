#ifndef QX7_CORE_H
#define QX7_CORE_H

#include <QString>
#include <memory>

class ConfigStore;
class DeviceOperations;
class GunStore;
class Hid_Thread;
class LanguageStore;
class MacroLibrary;
class Screens;

// The core over one modules/ folder, built in one place for the scene, qx7ctl, the bench and the
// tests: the settings store, the macro library, the gun presets and the language texts, then, once
// there is a link, the device operations and the screens over them.
class Core
{
public:
    // `baseDir` holds modules/.
    explicit Core(const QString& baseDir);
    ~Core();
    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    ConfigStore& store() const { return *m_store; }
    MacroLibrary& macros() const { return *m_macros; }
    GunStore& guns() const { return *m_guns; }
    LanguageStore& languages() const { return *m_languages; }

    // Builds the device operations over `link` and the screens over them, in place of any built
    // before; null leaves neither. The link's owner is set first: the operations take the family
    // from the store once. The link outlives them or is attached to null first.
    void attach(Hid_Thread* link);
    DeviceOperations* operations() const { return m_operations.get(); }
    Screens* screens() const { return m_screens.get(); }

private:
    std::unique_ptr<ConfigStore> m_store;
    std::unique_ptr<MacroLibrary> m_macros;
    std::unique_ptr<GunStore> m_guns;
    std::unique_ptr<LanguageStore> m_languages;
    std::unique_ptr<DeviceOperations> m_operations;
    std::unique_ptr<Screens> m_screens;
};

#endif // QX7_CORE_H
