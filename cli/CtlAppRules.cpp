#include "CtlAppRules.h"

#include "AppRulesScreen.h"
#include "CtlArgs.h"
#include "CtlOutput.h"
#include "ProfileScreen.h"
#include "Qx7Ctl.h"
#include "Screens.h"
#include "StoreTools.h"

namespace {

using Context = CtlCommand::Context;
using Parsed = CtlCommand::Parsed;

// "2 FPS" as the profile list numbers it, "leave", or "gone" for a profile renamed or deleted behind
// the rule's back.
QString profileText(int profile, const QString& name, const QStringList& profiles)
{
    if (profile == AppRulesScreen::LeaveAsIs) {
        return QStringLiteral("leave");
    }
    return AppRulesScreen::refersTo(profile, name, profiles)
               ? QStringLiteral("%1 %2").arg(profile + 1).arg(profiles.at(profile))
               : QStringLiteral("gone");
}

int list(Context& c)
{
    const AppRulesStore::Rules& rules = c.screens.appRules()->rules();
    const QStringList profiles = c.screens.profile()->names();
    CtlOutput::line(rules.enabled ? QStringLiteral("following on") : QStringLiteral("following off"));
    for (int i = 0; i < rules.list.size(); ++i) {
        const AppRule& rule = rules.list.at(i);
        QString match = rule.application;
        match += rule.windowClass.isEmpty() ? QString() : QStringLiteral(" class=") + rule.windowClass;
        match += rule.title.isEmpty() ? QString() : QStringLiteral(" title=") + rule.title;
        CtlOutput::line(
            QStringLiteral("%1 %2 -> %3").arg(i + 1).arg(match, profileText(rule.profile, rule.profileName, profiles)));
    }
    CtlOutput::line(QStringLiteral("other -> ") + profileText(rules.other, rules.otherName, profiles));
    return Qx7Ctl::Success;
}

// Runs one change of the rules; the screen's notice when it could not be stored.
template <typename Change>
Parsed change(const CtlArgs& a, Change apply)
{
    return a.result(
        [apply](Context& c) {
            AppRulesScreen* rules = c.screens.appRules();
            if (!apply(rules)) {
                CtlOutput::error(QStringLiteral("app-rules: ") + rules->notice());
                return int(Qx7Ctl::FileFailed);
            }
            return int(Qx7Ctl::Success);
        },
        false);
}

} // namespace

Parsed CtlAppRules::parse(const CtlCommand::Request& r)
{
    const AppRulesScreen& screen = *r.screens.appRules();
    const QStringList profiles = r.screens.profile()->names();
    const QString action = r.args.value(0, QStringLiteral("list"));
    const QStringList rest = r.args.mid(1);
    CtlArgs a(rest);
    const auto noMore = [&a, &action] {
        a.require(a.remaining() == 0, QStringLiteral("app-rules %1 takes no more arguments").arg(action));
    };
    if (action == QLatin1String("list")) {
        noMore();
        return a.result(list, false);
    }
    if (action == QLatin1String("on") || action == QLatin1String("off")) {
        noMore();
        const bool on = action == QLatin1String("on");
        return change(a, [on](AppRulesScreen* rules) { return rules->setEnabled(on); });
    }
    if (action == QLatin1String("add")) {
        a.require(a.remaining() >= 2, QStringLiteral("app-rules add takes APP and P, then optionally CLASS and TITLE"));
        const QString application = a.text();
        a.require(StoreTools::isPlainFileName(application) && !application.contains(QLatin1Char('\\')),
                  QStringLiteral("bad application '%1': expected an executable's file name, without a folder")
                      .arg(application));
        const int profile = a.entry("profile", profiles);
        const QString windowClass = a.text();
        const QString title = a.text();
        a.require(screen.rules().list.size() < AppRulesStore::MaxRules,
                  QStringLiteral("there are %1 rules already, as many as there may be").arg(AppRulesStore::MaxRules));
        return change(
            a, [=](AppRulesScreen* rules) { return rules->addApplication(application, windowClass, title, profile); });
    }
    if (action == QLatin1String("remove")) {
        const int count = int(screen.rules().list.size());
        a.require(count > 0, QStringLiteral("there are no rules to remove"));
        const int rule = a.number("rule", 1, count) - 1;
        noMore();
        return change(a, [rule](AppRulesScreen* rules) { return rules->removeRule(rule); });
    }
    if (action == QLatin1String("other")) {
        a.require(a.remaining() == 1, QStringLiteral("app-rules other takes P or leave"));
        const bool leave = r.args.value(1) == QLatin1String("leave");
        const int profile = leave ? AppRulesScreen::LeaveAsIs : a.entry("profile", profiles);
        return change(a, [profile](AppRulesScreen* rules) { return rules->setOther(profile); });
    }
    return CtlArgs::failure(
        QStringLiteral("unknown action '%1': expected list, add, remove, on, off or other").arg(action));
}
