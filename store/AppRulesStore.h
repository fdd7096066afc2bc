#ifndef QX7_APPRULESSTORE_H
#define QX7_APPRULESSTORE_H

#include <QList>
#include <QString>

class ConfigStore;

// One rule: the profile to use while an application is in front. The application is named by its
// executable's file name; a window class and a part of the window title narrow the rule when set.
struct AppRule
{
    QString application;
    QString windowClass;
    QString title;
    // A position in the profile list, and the name that profile had when the rule last saw it: a
    // rule whose profile now has another name is never applied.
    int profile = 0;
    QString profileName;

    bool operator==(const AppRule& o) const
    {
        return application == o.application && windowClass == o.windowClass && title == o.title && profile == o.profile
               && profileName == o.profileName;
    }
};

// The rules that choose the profile for the application in front, the choice for every other
// application and the on/off switch, in modules/setting/appRules.bin beside the profiles.
class AppRulesStore
{
public:
    static constexpr int LeaveAsIs = -1;
    static constexpr int MaxRules = 64;

    struct Rules
    {
        bool enabled = false;
        // The profile for an application no rule names, or LeaveAsIs.
        int other = LeaveAsIs;
        QString otherName;
        QList<AppRule> list;

        bool operator==(const Rules& o) const
        {
            return enabled == o.enabled && other == o.other && otherName == o.otherName && list == o.list;
        }
    };

    explicit AppRulesStore(ConfigStore& config);

    // What the file holds; entries that name no plain file or no profile slot are left out, and a
    // missing or refused file reads as no rules, switched off.
    Rules load() const;
    // False (the debug log and the store's failure list name the file) when it could not be written.
    bool save(const Rules& rules);

private:
    ConfigStore& m_config;
};

#endif // QX7_APPRULESSTORE_H
