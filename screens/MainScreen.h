#ifndef QX7_MAINSCREEN_H
#define QX7_MAINSCREEN_H

#include "MacroBindings.h"
#include "PendingSends.h"
#include "ProfileFlows.h"
#include "WireSizes.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <utility>

class Screens;

// The main scene's rules: the busy guard, start-up, the report-rate box, the question about
// pending edits, and the scene's entry to the flows across the screens (ProfileFlows: Save, factory
// reset, profile change; MacroBindings: the macro editor's changes; PendingSends: what the mouse
// did not take).
class MainScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    Q_PROPERTY(bool viewEnabled READ viewEnabled NOTIFY viewEnabledChanged)
    Q_PROPERTY(bool revealed READ revealed NOTIFY revealedChanged)
    Q_PROPERTY(bool isPownOn READ isPownOn NOTIFY isPownOnChanged)
    Q_PROPERTY(QString language READ language NOTIFY flagsChanged)
    Q_PROPERTY(QString url READ url NOTIFY flagsChanged)
    Q_PROPERTY(bool isColorful READ isColorful NOTIFY flagsChanged)
    Q_PROPERTY(bool isGun READ isGun NOTIFY flagsChanged)
    Q_PROPERTY(bool is55328 READ is55328 NOTIFY flagsChanged)
    Q_PROPERTY(int keyCount READ keyCount NOTIFY flagsChanged)
    Q_PROPERTY(QStringList mainLang READ mainLang NOTIFY mainLangChanged)
    Q_PROPERTY(QStringList reportRates READ reportRates CONSTANT)
    Q_PROPERTY(int reportRateIndex READ reportRateIndex NOTIFY reportRateIndexChanged)
    Q_PROPERTY(int profileNo READ profileNo NOTIFY profileNoChanged)
    Q_PROPERTY(QString versionText READ versionText CONSTANT)
    // Edits of the key matrix, DPI or lighting that are not on the mouse yet.
    Q_PROPERTY(bool hasPendingEdits READ hasPendingEdits NOTIFY pendingEditsChanged)
    // The last message of a flow for the user (a failed send, a refused reset or export).
    Q_PROPERTY(QString notice READ notice NOTIFY noticeShown)
    // The profile the drop-down asked for while edits were pending; -1 when no question is open.
    Q_PROPERTY(int askedProfile READ askedProfile NOTIFY askedProfileChanged)

