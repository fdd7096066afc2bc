#include "AppRulesScreen.h"

#include "DeviceOperations.h"
#include "Hid_Thread.h"
#include "MainScreen.h"
#include "ProfileScreen.h"
#include "Screens.h"
#include "StoreTools.h"

namespace {

const QStringList DefaultLang {
    QStringLiteral("Profiles for applications"),
    QStringLiteral("Follow the application in front"),
    QStringLiteral("Application"),
    QStringLiteral("Profile"),
    QStringLiteral("Every other application"),
    QStringLiteral("Leave as is"),
    QStringLiteral("Add the one in front"),
    QStringLiteral("Add a running one"),
    QStringLiteral("Remove"),
    QStringLiteral("Following applications is off."),
    QStringLiteral("No application has been in front yet."),
    QStringLiteral("Now: %1 \u2192 %2"),
    QStringLiteral(" (chosen by hand; holds until another application comes to the front)"),
    QStringLiteral("Following applications needs an X11 session: a Wayland session does not tell programs "
                   "which application is in front."),
    QStringLiteral("The rules could not be written; nothing was changed."),
    QStringLiteral("%1 - %2"),
    QStringLiteral("(profile gone)"),
    QStringLiteral("Applications"),
    QStringLiteral("No rules yet: add the application that was in front, or one that is running."),
    QStringLiteral("Add %1"),
};

} // namespace

AppRulesScreen::AppRulesScreen(Screens& screens)
    : QObject(&screens)
    , m_screens(screens)
    , m_store(screens.store())
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &AppRulesScreen::evaluate);
    ProfileScreen* profile = m_screens.profile();
    connect(profile, &ProfileScreen::profileRenamed, this, &AppRulesScreen::profileRenamed);
    connect(profile, &ProfileScreen::profileRemoved, this, &AppRulesScreen::profileRemoved);
    connect(profile, &ProfileScreen::entriesChanged, this, &AppRulesScreen::rulesChanged);
    connect(m_screens.main(), &MainScreen::profileNoChanged, this, &AppRulesScreen::profileChosen);
    // Once the edits are saved or dropped, the rules decide; after the flow that ended them, so a
    // profile chosen in that same flow counts as chosen by hand.
    connect(m_screens.main(), &MainScreen::pendingEditsChanged, this, [this] {
        if (!editsPending() && m_rules.enabled) {
            m_timer.start(0);
        }
    });
    // The tray's switch shows the stored state before any device starts the screens.
    m_rules = m_store.load();
}

QStringList AppRulesScreen::lang() const
{
    return DefaultLang;
}

void AppRulesScreen::setWatch(AppWatch* watch)
{
    m_watch = watch;
    emit availableChanged();
    updateDecision();
}

QStringList AppRulesScreen::profiles() const
{
    return m_screens.profile()->names();
}

QStringList AppRulesScreen::otherChoices() const
{
    return QStringList {DefaultLang.at(LeaveText)} + profiles();
}

qint64 AppRulesScreen::nowMs() const
{
    return m_clock->ticks() * TickClock::TickMs;
}

void AppRulesScreen::setNotice(const QString& notice)
{
    if (m_notice != notice) {
        m_notice = notice;
        emit noticeChanged();
    }
}

void AppRulesScreen::init()
{
    m_rules = m_store.load();
    emit rulesChanged();
    updateDecision();
}

QVariantList AppRulesScreen::rulesModel() const
{
    const QStringList names = profiles();
    QVariantList model;
    for (const AppRule& rule : m_rules.list) {
        const bool valid = refersTo(rule.profile, rule.profileName, names);
        model << QVariantMap {
            {QStringLiteral("application"), rule.application},
            {QStringLiteral("windowClass"), rule.windowClass},
            {QStringLiteral("title"), rule.title},
            {QStringLiteral("profile"), valid ? rule.profile : -1},
            {QStringLiteral("profileName"), valid ? names.at(rule.profile) : DefaultLang.at(MissingProfileText)}};
    }
    return model;
}

bool AppRulesScreen::refersTo(int profile, const QString& name, const QStringList& profiles)
{
    // The first entry cannot be renamed or deleted, and its name is the language's.
    return profile >= 0 && profile < profiles.size() && (profile == 0 || profiles.at(profile) == name);
}

