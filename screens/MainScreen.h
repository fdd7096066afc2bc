#ifndef QX7_MAINSCREEN_H
#define QX7_MAINSCREEN_H

#include <QObject>
#include <QStringList>
#include <QTimer>

class Screens;

// The main scene's rules: the busy guard, start-up, the report-rate box, and the Save, factory
// reset and profile-change flows across the screens.
class MainScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    Q_PROPERTY(bool viewEnabled READ viewEnabled NOTIFY viewEnabledChanged)
    Q_PROPERTY(bool revealed READ revealed NOTIFY revealedChanged)
    Q_PROPERTY(bool isPownOn READ isPownOn NOTIFY isPownOnChanged)
    Q_PROPERTY(QString language READ language NOTIFY flagsChanged)
    Q_PROPERTY(QString url READ url NOTIFY flagsChanged)
    Q_PROPERTY(QString icType READ icType NOTIFY flagsChanged)
    Q_PROPERTY(bool isColorful READ isColorful NOTIFY flagsChanged)
    Q_PROPERTY(bool isGun READ isGun NOTIFY flagsChanged)
    Q_PROPERTY(bool is55328 READ is55328 NOTIFY flagsChanged)
    Q_PROPERTY(int keyCount READ keyCount NOTIFY flagsChanged)
    Q_PROPERTY(QStringList mainLang READ mainLang NOTIFY mainLangChanged)
    Q_PROPERTY(QStringList reportRates READ reportRates CONSTANT)
    Q_PROPERTY(int reportRateIndex READ reportRateIndex NOTIFY reportRateIndexChanged)
    Q_PROPERTY(int profileNo READ profileNo NOTIFY profileNoChanged)
    Q_PROPERTY(QString versionText READ versionText CONSTANT)

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
    };
    Q_ENUM(Text)

    static constexpr int DefaultGuardMs = 1000;
    static constexpr int DefaultKeyCount = 8;
    static constexpr int MaxKeyCount = 16;

    explicit MainScreen(Screens& screens);

    bool busy() const { return m_busy; }
    bool viewEnabled() const { return m_viewEnabled; }
    bool revealed() const { return m_revealed; }
    bool isPownOn() const { return m_isPownOn; }
    QString language() const { return m_language; }
    QString url() const { return m_url; }
    QString icType() const { return m_icType; }
    bool isColorful() const { return m_isColorful; }
    bool isGun() const { return m_isGun; }
    bool is55328() const { return m_is55328; }
    int keyCount() const { return m_keyCount; }
    QStringList mainLang() const { return m_mainLang; }
    static QStringList reportRates();
    int reportRateIndex() const { return m_reportRateIndex; }
    int profileNo() const { return m_profileNo; }
    static QString versionText();

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
    // Sends the dirty screens in the order key matrix, DPI, lighting.
    Q_INVOKABLE void save();
    // False when the profile or the gun presets could not be restored on disk.
    Q_INVOKABLE bool factoryReset();
    // Switches to profile `number` (a position in the profile list) and sends it.
    Q_INVOKABLE void changeProfile(int number);
    // The current profile's entry is now at position `number` (an entry before it was deleted):
    // the same settings, so nothing is sent or written.
    void moveCurrentProfile(int number);
    // A DPI stage reported by the mouse, counted from 1; 0 changes nothing.
    Q_INVOKABLE void setCurrentDPI(int dpiValue);
    // A captured key: to the screen that is recording or capturing, if any.
    Q_INVOKABLE void routeKeyboard(bool isDown, int usbCode);

    // This run shows the texts of `language` whatever the configuration says.
    void overrideLanguage(const QString& language);

    // Language lists the start-up loads, in order; "other" is loaded last for the tray's texts.
    static QStringList languageGroups();

signals:
    void busyChanged();
    void viewEnabledChanged();
    void revealedChanged();
    void isPownOnChanged();
    void flagsChanged();
    void mainLangChanged();
    void reportRateIndexChanged();
    void profileNoChanged();

private:
    void setBusy(bool busy);
    void setViewEnabled(bool enabled);
    void guardEnded();
    void loadLanguages();
    // The macro editor's flows over the current key matrix and the profiles.
    void resendMacro(const QString& macroName);
    void renameMacroBindings(const QString& oldName, const QString& newName);
    void dropMacroBindings(const QString& macroName);
    // Key matrix, report rate, DPI, lighting and system settings from the current profile, sent.
    void resendProfile();

    Screens& m_screens;
    QTimer m_guard;
    bool m_busy = false;
    bool m_viewEnabled = true;
    bool m_revealed = false;
    bool m_isPownOn = false;
    QString m_language = QStringLiteral("ChineseSimplified");
    QString m_languageOverride;
    QString m_url = QStringLiteral("https://www.example.com/qx7");
    QString m_icType = QStringLiteral("553");
    bool m_isColorful = false;
    bool m_isGun = true;
    bool m_is55328 = false;
    int m_keyCount = DefaultKeyCount;
    QStringList m_mainLang;
    int m_reportRateIndex = 3;
    int m_profileNo = 0;
};

#endif // QX7_MAINSCREEN_H
