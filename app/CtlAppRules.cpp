#include "CtlAppRules.h"

#include "AppRulesScreen.h"
#include "CtlOutput.h"
#include "ProfileScreen.h"
#include "Qx7Ctl.h"
#include "Screens.h"

namespace {

using Context = CtlCommand::Context;

QString profileText(int profile, const QString& name, const QStringList& profiles)
{
    if (profile == AppRulesScreen::LeaveAsIs) {
        return QStringLiteral("leave");
    }
    return AppRulesScreen::refersTo(profile, name, profiles)
               ? QStringLiteral("%1 %2").arg(profile).arg(profiles.at(profile))
               : QStringLiteral("gone");
}

int list(Context& c)
{
    const AppRulesScreen* screen = c.screens.appRules();
    const AppRulesStore::Rules& rules = screen->rules();
    const QStringList profiles = c.screens.profile()->names();
    CtlOutput::line(rules.enabled ? QStringLiteral("following on") : QStringLiteral("following off"));
    for (int i = 0; i < rules.list.size(); ++i) {
        const AppRule& rule = rules.list.at(i);
        QString match = rule.application;
        match += rule.windowClass.isEmpty() ? QString() : QStringLiteral(" class=") + rule.windowClass;
        match += rule.title.isEmpty() ? QString() : QStringLiteral(" title=") + rule.title;
        CtlOutput::line(
            QStringLiteral("%1 %2 -> %3").arg(i).arg(match, profileText(rule.profile, rule.profileName, profiles)));
    }
    CtlOutput::line(QStringLiteral("other -> ") + profileText(rules.other, rules.otherName, profiles));
    return Qx7Ctl::Success;
}

// A position in the profile list, or an error that names the list's range.
bool checkProfile(Context& c, int profile, bool leaveAllowed)
{
    const int entries = int(c.screens.profile()->names().size());
    if ((leaveAllowed && profile == AppRulesScreen::LeaveAsIs) || (profile >= 0 && profile < entries)) {
        return true;
    }
    CtlOutput::error(QStringLiteral("app-rules: the profile list has profiles 0 to %1").arg(entries - 1));
    return false;
}

CtlCommand::Parsed failure(const QString& message)
{
    return {{}, QStringLiteral("app-rules: ") + message};
}

int number(const QString& text, bool* ok)
{
    return text.toInt(ok);
}

} // namespace

CtlCommand::Parsed CtlAppRules::parse(const CtlCommand::Request& r)
{
    const QString action = r.args.value(0, QStringLiteral("list"));
    const QStringList rest = r.args.mid(1);
    bool ok = true;
    if (action == QLatin1String("list") && rest.isEmpty()) {
        return {list, {}};
    }
    if ((action == QLatin1String("on") || action == QLatin1String("off")) && rest.isEmpty()) {
        const bool on = action == QLatin1String("on");
        return {[on](Context& c) {
                    c.screens.appRules()->setEnabled(on);
                    return Qx7Ctl::Success;
                },
                {}};
    }
    if (action == QLatin1String("add") && rest.size() >= 2) {
        const QString application = rest.at(0);
        const int profile = number(rest.at(1), &ok);
        if (!ok || application.isEmpty() || application.contains(QLatin1Char('/'))
            || application.contains(QLatin1Char('\\'))) {
            return failure(QStringLiteral("add takes an executable's file name and a profile number"));
        }
        const QString windowClass = rest.value(2);
        const QString title = rest.value(3);
        return {[=](Context& c) {
                    if (!checkProfile(c, profile, false)) {
                        return int(Qx7Ctl::BadUsage);
                    }
                    if (c.screens.appRules()->rules().list.size() >= AppRulesStore::MaxRules) {
                        CtlOutput::error(
                            QStringLiteral("app-rules: the list holds %1 rules at most").arg(AppRulesStore::MaxRules));
                        return int(Qx7Ctl::BadUsage);
                    }
                    c.screens.appRules()->addApplication(application, windowClass, title, profile);
                    return int(Qx7Ctl::Success);
                },
                {}};
    }
    if (action == QLatin1String("remove") && rest.size() == 1) {
        const int index = number(rest.at(0), &ok);
        if (!ok || index < 0) {
            return failure(QStringLiteral("remove takes the number of a rule as list prints it"));
        }
        return {[index](Context& c) {
                    if (index >= c.screens.appRules()->rules().list.size()) {
                        CtlOutput::error(QStringLiteral("app-rules: there is no rule %1").arg(index));
                        return int(Qx7Ctl::BadUsage);
                    }
                    c.screens.appRules()->removeRule(index);
                    return int(Qx7Ctl::Success);
                },
                {}};
    }
    if (action == QLatin1String("other") && rest.size() == 1) {
        const bool leave = rest.at(0) == QLatin1String("leave");
        const int profile = leave ? AppRulesScreen::LeaveAsIs : number(rest.at(0), &ok);
        if (!ok) {
            return failure(QStringLiteral("other takes a profile number or 'leave'"));
        }
        return {[profile](Context& c) {
                    if (!checkProfile(c, profile, true)) {
                        return int(Qx7Ctl::BadUsage);
                    }
                    c.screens.appRules()->setOther(profile);
                    return int(Qx7Ctl::Success);
                },
                {}};
    }
    return failure(
        QStringLiteral("unknown action '%1' (list, add, remove, on, off, other)").arg(r.args.join(QLatin1Char(' '))));
}