int AppRulesScreen::matchingRule(const AppRulesStore::Rules& rules,
                                 const FrontWindow& window,
                                 const QStringList& profiles)
{
    for (int i = 0; i < rules.list.size(); ++i) {
        const AppRule& rule = rules.list.at(i);
        // Windows does not tell file names apart by case; Linux programs rarely differ only by it.
        if (rule.application.compare(window.application, Qt::CaseInsensitive) != 0
            || (!rule.windowClass.isEmpty() && rule.windowClass.compare(window.windowClass, Qt::CaseInsensitive) != 0)
            || (!rule.title.isEmpty() && !window.title.contains(rule.title, Qt::CaseInsensitive))
            || !refersTo(rule.profile, rule.profileName, profiles)) {
            continue;
        }
        return i;
    }
    return -1;
}

int AppRulesScreen::choice(const AppRulesStore::Rules& rules, const FrontWindow& window, const QStringList& profiles)
{
    const int rule = matchingRule(rules, window, profiles);
    if (rule >= 0) {
        return rules.list.at(rule).profile;
    }
    return refersTo(rules.other, rules.otherName, profiles) ? rules.other : LeaveAsIs;
}

bool AppRulesScreen::store(const AppRulesStore::Rules& rules)
{
    setNotice(QString());
    const bool stored = m_store.save(rules);
    // A refused write leaves what the file holds, and the dialog shows that.
    m_rules = stored ? rules : m_store.load();
    if (!stored) {
        setNotice(DefaultLang.at(NotStoredText));
    }
    emit rulesChanged();
    updateDecision();
    return stored;
}

bool AppRulesScreen::setEnabled(bool enabled)
{
    AppRulesStore::Rules rules = m_rules;
    rules.enabled = enabled;
    const bool stored = store(rules);
    evaluate();
    return stored;
}

bool AppRulesScreen::addFront()
{
    return !m_front.application.isEmpty() && addApplication(m_front.application);
}

bool AppRulesScreen::addApplication(const QString& application,
                                    const QString& windowClass,
                                    const QString& title,
                                    int profile)
{
    const QStringList names = profiles();
    const int number = profile < 0 ? m_screens.main()->profileNo() : profile;
    if (number >= names.size() || m_rules.list.size() >= AppRulesStore::MaxRules
        || !StoreTools::isPlainFileName(application)) {
        return false;
    }
    for (const AppRule& rule : m_rules.list) {
        if (rule.application.compare(application, Qt::CaseInsensitive) == 0 && rule.windowClass == windowClass
            && rule.title == title) {
            return true;
        }
    }
    AppRulesStore::Rules rules = m_rules;
    rules.list << AppRule {application, windowClass, title, number, names.at(number)};
    return store(rules);
}

bool AppRulesScreen::removeRule(int index)
{
    if (index < 0 || index >= m_rules.list.size()) {
        return false;
    }
    AppRulesStore::Rules rules = m_rules;
    rules.list.removeAt(index);
    return store(rules);
}

bool AppRulesScreen::setRuleProfile(int index, int profile)
{
    const QStringList names = profiles();
    if (index < 0 || index >= m_rules.list.size() || profile < 0 || profile >= names.size()) {
        return false;
    }
    AppRulesStore::Rules rules = m_rules;
    rules.list[index].profile = profile;
    rules.list[index].profileName = names.at(profile);
    return store(rules);
}

bool AppRulesScreen::setOther(int profile)
{
    const QStringList names = profiles();
    if (profile < LeaveAsIs || profile >= names.size()) {
        return false;
    }
    AppRulesStore::Rules rules = m_rules;
    rules.other = profile;
    rules.otherName = profile == LeaveAsIs ? QString() : names.at(profile);
    return store(rules);
}

void AppRulesScreen::refreshRunning()
{
    QStringList running = m_watch ? m_watch->runningApplications() : QStringList();
    running.removeDuplicates();
    running.sort(Qt::CaseInsensitive);
    if (m_running != running) {
        m_running = running;
        emit runningChanged();
    }
}

void AppRulesScreen::setDialogOpen(bool open)
{
    m_dialogOpen = open;
    if (!open) {
        evaluate();
    }
}

