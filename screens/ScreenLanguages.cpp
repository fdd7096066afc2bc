#include "ScreenLanguages.h"

#include "DpiSettingScreen.h"
#include "DpiSwitchTexts.h"
#include "GunControlScreen.h"
#include "KeyAssigmentScreen.h"
#include "KeyMatrixScreen.h"
#include "LanguageStore.h"
#include "LightControlScreen.h"
#include "MacroEditorScreen.h"
#include "ProfileScreen.h"
#include "Screens.h"
#include "SystemSettingScreen.h"

namespace ScreenLanguages {

QStringList groups()
{
    return {QStringLiteral("main"),
            QStringLiteral("keyMatrix"),
            QStringLiteral("keyAssigment"),
            QStringLiteral("dpiSetting"),
            QStringLiteral("lightControl"),
            QStringLiteral("macroEditor"),
            QStringLiteral("systemSetting"),
            QStringLiteral("gunControl"),
            QStringLiteral("profile"),
            QStringLiteral("keyCode"),
            QStringLiteral("other")};
}

QStringList load(Screens& screens, const QString& language)
{
    const LanguageStore& languages = screens.languages();
    QStringList main;
    for (const QString& group : groups()) {
        const QStringList list = languages.getLangStrings(group, language);
        if (group == QLatin1String("main")) {
            main = list;
        } else if (group == QLatin1String("keyMatrix")) {
            screens.keyMatrix()->setLanguageTexts(list);
        } else if (group == QLatin1String("keyAssigment")) {
            screens.keyAssigment()->setLanguageTexts(list);
        } else if (group == QLatin1String("dpiSetting")) {
            screens.dpiSetting()->setLanguageTexts(list);
        } else if (group == QLatin1String("lightControl")) {
            screens.lightControl()->setLanguageTexts(list);
        } else if (group == QLatin1String("macroEditor")) {
            screens.macroEditor()->setLanguageTexts(list);
        } else if (group == QLatin1String("systemSetting")) {
            screens.systemSetting()->setLanguageTexts(list);
        } else if (group == QLatin1String("gunControl")) {
            screens.gunControl()->setLanguageTexts(list);
        } else if (group == QLatin1String("profile")) {
            screens.profile()->setLanguageTexts(list);
        } else if (group == QLatin1String("keyCode")) {
            screens.setKeyLabels(list);
        } else if (group == QLatin1String("other")) {
            // Not shown in the scene: the tray words the mouse's DPI changes with these.
            DpiSwitchTexts::set(list);
        }
    }
    return main;
}

} // namespace ScreenLanguages
