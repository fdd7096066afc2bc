#ifndef QX7_SYSTEMSETTINGSCREEN_H
#define QX7_SYSTEMSETTINGSCREEN_H

#include <QObject>
#include <QStringList>

class Screens;

// The desktop's pointer speed, double-click speed and wheel scroll amount, kept in the profile and
// applied at once.
class SystemSettingScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int mouseRate READ mouseRate NOTIFY valuesChanged)
    Q_PROPERTY(int doubleRate READ doubleRate NOTIFY valuesChanged)
    Q_PROPERTY(int scrollRate READ scrollRate NOTIFY valuesChanged)
    Q_PROPERTY(bool scrollOneScreen READ scrollOneScreen NOTIFY valuesChanged)
    // The number field under "Number of Rows", kept while "Scroll one Screen" is chosen.
    Q_PROPERTY(int lines READ lines NOTIFY valuesChanged)
    // What the desktop offers; a row it lacks says so and keeps its value in the profile only.
    Q_PROPERTY(bool speedOffered READ speedOffered NOTIFY desktopChanged)
    Q_PROPERTY(bool doubleClickOffered READ doubleClickOffered NOTIFY desktopChanged)
    Q_PROPERTY(bool scrollOffered READ scrollOffered NOTIFY desktopChanged)
    Q_PROPERTY(QStringList systemSettingLang READ systemSettingLang NOTIFY languageChanged)
    // The sliders' knob positions, 0 to sliderSteps.
    Q_PROPERTY(int speedPosition READ speedPosition NOTIFY valuesChanged)
    Q_PROPERTY(int doublePosition READ doublePosition NOTIFY valuesChanged)
    Q_PROPERTY(int sliderSteps READ sliderSteps CONSTANT)
    Q_PROPERTY(int maxLines READ maxLines CONSTANT)

public:
    // Indices into systemSettingLang.
    enum Text {
        TitleText,
        MouseSpeedText,
        DoubleClickSpeedText,
        SlowText,
        FastText,
        ScrollSpeedText,
        RowsText,
        OneScreenText,
        NotOfferedText,
        RestoreText,
    };
    Q_ENUM(Text)

    // The profile keeps each speed as a number from 3 to 337; the slider's positions 0 to
    // SliderSteps give them in order.
    static constexpr int FirstPosition = 3;
    static constexpr int LastPosition = 337;
    static constexpr int SliderSteps = LastPosition - FirstPosition;
    static constexpr int MaxLines = 100;
    static constexpr int OneScreen = 1000;

    explicit SystemSettingScreen(Screens& screens);

    int mouseRate() const { return m_mouseRate; }
    int doubleRate() const { return m_doubleRate; }
    int scrollRate() const { return m_scrollRate; }
    bool scrollOneScreen() const { return m_scrollRate > MaxLines; }
    int lines() const { return m_lines; }
    int speedPosition() const { return m_mouseRate - FirstPosition; }
    int doublePosition() const { return m_doubleRate - FirstPosition; }
    static int sliderSteps() { return SliderSteps; }
    static int maxLines() { return MaxLines; }
    bool speedOffered() const { return m_offered[0]; }
    bool doubleClickOffered() const { return m_offered[1]; }
    bool scrollOffered() const { return m_offered[2]; }
    QStringList systemSettingLang() const { return m_lang; }
    void setLanguageTexts(const QStringList& texts);

    // The desktop level 0-10 of a slider position.
    static int levelOf(int position);

    Q_INVOKABLE void init(bool isSendData, bool isRecovery);
    // isStep: 0 everything, 1 pointer speed, 2 double-click speed, 3 scroll amount.
    Q_INVOKABLE void saveData(bool isSendData, int isStep);

    // Asks the desktop which settings it has; the dialog asks when it opens.
    Q_INVOKABLE void readDesktop();
    // A slider let go at `position` (0 to sliderSteps): stored and applied.
    Q_INVOKABLE void releaseSpeed(int position);
    Q_INVOKABLE void releaseDoubleClick(int position);
    Q_INVOKABLE void chooseRows();
    Q_INVOKABLE void chooseOneScreen();
    // The number field lost focus with `text`: empty or below 1 becomes 1.
    Q_INVOKABLE void leaveLines(const QString& text);
    // The profile's defaults, stored and applied.
    Q_INVOKABLE void restore();

signals:
    void valuesChanged();
    void languageChanged();
    void desktopChanged();

protected:
    void setValues(int mouseRate, int doubleRate, int scrollRate);

private:
    Screens& m_screens;
    int m_mouseRate = 170;
    int m_doubleRate = 170;
    int m_scrollRate = 3;
    int m_lines = 3;
    bool m_offered[3] = {true, true, true};
    QStringList m_lang;
};

#endif // QX7_SYSTEMSETTINGSCREEN_H
