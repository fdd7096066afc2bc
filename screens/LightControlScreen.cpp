#include "LightControlScreen.h"

#include "ConfigStore.h"
#include "DeviceOperations.h"
#include "DpiSettingScreen.h"
#include "MainScreen.h"
#include "ScreenValues.h"
#include "Screens.h"
#include "SettingsKeys.h"

namespace {

const QStringList DefaultLang {
    QStringLiteral("Light"),
    QStringLiteral("Static"),
    QStringLiteral("Breath"),
    QStringLiteral("Neon"),
    QStringLiteral("OFF"),
    QStringLiteral("Speed"),
    QStringLiteral("Color"),
    QStringLiteral("Brightness"),
    QStringLiteral("Twinkling"),
    QStringLiteral("Wave"),
    QStringLiteral("Gliding"),
    QStringLiteral("Finger Moving"),
    QStringLiteral("Vertical Flipping"),
    QStringLiteral("YO-YO"),
    QStringLiteral("Spotlight"),
    QStringLiteral("Breath Loop"),
    QString(),
    QString(),
    QString(),
    QString(),
};
const QList<int> DefaultEffect {0, 2, 4};
const QStringList DefaultColors {
    QStringLiteral("#ff0000"),
    QStringLiteral("#00ff00"),
    QStringLiteral("#0000ff"),
    QStringLiteral("#ff00ff"),
    QStringLiteral("#00ffff"),
    QStringLiteral("#ff7f00"),
    QStringLiteral("#6000ff"),
    QStringLiteral("#ffffff"),
};
constexpr int BasicModes = 4;
constexpr int ColourfulModes = 7;
constexpr int ModeTextOffset = 8;
constexpr int BreathLoopText = 15;
constexpr int HueSegments = 6;

// What a mode shows, and the indices it sets when chosen (-1: left as it is).
struct ModeRule
{
    bool speed;
    bool brightness;
    int setSpeed;
    int setBrightness;
};

ModeRule ruleFor(int mode, bool sensorVariant)
{
    switch (mode) {
        case 0:
            return {false, false, -1, 4};
        case 1:
        case 2:
            return {true, false, 0, -1};
        case 3:
            return {false, false, -1, 0};
        case 4:
            return sensorVariant ? ModeRule {true, false, 0, -1} : ModeRule {false, true, -1, 4};
        case 5:
            return {true, true, 0, 4};
        case 6:
            return {false, false, 0, 4};
        case 7:
            return {false, true, -1, 4};
        case 8:
        case 9:
        case 10:
            return {true, true, 0, 4};
        default:
            return {false, false, -1, -1};
    }
}

QList<int> validEffect(const QVariantList& stored)
{
    const QList<int> effect = ScreenValues::intList(stored, {-1, -1, -1});
    const bool inRange = effect.at(0) >= 0 && effect.at(1) >= 0 && effect.at(1) < LightControlScreen::Levels
                         && effect.at(2) >= 0 && effect.at(2) < LightControlScreen::Levels;
    return inRange ? effect : QList<int> {};
}

// "#rrggbb" and back; a text that is not a colour reads as black.
QString colorText(int red, int green, int blue)
{
    return QStringLiteral("#%1%2%3")
        .arg(qBound(0, red, int(LightControlScreen::MaxChannel)), 2, 16, QLatin1Char('0'))
        .arg(qBound(0, green, int(LightControlScreen::MaxChannel)), 2, 16, QLatin1Char('0'))
        .arg(qBound(0, blue, int(LightControlScreen::MaxChannel)), 2, 16, QLatin1Char('0'));
}

bool isColorText(const QString& text)
{
    if (text.size() != 7 || !text.startsWith(QLatin1Char('#'))) {
        return false;
    }
    bool ok = false;
    text.mid(1).toUInt(&ok, 16);
    return ok;
}

QList<int> colorNumbers(const QString& text)
{
    QList<int> numbers {0, 0, 0};
    if (text.size() == 7 && text.startsWith(QLatin1Char('#'))) {
        for (int i = 0; i < 3; ++i) {
            bool ok = false;
            const int value = text.mid(1 + 2 * i, 2).toInt(&ok, 16);
            numbers[i] = ok ? value : 0;
        }
    }
    return numbers;
}

} // namespace

LightControlScreen::LightControlScreen(Screens& screens)
    : QObject(&screens)
    , m_screens(screens)
    , m_lang(DefaultLang)
    , m_colors(DefaultColors)
{
    rebuildModes();
}

void LightControlScreen::setSave(bool dirty)
{
    if (m_isSave != dirty) {
        m_isSave = dirty;
        emit isSaveChanged();
    }
}

