#include "MainScreen.h"

#include "AppRulesScreen.h"
#include "ConfigStore.h"
#include "DeviceOperations.h"
#include "DpiSettingScreen.h"
#include "GunControlScreen.h"
#include "KeyAssigmentScreen.h"
#include "KeyMatrixScreen.h"
#include "LightControlScreen.h"
#include "MacroEditorScreen.h"
#include "ProfileScreen.h"
#include "ScreenLanguages.h"
#include "ScreenValues.h"
#include "Screens.h"
#include "SettingsKeys.h"
#include "SystemSettingScreen.h"

namespace {

const QStringList DefaultMainLang {
    QStringLiteral("Editor"),
    QStringLiteral("Macro Editor"),
    QStringLiteral("Gun Editor"),
    QStringLiteral("Report Rate"),
    QStringLiteral("Config"),
    QStringLiteral("Reset"),
    QStringLiteral("Reset factory setting"),
    QStringLiteral("Cancel"),
    QStringLiteral("OK"),
    QStringLiteral("System setting"),
    QStringLiteral("Save"),
    QStringLiteral("The mouse did not take the change. It is kept, and sent when the mouse is back."),
    QStringLiteral("Unsaved edits"),
    QStringLiteral("This profile has edits that are not saved."),
    QStringLiteral("Discard"),
    QStringLiteral("The default profile could not be copied; nothing was reset."),
    QStringLiteral("The profile could not be written to that file."),
    QStringLiteral("The macro could not be written to that file."),
};

// Disables the view for a flow and enables it again however the flow ends.
class ViewLock
{
public:
    ViewLock(MainScreen& screen, void (MainScreen::*set)(bool))
        : m_screen(screen)
        , m_set(set)
    {
        (m_screen.*m_set)(false);
    }
    ~ViewLock() { (m_screen.*m_set)(true); }

private:
    MainScreen& m_screen;
    void (MainScreen::*m_set)(bool);
};

} // namespace

MainScreen::MainScreen(Screens& screens)
    : QObject(&screens)
    , m_screens(screens)
    , m_mainLang(DefaultMainLang)
    , m_sends(screens.operations(), [this] { showNotice(SendFailedText); })
    , m_macroBindings(screens, m_sends)
    , m_flows(screens, m_sends)
{
    m_guard.setSingleShot(true);
    m_guard.setInterval(DefaultGuardMs);
    connect(&m_guard, &QTimer::timeout, this, &MainScreen::guardEnded);
    MacroEditorScreen* macros = m_screens.macroEditor();
    connect(macros, &MacroEditorScreen::modifyMacroData, this, [this](const QString& name) {
        m_macroBindings.resend(name);
    });
    connect(macros, &MacroEditorScreen::modifyMacroName, this, [this](const QString& oldName, const QString& newName) {
        m_macroBindings.rename(oldName, newName);
    });
    connect(macros, &MacroEditorScreen::deleteMacro, this, [this](const QString& name) { m_macroBindings.drop(name); });
    connect(m_screens.keyMatrix(), &KeyMatrixScreen::isSaveChanged, this, &MainScreen::updatePendingEdits);
    connect(m_screens.dpiSetting(), &DpiSettingScreen::isSaveChanged, this, &MainScreen::updatePendingEdits);
    connect(m_screens.lightControl(), &LightControlScreen::isSaveChanged, this, &MainScreen::updatePendingEdits);
}

bool MainScreen::hasPendingEdits() const
{
    return m_pendingEdits;
}

void MainScreen::updatePendingEdits()
{
    const bool pending = m_flows.hasEdits();
    if (m_pendingEdits != pending) {
        m_pendingEdits = pending;
        emit pendingEditsChanged();
    }
}

void MainScreen::showNotice(MainScreen::Text text)
{
    m_notice = m_mainLang.value(text);
    emit noticeShown(m_notice);
}

bool MainScreen::deliver(const QString& part, const std::function<void()>& send, const std::function<void()>& done)
{
    return m_sends.deliver(part, send, done);
}

QStringList MainScreen::unsentParts() const
{
    return m_sends.parts();
}

