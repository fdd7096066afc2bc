#include "AppRulesStore.h"

#include "ConfigStore.h"
#include "SettingsKeys.h"
#include "StoreTools.h"

#include <QSettings>

#include <algorithm>

namespace {

bool isSlotOrLeave(int number)
{
    return number == AppRulesStore::LeaveAsIs || ConfigStore::isValidSlot(number);
}

} // namespace

AppRulesStore::AppRulesStore(ConfigStore& config)
    : m_config(config)
{
}

AppRulesStore::Rules AppRulesStore::load() const
{
    Rules rules;
    const std::unique_ptr<QSettings> settings = StoreTools::openSettings(m_config.paths().appRules());
    settings->beginGroup(SettingsKeys::AppRules::Group);
    rules.enabled = settings->value(SettingsKeys::AppRules::Enabled).toString() == QLatin1String("true");
    bool ok = false;
    const int other = settings->value(SettingsKeys::AppRules::Other).toInt(&ok);
    if (ok && isSlotOrLeave(other)) {
        rules.other = other;
        rules.otherName = settings->value(SettingsKeys::AppRules::OtherName).toString();
    }
    // The count is the file's word: only as many entries as a rule list may hold are looked at.
    const int size = std::min(settings->beginReadArray(SettingsKeys::AppRules::List), MaxRules);
    for (int i = 0; i < size; ++i) {
        settings->setArrayIndex(i);
        AppRule rule;
        rule.application = settings->value(SettingsKeys::AppRules::Application).toString();
        rule.windowClass = settings->value(SettingsKeys::AppRules::WindowClass).toString();
        rule.title = settings->value(SettingsKeys::AppRules::Title).toString();
        rule.profile = settings->value(SettingsKeys::AppRules::Profile).toInt(&ok);
        rule.profileName = settings->value(SettingsKeys::AppRules::ProfileName).toString();
        if (ok && ConfigStore::isValidSlot(rule.profile) && StoreTools::isPlainFileName(rule.application)) {
            rules.list << rule;
        }
    }
    settings->endArray();
    settings->endGroup();
    return rules;
}

bool AppRulesStore::save(const Rules& rules)
{
    m_config.prepareWrite();
    const QString file = m_config.paths().appRules();
    const std::unique_ptr<QSettings> settings = StoreTools::openSettings(file);
    settings->remove(SettingsKeys::AppRules::Group);
    settings->beginGroup(SettingsKeys::AppRules::Group);
    settings->setValue(SettingsKeys::AppRules::Enabled,
                       rules.enabled ? QStringLiteral("true") : QStringLiteral("false"));
    settings->setValue(SettingsKeys::AppRules::Other, isSlotOrLeave(rules.other) ? rules.other : LeaveAsIs);
    settings->setValue(SettingsKeys::AppRules::OtherName, rules.otherName);
    settings->beginWriteArray(SettingsKeys::AppRules::List, int(std::min<qsizetype>(rules.list.size(), MaxRules)));
    for (int i = 0; i < rules.list.size() && i < MaxRules; ++i) {
        const AppRule& rule = rules.list.at(i);
        settings->setArrayIndex(i);
        settings->setValue(SettingsKeys::AppRules::Application, rule.application);
        settings->setValue(SettingsKeys::AppRules::WindowClass, rule.windowClass);
        settings->setValue(SettingsKeys::AppRules::Title, rule.title);
        settings->setValue(SettingsKeys::AppRules::Profile, rule.profile);
        settings->setValue(SettingsKeys::AppRules::ProfileName, rule.profileName);
    }
    settings->endArray();
    settings->endGroup();
    return m_config.syncFile(*settings, file, "saveAppRules");
}
