#include "SystemSettingScreen.h"

#include "ConfigStore.h"
#include "ScreenValues.h"
#include "Screens.h"
#include "SettingsKeys.h"

#include <algorithm>
#include <array>

namespace {

const QStringList DefaultLang {
    QStringLiteral("System Setting"),
    QStringLiteral("Mouse Speed"),
    QStringLiteral("Double Click Speed"),
    QStringLiteral("Slow"),
    QStringLiteral("Fast"),
    QStringLiteral("Scroll Speed"),
    QStringLiteral("Number of Rows"),
    QStringLiteral("Scroll one Screen"),
    QStringLiteral("Not offered by this desktop"),
    QStringLiteral("Restore"),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
};

constexpr std::array<int, 11> LevelThresholds {4, 37, 70, 104, 138, 172, 205, 239, 272, 305, 338};

} // namespace

SystemSettingScreen::SystemSettingScreen(Screens& screens)
    : QObject(&screens)
    , m_screens(screens)
    , m_lang(DefaultLang)
{
}

void SystemSettingScreen::setLanguageTexts(const QStringList& texts)
{
    m_lang = ScreenValues::texts(DefaultLang, texts);
    emit languageChanged();
}

int SystemSettingScreen::levelOf(int position)
{
    for (int level = 0; level < int(LevelThresholds.size()); ++level) {
        if (LevelThresholds[level] > position) {
            return level;
        }
    }
    return int(LevelThresholds.size()) - 1;
}

void SystemSettingScreen::setValues(int mouseRate, int doubleRate, int scrollRate)
{
    m_mouseRate = qBound(FirstPosition, mouseRate, LastPosition);
    m_doubleRate = qBound(FirstPosition, doubleRate, LastPosition);
    m_scrollRate = scrollRate > MaxLines ? OneScreen : qMax(1, scrollRate);
    if (m_scrollRate <= MaxLines) {
        m_lines = m_scrollRate;
    }
    emit valuesChanged();
}

void SystemSettingScreen::init(bool isSendData, bool isRecovery)
{
    const ConfigStore& store = m_screens.store();
    setValues(ScreenValues::profileInt(store, SettingsKeys::MouseRate, 170, isRecovery),
              ScreenValues::profileInt(store, SettingsKeys::DoubleRate, 170, isRecovery),
              ScreenValues::profileInt(store, SettingsKeys::ScrollRate, 3, isRecovery));
    if (isSendData) {
        saveData(true, 0);
    }
}

void SystemSettingScreen::saveData(bool isSendData, int isStep)
{
    ConfigStore::WriteBatch batch(m_screens.store());
    ConfigStore& store = m_screens.store();
    store.setData(SettingsKeys::MouseRate, m_mouseRate);
    store.setData(SettingsKeys::DoubleRate, m_doubleRate);
    store.setData(SettingsKeys::ScrollRate, m_scrollRate);
    PointerControl* pointer = m_screens.pointer();
    if (!isSendData || !pointer) {
        return;
    }
    using Setting = PointerControl::Setting;
    if ((isStep == 0 || isStep == 1) && pointer->offers(Setting::CursorSpeed)) {
        pointer->setCursorSpeed(levelOf(m_mouseRate));
    }
    if ((isStep == 0 || isStep == 2) && pointer->offers(Setting::DoubleClickSpeed)) {
        pointer->setDoubleClickSpeed(levelOf(m_doubleRate));
    }
    if ((isStep == 0 || isStep == 3) && pointer->offers(Setting::ScrollLines)) {
        pointer->setScrollLines(m_scrollRate);
    }
}

void SystemSettingScreen::readDesktop()
{
    PointerControl* pointer = m_screens.pointer();
    using Setting = PointerControl::Setting;
    const bool offered[3] = {!pointer || pointer->offers(Setting::CursorSpeed),
                             !pointer || pointer->offers(Setting::DoubleClickSpeed),
                             !pointer || pointer->offers(Setting::ScrollLines)};
    if (!std::equal(offered, offered + 3, m_offered)) {
        std::copy(offered, offered + 3, m_offered);
        emit desktopChanged();
    }
}

void SystemSettingScreen::releaseSpeed(int position)
{
    setValues(FirstPosition + position, m_doubleRate, m_scrollRate);
    saveData(true, 1);
}

void SystemSettingScreen::releaseDoubleClick(int position)
{
    setValues(m_mouseRate, FirstPosition + position, m_scrollRate);
    saveData(true, 2);
}

void SystemSettingScreen::chooseRows()
{
    setValues(m_mouseRate, m_doubleRate, m_lines);
    saveData(true, 3);
}

void SystemSettingScreen::chooseOneScreen()
{
    setValues(m_mouseRate, m_doubleRate, OneScreen);
    saveData(true, 3);
}

void SystemSettingScreen::leaveLines(const QString& text)
{
    bool ok = false;
    const int lines = text.trimmed().toInt(&ok);
    setValues(m_mouseRate, m_doubleRate, ok ? qBound(1, lines, MaxLines) : 1);
    saveData(true, 3);
}

void SystemSettingScreen::restore()
{
    init(true, true);
}
