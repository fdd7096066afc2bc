#ifndef QX7_SCREENS_H
#define QX7_SCREENS_H

#include "KeyLabelTable.h"

#include <QList>
#include <QObject>
#include <memory>

class AppRulesScreen;
class ConfigStore;
class DeviceOperations;
class DpiSettingScreen;
class GunControlScreen;
class GunStore;
class KeyAssigmentScreen;
class KeyMatrixScreen;
class LanguageStore;
class LightControlScreen;
class MacroEditorScreen;
class MacroLibrary;
class MainScreen;
class CaptureControl;
class PointerControl;
class ProfileScreen;
class SystemSettingScreen;

// Every screen of the scene over one store and one device. The screens reach the backend and each
// other through it; Core builds them for the scene, qx7ctl, the bench and the tests.
class Screens : public QObject
{
    Q_OBJECT

public:
    Screens(ConfigStore& store,
            MacroLibrary& macros,
            GunStore& guns,
            LanguageStore& languages,
            DeviceOperations& operations,
            QObject* parent = nullptr);
    ~Screens() override;

    ConfigStore& store() const { return m_store; }
    MacroLibrary& macros() const { return m_macros; }
    GunStore& guns() const { return m_guns; }
    LanguageStore& languages() const { return m_languages; }
    DeviceOperations& operations() const { return m_operations; }

    // The desktop's pointer settings; without them the system settings are only stored.
    void setPointer(PointerControl* pointer) { m_pointer = pointer; }
    PointerControl* pointer() const { return m_pointer; }

    // The desktop's key capture. Screens that read keys (fire key, combination, macro recording,
    // Insert Key) ask for it while they capture; the desktop is read only while one of them does.
    void setCapture(CaptureControl* capture) { m_capture = capture; }
    void captureKeys(const QObject* screen, bool capturing);
    bool isCapturing() const { return !m_capturing.isEmpty(); }
    // The window hid or the mouse went away: every capture ends (a recording keeps what it has), so
    // that nothing typed in another program is read.
    void endCaptures();

    // Key labels as the current language shows them.
    const KeyLabelTable& keyLabels() const { return m_keyLabels; }
    void setKeyLabels(const QStringList& labels);

    MainScreen* main() const { return m_main.get(); }
    KeyMatrixScreen* keyMatrix() const { return m_keyMatrix.get(); }
    KeyAssigmentScreen* keyAssigment() const { return m_keyAssigment.get(); }
    DpiSettingScreen* dpiSetting() const { return m_dpiSetting.get(); }
    LightControlScreen* lightControl() const { return m_lightControl.get(); }
    SystemSettingScreen* systemSetting() const { return m_systemSetting.get(); }
    GunControlScreen* gunControl() const { return m_gunControl.get(); }
    ProfileScreen* profile() const { return m_profile.get(); }
    MacroEditorScreen* macroEditor() const { return m_macroEditor.get(); }
    AppRulesScreen* appRules() const { return m_appRules.get(); }

private:
    ConfigStore& m_store;
    MacroLibrary& m_macros;
    GunStore& m_guns;
    LanguageStore& m_languages;
    DeviceOperations& m_operations;
    PointerControl* m_pointer = nullptr;
    CaptureControl* m_capture = nullptr;
    QList<const QObject*> m_capturing;
    KeyLabelTable m_keyLabels;
    std::unique_ptr<MainScreen> m_main;
    // Before the key matrix: the matrix shows the fixed choices in the dialog's language.
    std::unique_ptr<KeyAssigmentScreen> m_keyAssigment;
    std::unique_ptr<KeyMatrixScreen> m_keyMatrix;
    std::unique_ptr<DpiSettingScreen> m_dpiSetting;
    std::unique_ptr<LightControlScreen> m_lightControl;
    std::unique_ptr<SystemSettingScreen> m_systemSetting;
    std::unique_ptr<GunControlScreen> m_gunControl;
    std::unique_ptr<ProfileScreen> m_profile;
    std::unique_ptr<MacroEditorScreen> m_macroEditor;
    std::unique_ptr<AppRulesScreen> m_appRules;
};

// The desktop side of the system settings: levels 0-10 and scroll lines (1000 for a screen).
class PointerControl
{
public:
    enum class Setting { CursorSpeed, DoubleClickSpeed, ScrollLines };

    virtual ~PointerControl() = default;
    // Whether this desktop has the setting at all; one it lacks is kept in the profile only.
    virtual bool offers(Setting) const { return true; }
    virtual bool setCursorSpeed(int level) = 0;
    virtual bool setDoubleClickSpeed(int level) = 0;
    virtual bool setScrollLines(int lines) = 0;
};

// Arms and disarms the desktop's key capture.
class CaptureControl
{
public:
    virtual ~CaptureControl() = default;
    virtual void setCapturing(bool capturing) = 0;
};

#endif // QX7_SCREENS_H