void MainScreen::sendPending()
{
    if (m_sends.isEmpty()) {
        return;
    }
    // The busy guard of the new connection holds the view meanwhile.
    ConfigStore::WriteBatch batch(m_screens.store());
    m_sends.sendAgain();
}

void MainScreen::sendMacro(int slot, const QString& macroName)
{
    m_macroBindings.send(slot, macroName);
}

QStringList MainScreen::reportRates()
{
    return {QStringLiteral("125Hz"), QStringLiteral("250Hz"), QStringLiteral("500Hz"), QStringLiteral("1000Hz")};
}

QString MainScreen::versionText()
{
    return QStringLiteral("verison:1.0");
}

int MainScreen::reportRateValue(int index)
{
    switch (index) {
        case 0:
            return 8;
        case 1:
            return 4;
        case 2:
            return 2;
        default:
            return 1;
    }
}

void MainScreen::setBusy(bool busy)
{
    if (m_busy != busy) {
        m_busy = busy;
        emit busyChanged();
    }
}

void MainScreen::setViewEnabled(bool enabled)
{
    if (m_viewEnabled != enabled) {
        m_viewEnabled = enabled;
        emit viewEnabledChanged();
    }
}

void MainScreen::setProtectUI(int interval)
{
    setBusy(true);
    setViewEnabled(false);
    m_guard.setInterval(interval > 0 ? interval : DefaultGuardMs);
    m_guard.start();
}

void MainScreen::guardEnded()
{
    setViewEnabled(true);
    setBusy(false);
    if (!m_revealed) {
        m_revealed = true;
        emit revealedChanged();
    }
}

void MainScreen::controlUIEnable(bool isEnable)
{
    setBusy(!isEnable);
    setViewEnabled(isEnable);
}

void MainScreen::readFlags()
{
    const ConfigStore& store = m_screens.store();
    m_isColorful = ScreenValues::globalBool(store, SettingsKeys::IsColorful, m_isColorful);
    m_is55328 = ScreenValues::globalBool(store, SettingsKeys::Is55328, m_is55328);
    m_isGun = ScreenValues::globalBool(store, SettingsKeys::IsGun, m_isGun);
    m_keyCount = ScreenValues::globalInt(store, SettingsKeys::KeyCount, DefaultKeyCount);
    if (m_keyCount < 0 || m_keyCount > MaxKeyCount) {
        m_keyCount = DefaultKeyCount;
    }
    m_language = m_languageOverride.isEmpty() ? ScreenValues::globalText(store, SettingsKeys::Language, m_language)
                                              : m_languageOverride;
    m_url = ScreenValues::globalText(store, SettingsKeys::Url, m_url);
    emit flagsChanged();
}

void MainScreen::overrideLanguage(const QString& language)
{
    m_languageOverride = language;
}

void MainScreen::loadLanguages()
{
    m_mainLang = ScreenValues::texts(DefaultMainLang, ScreenLanguages::load(m_screens, m_language));
    emit mainLangChanged();
}

void MainScreen::initUI()
{
    setProtectUI(DefaultGuardMs);
    DeviceOperations& ops = m_screens.operations();
    if (!m_isPownOn) {
        readFlags();
        ops.mouseUseFirstProfile();
        initScreens();
    } else {
        sendPending();
    }
    m_screens.dpiSetting()->setCurrentDPI(ScreenValues::toInt(ops.mouseGetCurrentDPI(), 0) - 1);
}

void MainScreen::initScreens()
{
    loadLanguages();
    // The profile list chooses the current profile: its entry, and the slot its file is in until
    // the list is tidied.
    m_screens.profile()->init();
    m_screens.appRules()->init();
    m_profileNo = m_screens.profile()->currentEntry();
    emit profileNoChanged();
    m_screens.store().setCurrentProfile(m_screens.profile()->currentSlot());
    // Read once the profile is chosen, so that the box shows the profile in use.
    initReportRate(false);

    m_screens.macroEditor()->init();
    m_screens.gunControl()->init();
    m_screens.keyAssigment()->init();
    m_screens.keyMatrix()->init(false, false);
    m_screens.dpiSetting()->init(false, false);
    m_screens.lightControl()->init(false, false);
    m_screens.systemSetting()->init(false, false);
    m_isPownOn = true;
    emit isPownOnChanged();
}

