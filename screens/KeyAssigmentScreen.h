#ifndef QX7_KEYASSIGMENTSCREEN_H
#define QX7_KEYASSIGMENTSCREEN_H

#include "ButtonFunction.h"

#include <QObject>
#include <QStringList>
#include <QVariantList>

#include <algorithm>

class Screens;

// The assignment dialog: a working copy of one button's record and text, edited by the function
// groups and committed to the key matrix when the dialog closes.
class KeyAssigmentScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList keyAssigmentLang READ keyAssigmentLang NOTIFY languageChanged)
    Q_PROPERTY(int keyIndex READ keyIndex NOTIFY recordChanged)
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
    Q_PROPERTY(QString text READ text NOTIFY recordChanged)
    Q_PROPERTY(QString keyCode READ keyCode NOTIFY recordChanged)
    Q_PROPERTY(int recordGroup READ recordGroup NOTIFY recordChanged)
    Q_PROPERTY(QStringList groupTitles READ groupTitles NOTIFY languageChanged)
    Q_PROPERTY(QVariantList choiceLabels READ choiceLabels NOTIFY languageChanged)
    Q_PROPERTY(QVariantList choiceIndexes READ choiceIndexes NOTIFY recordChanged)
    Q_PROPERTY(QStringList macroNames READ macroNames NOTIFY macroNamesChanged)
    Q_PROPERTY(int macroChoice READ macroChoice NOTIFY recordChanged)
    Q_PROPERTY(int macroMode READ macroMode NOTIFY macroModeChanged)
    Q_PROPERTY(QStringList macroModeLabels READ macroModeLabels NOTIFY languageChanged)
    Q_PROPERTY(int page READ page WRITE setPage NOTIFY pageChanged)
    Q_PROPERTY(int capture READ capture NOTIFY captureChanged)
    Q_PROPERTY(QString fireText READ fireText NOTIFY fireChanged)
    Q_PROPERTY(int rate READ rate NOTIFY fireChanged)
    Q_PROPERTY(QString rateText READ rateText NOTIFY fireChanged)
    Q_PROPERTY(int ratePosition READ ratePosition NOTIFY fireChanged)
    Q_PROPERTY(int times READ times NOTIFY fireChanged)
    Q_PROPERTY(bool endless READ endless NOTIFY fireChanged)
    Q_PROPERTY(QString groupText READ groupText NOTIFY groupTextChanged)
    Q_PROPERTY(int rateSteps READ rateSteps CONSTANT)
    Q_PROPERTY(int maxTimes READ maxTimes CONSTANT)
    // Why the last click on a button opened nothing; empty otherwise.
    Q_PROPERTY(QString notice READ notice NOTIFY noticeChanged)

