#include "AppRulesStore.h"

#include "ConfigStore.h"
#include "StoreTools.h"

#include <QSettings>

#include <algorithm>

namespace {

const QString kGroup = QStringLiteral("rules");

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
    settings->beginGroup(kGroup);
    rules.enabled = settings->value(QStringLiteral("enabled")).toString() == QLatin1String("true");
    bool ok = false;
    const int other = settings->value(QStringLiteral("other")).toInt(&ok);
    if (ok && isSlotOrLeave(other)) {
        rules.other = other;
        rules.otherName = settings->value(QStringLiteral("otherName")).toString();
    }
    // The count is the file's word: only as many entries as a rule list may hold are looked at.
    const int size = std::min(settings->beginReadArray(QStringLiteral("list")), MaxRules);
    for (int i = 0; i < size; ++i) {
        settings->setArrayIndex(i);
        AppRule rule;
        rule.application = settings->value(QStringLiteral("application")).toString();
        rule.windowClass = settings->value(QStringLiteral("windowClass")).toString();
        rule.title = settings->value(QStringLiteral("title")).toString();
        rule.profile = settings->value(QStringLiteral("profile")).toInt(&ok);
        rule.profileName = settings->value(QStringLiteral("profileName")).toString();
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
    settings->remove(kGroup);
    settings->beginGroup(kGroup);
    settings->setValue(QStringLiteral("enabled"), rules.enabled ? QStringLiteral("true") : QStringLiteral("false"));
    settings->setValue(QStringLiteral("other"), isSlotOrLeave(rules.other) ? rules.other : LeaveAsIs);
    settings->setValue(QStringLiteral("otherName"), rules.otherName);
    settings->beginWriteArray(QStringLiteral("list"), int(std::min<qsizetype>(rules.list.size(), MaxRules)));
    for (int i = 0; i < rules.list.size() && i < MaxRules; ++i) {
        const AppRule& rule = rules.list.at(i);
        settings->setArrayIndex(i);
        settings->setValue(QStringLiteral("application"), rule.application);
        settings->setValue(QStringLiteral("windowClass"), rule.windowClass);
        settings->setValue(QStringLiteral("title"), rule.title);
        settings->setValue(QStringLiteral("profile"), rule.profile);
        settings->setValue(QStringLiteral("profileName"), rule.profileName);
    }
    settings->endArray();
    settings->endGroup();
    return m_config.syncFile(*settings, file, "saveAppRules");
}