public:
    // Indices into mainLang.
    enum Text {
        EditorText,
        MacroEditorText,
        GunEditorText,
        ReportRateText,
        ConfigText,
        ResetText,
        ResetFactoryText,
        CancelText,
        OkText,
        SystemSettingText,
        SaveText,
        SendFailedText,
        UnsavedTitleText,
        UnsavedText,
        DiscardText,
        ResetFailedText,
        ProfileExportFailedText,
        MacroExportFailedText,
    };
    Q_ENUM(Text)

    // The answers to the question about pending edits.
    enum Answer { SaveAnswer, DiscardAnswer, CancelAnswer };
    Q_ENUM(Answer)

    static constexpr int DefaultGuardMs = 1000;
    static constexpr int DefaultKeyCount = 8;
    static constexpr int MaxKeyCount = WireSizes::MatrixEntries;

    explicit MainScreen(Screens& screens);

    bool busy() const { return m_busy; }
    bool viewEnabled() const { return m_viewEnabled; }
    bool revealed() const { return m_revealed; }
    bool isPownOn() const { return m_isPownOn; }
    QString language() const { return m_language; }
    QString url() const { return m_url; }
    bool isColorful() const { return m_isColorful; }
    bool isGun() const { return m_isGun; }
    bool is55328() const { return m_is55328; }
    int keyCount() const { return m_keyCount; }
    QStringList mainLang() const { return m_mainLang; }
    static QStringList reportRates();
    int reportRateIndex() const { return m_reportRateIndex; }
    int profileNo() const { return m_profileNo; }
    static QString versionText();
    bool hasPendingEdits() const;
    QString notice() const { return m_notice; }
    int askedProfile() const { return m_askedProfile; }

    // The value the mouse takes for a report-rate index: 8, 4, 2 or 1 (any other index).
    static int reportRateValue(int index);

    // Shows the busy indicator and disables the view until `interval` ms have passed (0: the default).
    Q_INVOKABLE void setProtectUI(int interval);
    Q_INVOKABLE void controlUIEnable(bool isEnable);
    // Start-up: the full initialisation on the first call, the current DPI stage on every call.
    Q_INVOKABLE void initUI();
    // The parts of start-up that need no device: the device flags, then every screen from the store.
    void readFlags();
    void initScreens();
    // The user picked an entry of the report-rate box: stored in the profile, sent at once.
    Q_INVOKABLE void chooseReportRate(int index);
    void initReportRate(bool isSendData);
    // Sends the dirty screens in the order key matrix, DPI, lighting; a screen whose send fails
    // stays dirty.
    Q_INVOKABLE void save();
    // The pending edits go: the three screens show the current profile again, nothing is sent.
    Q_INVOKABLE void discardEdits();
    // False when the profile or the gun presets could not be restored on disk; a default profile
    // that cannot be copied resets nothing.
    Q_INVOKABLE bool factoryReset();
    // Switches to profile `number` (a position in the profile list) and sends it; pending edits go.
    Q_INVOKABLE void changeProfile(int number);
    // The profile drop-down's choice: with edits pending it asks first (askedProfile).
    Q_INVOKABLE void chooseProfile(int number);
    Q_INVOKABLE void answerProfileQuestion(int answer);
    // The same change made for the application in front: only what differs from what the mouse
    // last received goes to it.
    void followProfile(int number);

    // Runs one send of a flow. When an exchange in it fails or is dropped, the user is told and
    // the send is kept under `part` (a later send of the same part replaces it) to run again when
    // the mouse is back; `done` runs once the send has reached the mouse. True when it did.
    bool deliver(const QString& part, const std::function<void()>& send, const std::function<void()>& done = {});
    // The parts kept for the mouse's return, oldest first.
    QStringList unsentParts() const;
    // Tells the user `text`: in the scene, and in the tray while the window is hidden.
    Q_INVOKABLE void showNotice(MainScreen::Text text);
    // Sends the macro stored under `macroName` to slot `slot`, as a send of its own.
    void sendMacro(int slot, const QString& macroName);
    // The current profile's entry is now at position `number` (an entry before it was deleted):
    // the same settings, so nothing is sent or written.
    void moveCurrentProfile(int number);
    // A DPI stage reported by the mouse, counted from 1; 0 changes nothing.
    Q_INVOKABLE void setCurrentDPI(int dpiValue);
    // A captured key: to the screen that is recording or capturing, if any.
    Q_INVOKABLE void routeKeyboard(bool isDown, int usbCode);

    // This run shows the texts of `language` whatever the configuration says.
    void overrideLanguage(const QString& language);

signals:
    void busyChanged();
    void viewEnabledChanged();
    void revealedChanged();
    void isPownOnChanged();
    void flagsChanged();
    void mainLangChanged();
    void reportRateIndexChanged();
    void profileNoChanged();
    void pendingEditsChanged();
    void noticeShown(const QString& text);
    void askedProfileChanged();

private:
    void setBusy(bool busy);
    void setViewEnabled(bool enabled);
    void guardEnded();
    void loadLanguages();
    // What failed to reach the mouse goes again; called when the mouse is back.
    void sendPending();
    void updatePendingEdits();
    void setAskedProfile(int number);
    void switchProfile(int number, bool quick);

    Screens& m_screens;
    QTimer m_guard;
    bool m_busy = false;
    bool m_viewEnabled = true;
    bool m_revealed = false;
    bool m_isPownOn = false;
    QString m_language = QStringLiteral("ChineseSimplified");
    QString m_languageOverride;
    QString m_url = QStringLiteral("https://www.example.com/qx7");
    bool m_isColorful = false;
    bool m_isGun = true;
    bool m_is55328 = false;
    int m_keyCount = DefaultKeyCount;
    QStringList m_mainLang;
    int m_reportRateIndex = 3;
    int m_profileNo = 0;
    bool m_pendingEdits = false;
    QString m_notice;
    int m_askedProfile = -1;
    PendingSends m_sends;
    MacroBindings m_macroBindings;
    ProfileFlows m_flows;
};

#endif // QX7_MAINSCREEN_H
