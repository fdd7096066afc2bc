#ifndef QX7_LIGHTCONTROLSCREEN_H
#define QX7_LIGHTCONTROLSCREEN_H

#include "LightingEncoding.h"
#include "WireSizes.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantList>

class Screens;

// The lighting screen: mode, speed and brightness indices and up to eight colours, the controls
// each mode shows, and the colour-8 rule of the sensor variant.
class LightControlScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isSave READ isSave WRITE setSave NOTIFY isSaveChanged)
    Q_PROPERTY(int maxChannel READ maxChannel CONSTANT)
    Q_PROPERTY(QStringList modes READ modes NOTIFY modesChanged)
    Q_PROPERTY(int modeIndex READ modeIndex NOTIFY effectChanged)
    Q_PROPERTY(int speedIndex READ speedIndex NOTIFY effectChanged)
    Q_PROPERTY(int brightnessIndex READ brightnessIndex NOTIFY effectChanged)
    Q_PROPERTY(bool speedShown READ speedShown NOTIFY effectChanged)
    Q_PROPERTY(bool brightnessShown READ brightnessShown NOTIFY effectChanged)
    Q_PROPERTY(QStringList colors READ colors NOTIFY colorsChanged)
    Q_PROPERTY(int selectedColor READ selectedColor NOTIFY selectedColorChanged)
    Q_PROPERTY(QVariantList selectedRgb READ selectedRgb NOTIFY selectedValueChanged)
    Q_PROPERTY(qreal hueRatio READ hueRatio NOTIFY selectedValueChanged)
    Q_PROPERTY(QString selectedColorText READ selectedColorText NOTIFY selectedValueChanged)
    Q_PROPERTY(QVariantList colorBlocksShown READ colorBlocksShown NOTIFY effectChanged)
    Q_PROPERTY(QStringList levelTexts READ levelTexts CONSTANT)
    Q_PROPERTY(int levelSteps READ levelSteps CONSTANT)
    Q_PROPERTY(int colorCount READ colorCount CONSTANT)
    Q_PROPERTY(QStringList lightControlLang READ lightControlLang NOTIFY modesChanged)

public:
    // Red, green and blue each run from 0 to MaxChannel.
    static constexpr int MaxChannel = 255;
    static int maxChannel() { return MaxChannel; }

    // Indices into lightControlLang.
    enum Text { TitleText, SpeedText = 5, ColorText, BrightnessText };
    Q_ENUM(Text)

    static constexpr int Levels = LightingEncoding::Levels;
    // One colour per DPI stage.
    static constexpr int ColorCount = WireSizes::DpiStages;
    static constexpr int ShownBlocks = 4;
    // "Breath Loop" without the colourful modes, the one mode that lights colour 8 on the sensor
    // variant.
    static constexpr int SensorVariantMode = 4;

    explicit LightControlScreen(Screens& screens);

    bool isSave() const { return m_isSave; }
    void setSave(bool dirty);
    QStringList modes() const { return m_modes; }
    int modeIndex() const { return m_mode; }
    int speedIndex() const { return m_speed; }
    int brightnessIndex() const { return m_brightness; }
    bool speedShown() const;
    bool brightnessShown() const;
    QStringList colors() const { return m_colors; }
    int selectedColor() const { return m_selectedColor; }
    QString selectedColorText() const { return m_colors.at(m_selectedColor); }
    // Red, green and blue of the selected colour, 0-255.
    QVariantList selectedRgb() const;
    // Where the selected colour sits on the hue bar, 0-1 of its width.
    qreal hueRatio() const;
    QVariantList colorBlocksShown() const;
    static QStringList levelTexts();
    // Steps of the speed and brightness sliders: levels 0-4.
    static int levelSteps() { return Levels - 1; }
    static int colorCount() { return ColorCount; }
    QStringList lightControlLang() const { return m_lang; }
    void setLanguageTexts(const QStringList& texts);

    // The 24 numbers stored and sent for the colours, with colour 8 dark on the sensor variant
    // unless its mode is chosen.
    QVariantList colorValues() const;

    Q_INVOKABLE void init(bool isSendData, bool isRecovery);
    // isStep: 0 everything, 1 the effect only, 2 the colours only.
    Q_INVOKABLE void saveData(bool isSendData, int isStep);
    // The user's choices; each but the colour selection sets the dirty flag.
    Q_INVOKABLE void chooseMode(int index);
    // Levels 0-4, taken only where the mode shows the level; false otherwise.
    Q_INVOKABLE bool setSpeed(int index);
    Q_INVOKABLE bool setBrightness(int index);
    Q_INVOKABLE void selectColor(int index);
    // A press on the hue bar of `width` pixels at `position`.
    Q_INVOKABLE void pickHue(int position, int width);
    // One of the three number fields (0 red, 1 green, 2 blue).
    Q_INVOKABLE void setChannel(int channel, int value);
    // The profile's default values, not sent.
    Q_INVOKABLE void restore();

    // Colour `index` as "#rrggbb"; false for a text that is not one.
    bool setColor(int index, const QString& color);

    // How many modes the list holds once extended for the mouse's flags.
    static int modeCount(bool colorful, bool is55328);

    // The hue bar: six equal segments, each ramping one component from 0 to 255 while another
    // stays full (red to yellow, to green, to cyan, to blue, to magenta, back to red).
    static QString hueColor(int position, int width);
    static qreal hueOf(const QString& color);

signals:
    void isSaveChanged();
    void modesChanged();
    void effectChanged();
    void colorsChanged();
    void selectedColorChanged();
    void selectedValueChanged();

private:
    void rebuildModes();
    void changeSelected(const QString& color);

    Screens& m_screens;
    QStringList m_lang;
    QStringList m_modes;
    bool m_extended = false;
    int m_mode = 0;
    int m_speed = 0;
    int m_brightness = 4;
    QStringList m_colors;
    int m_selectedColor = 0;
    bool m_isSave = false;
};

#endif // QX7_LIGHTCONTROLSCREEN_H