public:
    // The function groups, in the order the dialog lists them.
    enum Group {
        MouseGroup,
        FireGroup,
        CombinationGroup,
        MediaGroup,
        WindowsGroup,
        ShortcutGroup,
        MacroGroup,
        DpiGroup,
        GunGroup,
        GroupCount,
    };
    Q_ENUM(Group)

    enum Capture { NoCapture, FireCapture, CombinationCapture };
    Q_ENUM(Capture)

    // Indices into keyAssigmentLang.
    enum Text {
        KeyText = 0,
        KeyValueText = 9,
        ClickInputText = 10,
        RateText = 11,
        TimesText = 12,
        EndnessText = 13,
        MacroEditorText = 17,
        LastLeftButtonText = 57,
    };
    Q_ENUM(Text)

    // The rate slider gives the interval in milliseconds, one step a millisecond.
    static constexpr int MinRate = 4;
    static constexpr int MaxRate = 80;
    static constexpr int RateSteps = MaxRate - MinRate;
    static constexpr int DefaultRate = 10;
    static constexpr int MaxCombinationKeys = 2;
    static constexpr int MacroModes = 3;

    explicit KeyAssigmentScreen(Screens& screens);
    ~KeyAssigmentScreen() override;

    QStringList keyAssigmentLang() const { return m_lang; }
    void setLanguageTexts(const QStringList& texts);
    // A fixed choice's label in the current language; other texts come back as they are.
    QString choiceText(const QString& defaultLabel) const;

    int keyIndex() const { return m_index; }
    QString title() const;
    ButtonFunction record() const { return m_record; }
    QString text() const { return m_text; }
    QString keyCode() const { return m_record.keyCode(); }
    int recordGroup() const { return groupOf(m_record); }
    // The group that offers a record, -1 for a type no group assigns.
    static int groupOf(const ButtonFunction& record);
    QStringList groupTitles() const;
    QVariantList choiceLabels() const;
    QVariantList choiceIndexes() const;
    QStringList macroNames() const;
    int macroChoice() const;
    int macroMode() const { return m_macroMode; }
    QStringList macroModeLabels() const;
    // The group shown on the right; another page ends a capture.
    int page() const { return m_page; }
    void setPage(int group);
    int capture() const { return m_capture; }
    bool capturesKeys() const { return m_capture != NoCapture; }
    QString fireText() const;
    int rate() const { return m_rate; }
    QString rateText() const;
    // The knob for the interval; one outside the slider's range stands at its end while the
    // label shows the interval as stored.
    int ratePosition() const { return std::clamp(m_rate - MinRate, 0, int(RateSteps)); }
    int times() const { return m_times; }
    bool endless() const { return m_endless; }
    QString groupText() const { return m_groupText; }
    static int rateSteps() { return RateSteps; }
    static int maxTimes() { return WireSizes::MaxTimes; }
    QString notice() const { return m_notice; }
    // Why the button at `index` keeps its function.
    QString lastLeftButtonText(int index) const;
    Q_INVOKABLE void clearNotice();

    // Start-up: no button in the dialog.
    Q_INVOKABLE void init();
    // Opens the dialog on a button: false when the key matrix does not allow it.
    Q_INVOKABLE bool openButton(int index);
    // Closing commits the dialog's record to the key matrix and clears the selection.
    Q_INVOKABLE void close();
    // The dialog's restore button.
    Q_INVOKABLE void restore();

    // The groups with fixed choices (mouse, media, Windows, shortcut, DPI, gun).
    Q_INVOKABLE void choose(int group, int index);
    // Any record, as the groups would set it; a macro record takes the macro name as its text.
    void setRecord(const ButtonFunction& record, const QString& macroName = QString());

    // The user left the capture field (a click anywhere else, another dialog, the window hidden,
    // the mouse gone): the desktop's keys are no longer read. Keys gathered for a combination stay
    // until confirmed or cleared.
    Q_INVOKABLE void endCapture();
    Q_INVOKABLE void startFireCapture();
    Q_INVOKABLE void setRatePosition(int position);
    Q_INVOKABLE void setTimes(int times);
    // The times field as typed; anything but a number counts as 0.
    Q_INVOKABLE void setTimesText(const QString& text);
    Q_INVOKABLE void setEndless(bool endless);

    Q_INVOKABLE void startCombinationCapture();
    Q_INVOKABLE void confirmCombination();
    Q_INVOKABLE void clearCombination();

    // A macro of the library's list; run modes 0-2.
    Q_INVOKABLE void chooseMacro(int index);
    Q_INVOKABLE void setMacroMode(int mode);

    // A key from the desktop while the dialog captures.
    void detectKeyboard(bool isDown, int usbCode);

    // The macro editor opened from the dialog renamed or deleted a macro: the dialog's choice
    // follows, once the bindings have followed.
    void macroRenamed(const QString& oldName, const QString& newName);
    void macroDeleted(const QString& macroName);

signals:
    void languageChanged();
    void recordChanged();
    void titleChanged();
    void macroNamesChanged();
    void macroModeChanged();
    void captureChanged();
    void pageChanged();
    void fireChanged();
    void groupTextChanged();
    void noticeChanged();

private:
    struct Combination
    {
        quint8 modifiers = 0;
        QList<quint8> keys;
        bool isEmpty() const { return modifiers == 0 && keys.isEmpty(); }
    };

    void setCapture(Capture capture);
    bool holdsMacro(const QString& macroName) const;
    void setWorking(const ButtonFunction& record, const QString& text);
    // The fire and combination fields as a record of their kind shows them.
    void loadFields();
    quint8 fireCount() const;
    void updateFire();

    Screens& m_screens;
    QStringList m_lang;
    int m_index = -1;
    ButtonFunction m_record;
    QString m_text;
    Capture m_capture = NoCapture;
    int m_page = MouseGroup;
    int m_rate = DefaultRate;
    bool m_rateMoved = false;
    int m_times = 0;
    bool m_endless = true;
    int m_macroMode = 0;
    Combination m_combination;
    QString m_groupText;
    QString m_notice;
};

#endif // QX7_KEYASSIGMENTSCREEN_H
