#include "Screens.h"

#include "AppRulesScreen.h"
#include "DpiSettingScreen.h"
#include "GunControlScreen.h"
#include "KeyAssigmentScreen.h"
#include "KeyMatrixScreen.h"
#include "LightControlScreen.h"
#include "MacroEditorScreen.h"
#include "MainScreen.h"
#include "ProfileScreen.h"
#include "SystemSettingScreen.h"

Screens::Screens(ConfigStore& store,
                 MacroLibrary& macros,
                 GunStore& guns,
                 LanguageStore& languages,
                 DeviceOperations& operations,
                 QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_macros(macros)
    , m_guns(guns)
    , m_languages(languages)
    , m_operations(operations)
    , m_keyAssigment(std::make_unique<KeyAssigmentScreen>(*this))
    , m_keyMatrix(std::make_unique<KeyMatrixScreen>(*this))
    , m_dpiSetting(std::make_unique<DpiSettingScreen>(*this))
    , m_lightControl(std::make_unique<LightControlScreen>(*this))
    , m_systemSetting(std::make_unique<SystemSettingScreen>(*this))
    , m_gunControl(std::make_unique<GunControlScreen>(*this))
    , m_profile(std::make_unique<ProfileScreen>(*this))
    , m_macroEditor(std::make_unique<MacroEditorScreen>(*this))
{
    connect(m_macroEditor.get(),
            &MacroEditorScreen::macroNamesChanged,
            m_keyAssigment.get(),
            &KeyAssigmentScreen::macroNamesChanged);
    // The main screen is last: it connects to the others.
    m_main = std::make_unique<MainScreen>(*this);
    // After the main screen's: the dialog reads the bindings as they are after the change.
    connect(m_macroEditor.get(),
            &MacroEditorScreen::modifyMacroName,
            m_keyAssigment.get(),
            &KeyAssigmentScreen::macroRenamed);
    connect(
        m_macroEditor.get(), &MacroEditorScreen::deleteMacro, m_keyAssigment.get(), &KeyAssigmentScreen::macroDeleted);
    // Follows the profile list and the main screen's changes.
    m_appRules = std::make_unique<AppRulesScreen>(*this);
}

Screens::~Screens() = default;

void Screens::setKeyLabels(const QStringList& labels)
{
    m_keyLabels = KeyLabelTable(labels);
}

void Screens::captureKeys(const QObject* screen, bool capturing)
{
    const bool was = isCapturing();
    if (capturing && !m_capturing.contains(screen)) {
        m_capturing << screen;
    } else if (!capturing) {
        m_capturing.removeAll(screen);
    }
    if (m_capture && was != isCapturing()) {
        m_capture->setCapturing(isCapturing());
    }
}

void Screens::endCaptures()
{
    m_keyAssigment->endCapture();
    m_macroEditor->close();
}