void AppRulesScreen::profileRenamed(int index, const QString& oldName, const QString& newName)
{
    AppRulesStore::Rules rules = m_rules;
    // Only references that still named the profile follow it; a stale one stays stale.
    for (AppRule& rule : rules.list) {
        if (rule.profile == index && rule.profileName == oldName) {
            rule.profileName = newName;
        }
    }
    if (rules.other == index && rules.otherName == oldName) {
        rules.otherName = newName;
    }
    if (!(rules == m_rules)) {
        store(rules);
    }
}

void AppRulesScreen::profileRemoved(int index)
{
    AppRulesStore::Rules rules = m_rules;
    rules.list.removeIf([index](const AppRule& rule) { return rule.profile == index; });
    // The profiles after it moved one place up, and their references with them.
    for (AppRule& rule : rules.list) {
        rule.profile -= rule.profile > index ? 1 : 0;
    }
    if (rules.other == index) {
        rules.other = LeaveAsIs;
        rules.otherName.clear();
    } else if (rules.other > index) {
        --rules.other;
    }
    if (!(rules == m_rules)) {
        store(rules);
    }
}

void AppRulesScreen::profileChosen()
{
    // Another profile by name: not the one in use moving up the list, nor a drop-down choice whose
    // question was cancelled. Start-up's choice is not the user's.
    const int number = m_screens.main()->profileNo();
    const QString name = profiles().value(number);
    const bool other = number != m_seenProfile && name != m_seenName;
    m_seenProfile = number;
    m_seenName = name;
    if (other && !m_switching && m_screens.main()->isPownOn()) {
        m_handHold = true;
        updateDecision();
    }
}

void AppRulesScreen::setFrontWindow(const FrontWindow& window)
{
    if (window.own || (window.application.isEmpty() && window.windowClass.isEmpty()) || window == m_front) {
        return;
    }
    if (window.application != m_front.application || window.windowClass != m_front.windowClass) {
        m_handHold = false;
    }
    m_front = window;
    m_frontSince = nowMs();
    emit frontChanged();
    updateDecision();
    if (m_rules.enabled) {
        m_timer.start(SettleMs);
    }
}

bool AppRulesScreen::editsPending() const
{
    return m_screens.main()->hasPendingEdits();
}

AppRulesScreen::Wait AppRulesScreen::wait() const
{
    const Hid_Thread* hid = m_screens.operations().hid();
    const MainScreen* main = m_screens.main();
    if ((hid && (hid->inExchange() || !hid->hidFree())) || main->busy() || !main->isPownOn()) {
        return Wait::Exchange;
    }
    if (m_dialogOpen) {
        return Wait::Dialog;
    }
    return editsPending() ? Wait::Edits : Wait::None;
}

void AppRulesScreen::evaluate()
{
    m_timer.stop();
    if (!m_rules.enabled || m_handHold || (m_front.application.isEmpty() && m_front.windowClass.isEmpty())) {
        return;
    }
    const qint64 held = nowMs() - m_frontSince;
    if (held < SettleMs) {
        m_timer.start(int(SettleMs - held));
        return;
    }
    // A closing dialog and the end of the edits call back; the link tells nobody when it is free.
    const Wait waiting = wait();
    if (waiting == Wait::Exchange) {
        m_timer.start(RetryMs);
    }
    if (waiting != Wait::None) {
        return;
    }
    const QStringList names = profiles();
    const int target = choice(m_rules, m_front, names);
    if (target == LeaveAsIs || target == m_screens.main()->profileNo()) {
        return;
    }
    m_switching = true;
    m_screens.main()->followProfile(target);
    m_switching = false;
    updateDecision();
    emit switched(names.at(target), m_front.application);
}

void AppRulesScreen::updateDecision()
{
    QString text;
    if (!available()) {
        text = DefaultLang.at(UnavailableText);
    } else if (!m_rules.enabled) {
        text = DefaultLang.at(OffText);
    } else if (m_front.application.isEmpty() && m_front.windowClass.isEmpty()) {
        text = DefaultLang.at(NoFrontText);
    } else {
        const QStringList names = profiles();
        const int target = choice(m_rules, m_front, names);
        text = DefaultLang.at(DecisionText)
                   .arg(m_front.application.isEmpty() ? m_front.windowClass : m_front.application,
                        target == LeaveAsIs ? DefaultLang.at(LeaveText) : names.at(target));
        if (m_handHold) {
            text += DefaultLang.at(HandText);
        }
    }
    if (m_decision != text) {
        m_decision = text;
        emit decisionChanged();
    }
}