bool LightControlScreen::speedShown() const
{
    return ruleFor(m_mode, m_screens.main()->is55328()).speed;
}

bool LightControlScreen::brightnessShown() const
{
    return ruleFor(m_mode, m_screens.main()->is55328()).brightness;
}

QVariantList LightControlScreen::colorBlocksShown() const
{
    const MainScreen* main = m_screens.main();
    const int dpiCount = m_screens.dpiSetting()->dpiCount();
    QVariantList shown;
    for (int block = 0; block < ColorCount; ++block) {
        bool visible = false;
        if (block == 0) {
            visible = dpiCount > 0 || main->isColorful();
        } else if (block < ShownBlocks) {
            visible = main->is55328() ? m_mode == SensorVariantMode : (dpiCount > block || main->isColorful());
        }
        shown << visible;
    }
    return shown;
}

QStringList LightControlScreen::levelTexts()
{
    return {QStringLiteral("0%"),
            QStringLiteral("25%"),
            QStringLiteral("50%"),
            QStringLiteral("75%"),
            QStringLiteral("100%")};
}

void LightControlScreen::setLanguageTexts(const QStringList& texts)
{
    m_lang = ScreenValues::texts(DefaultLang, texts);
    rebuildModes();
}

int LightControlScreen::modeCount(bool colorful, bool is55328)
{
    return BasicModes + (colorful ? ColourfulModes : 0) + (is55328 ? 1 : 0);
}

void LightControlScreen::rebuildModes()
{
    m_modes = m_lang.mid(1, BasicModes);
    if (m_extended) {
        const MainScreen* main = m_screens.main();
        if (main->isColorful()) {
            m_modes += m_lang.mid(ModeTextOffset, ColourfulModes);
        }
        if (main->is55328()) {
            m_modes << m_lang.at(BreathLoopText);
        }
    }
    emit modesChanged();
}

QVariantList LightControlScreen::colorValues() const
{
    QVariantList values;
    for (const QString& text : m_colors) {
        for (int number : colorNumbers(text)) {
            values << number;
        }
    }
    if (m_screens.main()->is55328() && m_mode != SensorVariantMode) {
        for (int i = 3 * (ColorCount - 1); i < 3 * ColorCount; ++i) {
            values[i] = 0;
        }
    }
    return values;
}

void LightControlScreen::init(bool isSendData, bool isRecovery)
{
    if (!m_extended) {
        // The extra modes join the list once, on the first load, from the flags read at start-up.
        m_extended = true;
        rebuildModes();
    }
    const ConfigStore& store = m_screens.store();
    QList<int> effect = validEffect(store.getDataList(SettingsKeys::LightValue, isRecovery));
    if (effect.isEmpty()) {
        effect = validEffect(store.getDataList(SettingsKeys::LightValue, true));
    }
    if (effect.isEmpty() || effect.at(0) >= m_modes.size()) {
        effect = DefaultEffect;
    }
    m_mode = effect.at(0);
    m_speed = effect.at(1);
    m_brightness = effect.at(2);
    emit effectChanged();

    QList<int> fallback;
    for (const QString& text : DefaultColors) {
        fallback += colorNumbers(text);
    }
    const QList<int> numbers = ScreenValues::intList(store.getDataList(SettingsKeys::ColorValue, isRecovery), fallback);
    m_colors.clear();
    for (int i = 0; i < ColorCount; ++i) {
        m_colors << colorText(numbers.at(3 * i), numbers.at(3 * i + 1), numbers.at(3 * i + 2));
    }
    emit colorsChanged();
    selectColor(0);
    emit selectedValueChanged();
    if (isSendData) {
        saveData(true, 0);
    }
}

void LightControlScreen::saveData(bool isSendData, int isStep)
{
    ConfigStore::WriteBatch batch(m_screens.store());
    ConfigStore& store = m_screens.store();
    const QVariantList effect {m_mode, m_speed, m_brightness};
    const QVariantList colors = colorValues();
    if (isStep == 0 || isStep == 1) {
        store.setDataList(SettingsKeys::LightValue, effect);
    }
    if (isStep == 0 || isStep == 2) {
        store.setDataList(SettingsKeys::ColorValue, colors);
    }
    if (!isSendData) {
        return;
    }
    DeviceOperations& ops = m_screens.operations();
    if (isStep == 0 || isStep == 1) {
        ops.mouseSetRGBEffect(static_cast<unsigned char>(m_mode),
                              static_cast<unsigned char>(m_speed),
                              static_cast<unsigned char>(m_brightness));
    }
    if (isStep == 0 || isStep == 2) {
        ops.mouseSetRGBColor(m_screens.main()->isColorful() ? 0 : 1, colors);
    }
}

