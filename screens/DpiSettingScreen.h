#ifndef QX7_DPISETTINGSCREEN_H
#define QX7_DPISETTINGSCREEN_H

#include "WireSizes.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantList>

class Screens;

// The DPI screen: how many stages are in use and the DPI of each, on sliders; a moved knob's
// position gives its stage's value, a stored value stays as it is.
class DpiSettingScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isSave READ isSave WRITE setSave NOTIFY isSaveChanged)
    Q_PROPERTY(int dpiCount READ dpiCount NOTIFY rangeChanged)
    Q_PROPERTY(int currentDpiCount READ currentDpiCount NOTIFY currentDpiCountChanged)
    Q_PROPERTY(int stageCountIndex READ stageCountIndex NOTIFY currentDpiCountChanged)
    Q_PROPERTY(int minDPI READ minDPI NOTIFY rangeChanged)
    Q_PROPERTY(int maxDPI READ maxDPI NOTIFY rangeChanged)
    Q_PROPERTY(QString sensorType READ sensorType NOTIFY rangeChanged)
    Q_PROPERTY(int dpiBase READ dpiBase NOTIFY rangeChanged)
    Q_PROPERTY(QStringList stageCountModel READ stageCountModel NOTIFY rangeChanged)
    Q_PROPERTY(int stages READ stages CONSTANT)
    Q_PROPERTY(QVariantList dpiValues READ dpiValues NOTIFY valuesChanged)
    // Each knob's position, 0 at the low end to knobSteps.
    Q_PROPERTY(QVariantList knobPositions READ knobPositions NOTIFY valuesChanged)
    Q_PROPERTY(int knobSteps READ knobSteps CONSTANT)
    Q_PROPERTY(int currentDPI READ currentDPI NOTIFY currentDPIChanged)
    Q_PROPERTY(QStringList dpiSettingLang READ dpiSettingLang NOTIFY languageChanged)

public:
    // Indices into dpiSettingLang.
    enum Text { TitleText };
    Q_ENUM(Text)

    static constexpr int Stages = WireSizes::DpiStages;
    // A slider's positions run from 0 to KnobSteps; the scene gives each a pixel.
    static constexpr int KnobSteps = 158;

    explicit DpiSettingScreen(Screens& screens);

    bool isSave() const { return m_isSave; }
    void setSave(bool dirty);
    int dpiCount() const { return m_dpiCount; }
    int currentDpiCount() const { return m_currentDpiCount; }
    // The entry of stageCountModel that is selected.
    int stageCountIndex() const { return m_currentDpiCount - 1; }
    int minDPI() const { return m_minDpi; }
    int maxDPI() const { return m_maxDpi; }
    QString sensorType() const { return m_sensorType; }
    int dpiBase() const { return m_dpiBase; }
    QStringList stageCountModel() const;
    static int stages() { return Stages; }
    QVariantList dpiValues() const;
    QList<int> values() const { return m_values; }
    QVariantList knobPositions() const;
    static int knobSteps() { return KnobSteps; }
    int currentDPI() const { return m_currentDPI; }
    void setCurrentDPI(int stageIndex);
    QStringList dpiSettingLang() const { return m_lang; }
    void setLanguageTexts(const QStringList& texts);

    // Slider arithmetic: the DPI a knob position gives, and the position nearest to a DPI value.
    static int valueAt(int position, int minDpi, int maxDpi, int base);
    static int knobFor(int value, int minDpi, int maxDpi, int base);
    // The values a slider gives (multiples of `base` within the range) nearest to `value`: the
    // value alone when a slider gives it, else one or two neighbours.
    static QList<int> nearestValues(int value, int minDpi, int maxDpi, int base);

    Q_INVOKABLE void init(bool isSendData, bool isRecovery);
    Q_INVOKABLE void saveData(bool isSendData);

    // The user's actions. Choosing a count and releasing a slider set the dirty flag; the text
    // under a slider follows it while it is dragged.
    Q_INVOKABLE void chooseStageCount(int count);
    Q_INVOKABLE void chooseStageCountAt(int index) { chooseStageCount(index + 1); }
    Q_INVOKABLE void dragStage(int stage, int position);
    Q_INVOKABLE void releaseStage(int stage, int position);
    // The profile's default values, not sent.
    Q_INVOKABLE void restore();

    // Stages in use and values as typed elsewhere (qx7ctl), kept as they are with the knobs placed
    // as init places them. False when the count is not offered.
    bool placeValues(int inUse, const QList<int>& values);

signals:
    void isSaveChanged();
    void rangeChanged();
    void currentDpiCountChanged();
    void valuesChanged();
    void currentDPIChanged();
    void languageChanged();
    // The knobs were placed from stored values: the sliders move to knobPositions.
    void knobsPlaced();

private:
    void setCurrentDpiCount(int count);
    void place(const QList<int>& values);
    void setKnob(int stage, int position);

    Screens& m_screens;
    int m_dpiCount = 4;
    int m_currentDpiCount = 4;
    int m_minDpi = 200;
    int m_maxDpi = 6000;
    QString m_sensorType = QStringLiteral("3360");
    int m_dpiBase = 50;
    QList<int> m_values;
    QList<int> m_knobs;
    int m_currentDPI = 0;
    QStringList m_lang;
    bool m_isSave = false;
};

#endif // QX7_DPISETTINGSCREEN_H