void MainScreen::initReportRate(bool isSendData)
{
    int index = ScreenValues::profileInt(m_screens.store(), SettingsKeys::ReportRate, 3);
    if (index < 0 || index > 3) {
        index = 3;
    }
    if (m_reportRateIndex != index) {
        m_reportRateIndex = index;
        emit reportRateIndexChanged();
    }
    if (isSendData) {
        m_screens.operations().mouseSetReportRate(static_cast<unsigned char>(reportRateValue(index)));
    }
}

void MainScreen::chooseReportRate(int index)
{
    if (index < 0 || index > 3) {
        return;
    }
    m_screens.store().setData(SettingsKeys::ReportRate, index);
    if (m_reportRateIndex != index) {
        m_reportRateIndex = index;
        emit reportRateIndexChanged();
    }
    DeviceOperations& ops = m_screens.operations();
    deliver(QStringLiteral("reportRate"),
            [&ops, index] { ops.mouseSetReportRate(static_cast<unsigned char>(reportRateValue(index))); });
}

void MainScreen::save()
{
    ConfigStore::WriteBatch batch(m_screens.store());
    ViewLock lock(*this, &MainScreen::setViewEnabled);
    m_flows.save();
}

void MainScreen::discardEdits()
{
    m_flows.discard();
}

bool MainScreen::factoryReset()
{
    ConfigStore::WriteBatch batch(m_screens.store());
    ViewLock lock(*this, &MainScreen::setViewEnabled);
    return m_flows.factoryReset();
}

void MainScreen::changeProfile(int number)
{
    switchProfile(number, false);
}

void MainScreen::followProfile(int number)
{
    switchProfile(number, true);
}

void MainScreen::switchProfile(int number, bool quick)
{
    ConfigStore::WriteBatch batch(m_screens.store());
    if (number == m_profileNo || !ConfigStore::isValidSlot(number)) {
        return;
    }
    ViewLock lock(*this, &MainScreen::setViewEnabled);
    m_flows.makeCurrent(number);
    m_profileNo = number;
    emit profileNoChanged();
    m_flows.sendProfile(quick);
}

void MainScreen::setAskedProfile(int number)
{
    if (m_askedProfile != number) {
        m_askedProfile = number;
        emit askedProfileChanged();
    }
}

void MainScreen::chooseProfile(int number)
{
    if (number != m_profileNo && ConfigStore::isValidSlot(number) && hasPendingEdits()) {
        setAskedProfile(number);
    } else {
        changeProfile(number);
    }
    // The drop-down shows the profile in use until the question is answered.
    emit profileNoChanged();
}

void MainScreen::answerProfileQuestion(int answer)
{
    const int number = m_askedProfile;
    setAskedProfile(-1);
    if (number < 0) {
        return;
    }
    switch (answer) {
        case SaveAnswer:
            save();
            // Edits the mouse did not take stay with their profile.
            if (!hasPendingEdits()) {
                changeProfile(number);
            }
            break;
        case DiscardAnswer:
            discardEdits();
            changeProfile(number);
            break;
        default:
            break;
    }
}

void MainScreen::moveCurrentProfile(int number)
{
    if (number != m_profileNo) {
        m_profileNo = number;
        emit profileNoChanged();
    }
}

void MainScreen::setCurrentDPI(int dpiValue)
{
    if (dpiValue != 0) {
        m_screens.dpiSetting()->setCurrentDPI(dpiValue - 1);
    }
}

void MainScreen::routeKeyboard(bool isDown, int usbCode)
{
    MacroEditorScreen* macros = m_screens.macroEditor();
    KeyAssigmentScreen* assignment = m_screens.keyAssigment();
    if (macros->capturesKeys()) {
        macros->detectKeyboard(isDown, usbCode);
    } else if (assignment->capturesKeys()) {
        assignment->detectKeyboard(isDown, usbCode);
    }
}