void LightControlScreen::chooseMode(int index)
{
    if (index < 0 || index >= m_modes.size()) {
        return;
    }
    m_mode = index;
    const ModeRule rule = ruleFor(index, m_screens.main()->is55328());
    if (rule.setSpeed >= 0) {
        m_speed = rule.setSpeed;
    }
    if (rule.setBrightness >= 0) {
        m_brightness = rule.setBrightness;
    }
    emit effectChanged();
    selectColor(0);
    setSave(true);
}

bool LightControlScreen::setSpeed(int index)
{
    // A level the mode does not show is the mode's own: the scene could neither show nor mend it.
    if (index < 0 || index >= Levels || !speedShown()) {
        return false;
    }
    m_speed = index;
    emit effectChanged();
    setSave(true);
    return true;
}

bool LightControlScreen::setBrightness(int index)
{
    if (index < 0 || index >= Levels || !brightnessShown()) {
        return false;
    }
    m_brightness = index;
    emit effectChanged();
    setSave(true);
    return true;
}

void LightControlScreen::selectColor(int index)
{
    if (index >= 0 && index < ColorCount && m_selectedColor != index) {
        m_selectedColor = index;
        emit selectedColorChanged();
        emit selectedValueChanged();
    }
}

bool LightControlScreen::setColor(int index, const QString& color)
{
    if (index < 0 || index >= ColorCount || !isColorText(color)) {
        return false;
    }
    const QString text = color.toLower();
    if (m_colors.at(index) != text) {
        m_colors[index] = text;
        emit colorsChanged();
        if (index == m_selectedColor) {
            emit selectedValueChanged();
        }
    }
    return true;
}

QVariantList LightControlScreen::selectedRgb() const
{
    return ScreenValues::toVariantList(colorNumbers(m_colors.at(m_selectedColor)));
}

qreal LightControlScreen::hueRatio() const
{
    return hueOf(m_colors.at(m_selectedColor));
}

QString LightControlScreen::hueColor(int position, int width)
{
    if (width < HueSegments) {
        return colorText(255, 0, 0);
    }
    const int at = qBound(0, position, width - 1);
    const int segment = qMin(HueSegments - 1, at * HueSegments / width);
    // The ramp runs over the segment's own pixels: its first pixel 0, past its last 255.
    const int start = segment * width / HueSegments;
    const int end = (segment + 1) * width / HueSegments;
    const int ramp = qBound(0, (at - start) * 255 / qMax(1, end - start - 1), 255);
    switch (segment) {
        case 0:
            return colorText(255, ramp, 0);
        case 1:
            return colorText(255 - ramp, 255, 0);
        case 2:
            return colorText(0, 255, ramp);
        case 3:
            return colorText(0, 255 - ramp, 255);
        case 4:
            return colorText(ramp, 0, 255);
        default:
            return colorText(255, 0, 255 - ramp);
    }
}

qreal LightControlScreen::hueOf(const QString& color)
{
    const QList<int> rgb = colorNumbers(color);
    const int high = qMax(rgb.at(0), qMax(rgb.at(1), rgb.at(2)));
    const int low = qMin(rgb.at(0), qMin(rgb.at(1), rgb.at(2)));
    if (high == low) {
        // Greys have no hue: the marker stays at the bar's start.
        return 0.0;
    }
    const qreal span = high - low;
    qreal segment = 0.0;
    if (high == rgb.at(0)) {
        segment = (rgb.at(1) - rgb.at(2)) / span;
        if (segment < 0) {
            segment += HueSegments;
        }
    } else if (high == rgb.at(1)) {
        segment = 2.0 + (rgb.at(2) - rgb.at(0)) / span;
    } else {
        segment = 4.0 + (rgb.at(0) - rgb.at(1)) / span;
    }
    return segment / HueSegments;
}

void LightControlScreen::pickHue(int position, int width)
{
    if (width > 0) {
        changeSelected(hueColor(position, width));
    }
}

void LightControlScreen::setChannel(int channel, int value)
{
    if (channel < 0 || channel > 2) {
        return;
    }
    QList<int> rgb = colorNumbers(m_colors.at(m_selectedColor));
    rgb[channel] = qBound(0, value, int(MaxChannel));
    changeSelected(colorText(rgb.at(0), rgb.at(1), rgb.at(2)));
}

void LightControlScreen::changeSelected(const QString& color)
{
    // A field left without a change is no edit.
    if (color != m_colors.at(m_selectedColor) && setColor(m_selectedColor, color)) {
        setSave(true);
    }
}

void LightControlScreen::restore()
{
    init(false, true);
    setSave(true);
}
