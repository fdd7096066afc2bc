#ifndef QX7_APPRULESSCREEN_H
#define QX7_APPRULESSCREEN_H

#include "AppRulesStore.h"
#include "TickClock.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVariantList>

class Screens;

// The window in front as the desktop tells it.
struct FrontWindow
{
    // The executable's file name.
    QString application;
    QString windowClass;
    QString title;
    // One of this program's own windows: looking at the configurator changes nothing.
    bool own = false;

    bool operator==(const FrontWindow& o) const
    {
        return application == o.application && windowClass == o.windowClass && title == o.title && own == o.own;
    }
};

// What the desktop can say about its applications.
class AppWatch
{
public:
    virtual ~AppWatch() = default;
    // False where the desktop does not tell which application is in front.
    virtual bool follows() const = 0;
    // The file names of the applications that have windows now.
    virtual QStringList runningApplications() const = 0;
};

// Profiles that follow the application in front: the rules the applications dialog edits, and the
// switch they make once an application has held the front for the settle time. A switch takes
// the main screen's profile change, and waits while the mouse is busy, a dialog of the scene is
// open or edits are unsaved. A profile chosen by hand holds until another application comes to the
// front.
class AppRulesScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY rulesChanged)
    Q_PROPERTY(QVariantList rules READ rulesModel NOTIFY rulesChanged)
    Q_PROPERTY(int other READ other NOTIFY rulesChanged)
    // "Leave as is", then the profiles: the choices for every other application.
    Q_PROPERTY(QStringList otherChoices READ otherChoices NOTIFY rulesChanged)
    Q_PROPERTY(QString front READ front NOTIFY frontChanged)
    Q_PROPERTY(QString decision READ decision NOTIFY decisionChanged)
    Q_PROPERTY(bool available READ available NOTIFY availableChanged)
    Q_PROPERTY(QStringList running READ running NOTIFY runningChanged)
    Q_PROPERTY(QString notice READ notice NOTIFY noticeChanged)
    Q_PROPERTY(QStringList appRulesLang READ lang CONSTANT)

public:
    // Indices into appRulesLang.
    enum Text {
        TitleText,
        SwitchText,
        ApplicationText,
        ProfileText,
        OtherText,
        LeaveText,
        AddFrontText,
        AddRunningText,
        RemoveText,
        OffText,
        NoFrontText,
        DecisionText,
        HandText,
        UnavailableText,
        NotStoredText,
        TrayText,
        MissingProfileText,
        OpenText,
        EmptyText,
        AddNamedText,
    };
    Q_ENUM(Text)

    enum class Wait { None, Exchange, Dialog, Edits };

    static constexpr int SettleMs = 1000;
    // How often a switch held by a busy link looks again whether the link is free.
    static constexpr int RetryMs = 250;
    static constexpr int LeaveAsIs = AppRulesStore::LeaveAsIs;

    explicit AppRulesScreen(Screens& screens);

    bool enabled() const { return m_rules.enabled; }
    QVariantList rulesModel() const;
    const AppRulesStore::Rules& rules() const { return m_rules; }
    int other() const { return m_rules.other; }
    QStringList otherChoices() const;
    QString front() const { return m_front.application; }
    QString decision() const { return m_decision; }
    bool available() const { return m_watch && m_watch->follows(); }
    QStringList running() const { return m_running; }
    QString notice() const { return m_notice; }
    QStringList lang() const;

    // Not owned; the screen reads the time off it (tests drive their own).
    void setClock(TickClock* clock) { m_clock = clock; }
    void setWatch(AppWatch* watch);

    // Reads the stored rules.
    Q_INVOKABLE void init();
    // Each change is stored at once; false (and the notice says why) when it could not be.
    Q_INVOKABLE bool setEnabled(bool enabled);
    // The application last in front (before this program's window), for the profile in use.
    Q_INVOKABLE bool addFront();
    // A rule for `application` with the profile in use; a rule that is there already is kept.
    Q_INVOKABLE bool addApplication(const QString& application,
                                    const QString& windowClass = QString(),
                                    const QString& title = QString(),
                                    int profile = -1);
    Q_INVOKABLE bool removeRule(int index);
    Q_INVOKABLE bool setRuleProfile(int index, int profile);
    // A profile for every other application, or LeaveAsIs.
    Q_INVOKABLE bool setOther(int profile);
    Q_INVOKABLE void refreshRunning();
    // Whether a dialog of the scene is open; the switch waits until none is.
    Q_INVOKABLE void setDialogOpen(bool open);

    // The desktop's news of the window in front.
    void setFrontWindow(const FrontWindow& window);
    // Switches now if the front has held long enough and nothing makes the switch wait; the timer
    // calls it, and so may anyone who knows a wait has ended.
    void evaluate();
    Wait wait() const;

    // The rule that `window` matches (its index), or -1; rules whose profile is gone are skipped.
    static int matchingRule(const AppRulesStore::Rules& rules, const FrontWindow& window, const QStringList& profiles);
    // The profile the rules choose for `window`, or LeaveAsIs.
    static int choice(const AppRulesStore::Rules& rules, const FrontWindow& window, const QStringList& profiles);
    // Whether a profile reference still names the profile it was made for.
    static bool refersTo(int profile, const QString& name, const QStringList& profiles);

signals:
    void rulesChanged();
    void frontChanged();
    void decisionChanged();
    void availableChanged();
    void runningChanged();
    void noticeChanged();
    // An automatic switch to `profileName` for `application`, for the tray's message.
    void switched(const QString& profileName, const QString& application);

private:
    bool store(const AppRulesStore::Rules& rules);
    void profileRenamed(int index, const QString& oldName, const QString& newName);
    void profileRemoved(int index);
    void profileChosen();
    bool editsPending() const;
    void updateDecision();
    void setNotice(const QString& notice);
    QStringList profiles() const;
    qint64 nowMs() const;

    Screens& m_screens;
    AppRulesStore m_store;
    AppRulesStore::Rules m_rules;
    AppWatch* m_watch = nullptr;
    TickClock m_ownClock;
    TickClock* m_clock = &m_ownClock;
    QTimer m_timer;
    FrontWindow m_front;
    qint64 m_frontSince = 0;
    bool m_dialogOpen = false;
    bool m_switching = false;
    bool m_handHold = false;
    // The profile in use when the main screen last told of it.
    int m_seenProfile = -1;
    QString m_seenName;
    QString m_decision;
    QStringList m_running;
    QString m_notice;
};

#endif // QX7_APPRULESSCREEN_H
