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
    Q_PROPERTY(QStringList systemSettingLang READ systemSettingLang NOTIFY languageChanged)

public:
    // Slider positions 3 to 337 on a 350-pixel track.
    static constexpr int FirstPosition = 3;
    static constexpr int LastPosition = 337;
    static constexpr int MaxLines = 100;
    static constexpr int OneScreen = 1000;

    explicit SystemSettingScreen(Screens& screens);

    int mouseRate() const { return m_mouseRate; }
    int doubleRate() const { return m_doubleRate; }
    int scrollRate() const { return m_scrollRate; }
    bool scrollOneScreen() const { return m_scrollRate > MaxLines; }
    QStringList systemSettingLang() const { return m_lang; }
    void setLanguageTexts(const QStringList& texts);

    // The desktop level 0-10 of a slider position.
    static int levelOf(int position);

    Q_INVOKABLE void init(bool isSendData, bool isRecovery);
    // isStep: 0 everything, 1 pointer speed, 2 double-click speed, 3 scroll amount.
    Q_INVOKABLE void saveData(bool isSendData, int isStep);

signals:
    void valuesChanged();
    void languageChanged();

protected:
    void setValues(int mouseRate, int doubleRate, int scrollRate);

private:
    Screens& m_screens;
    int m_mouseRate = 170;
    int m_doubleRate = 170;
    int m_scrollRate = 3;
    QStringList m_lang;
};

#endif // QX7_SYSTEMSETTINGSCREEN_H
