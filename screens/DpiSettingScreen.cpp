#include "DpiSettingScreen.h"

#include "ConfigStore.h"
#include "DeviceOperations.h"
#include "ScreenValues.h"
#include "Screens.h"
#include "SettingsKeys.h"

#include <cmath>
#include <cstdlib>

namespace {

const QList<int> DefaultValues {500, 1000, 1500, 2000, 3000, 4000, 5000, 6000};
const QStringList DefaultLang {QStringLiteral("DPI")};

} // namespace

DpiSettingScreen::DpiSettingScreen(Screens& screens)
    : QObject(&screens)
    , m_screens(screens)
    , m_lang(DefaultLang)
{
    place(DefaultValues);
}

void DpiSettingScreen::setSave(bool dirty)
{
    if (m_isSave != dirty) {
        m_isSave = dirty;
        emit isSaveChanged();
    }
}

QStringList DpiSettingScreen::stageCountModel() const
{
    QStringList model;
    for (int n = 1; n <= m_dpiCount && n <= Stages; ++n) {
        model << QString::number(n);
    }
    return model;
}

QVariantList DpiSettingScreen::dpiValues() const
{
    return ScreenValues::toVariantList(m_values);
}

QVariantList DpiSettingScreen::knobPositions() const
{
    return ScreenValues::toVariantList(m_knobs);
}

void DpiSettingScreen::setCurrentDPI(int stageIndex)
{
    if (m_currentDPI != stageIndex) {
        m_currentDPI = stageIndex;
        emit currentDPIChanged();
    }
}

void DpiSettingScreen::setLanguageTexts(const QStringList& texts)
{
    m_lang = ScreenValues::texts(DefaultLang, texts);
    emit languageChanged();
}

int DpiSettingScreen::valueAt(int position, int minDpi, int maxDpi, int base)
{
    const double dpi = double(position) * (maxDpi - minDpi) / KnobSteps + minDpi;
    if (base <= 0) {
        return int(dpi);
    }
    return int(dpi / base) * base;
}

int DpiSettingScreen::knobFor(int value, int minDpi, int maxDpi, int base)
{
    // The position whose value is nearest; of two as near, the one nearer on the track. The knob
    // only shows the value: a stored value stays as it is.
    const double exact = maxDpi > minDpi ? double(value - minDpi) * KnobSteps / (maxDpi - minDpi) : 0.0;
    int best = 0;
    for (int position = 0; position <= KnobSteps; ++position) {
        const int distance = std::abs(valueAt(position, minDpi, maxDpi, base) - value);
        const int bestDistance = std::abs(valueAt(best, minDpi, maxDpi, base) - value);
        if (distance < bestDistance
            || (distance == bestDistance && std::abs(position - exact) < std::abs(best - exact))) {
            best = position;
        }
    }
    return best;
}

QList<int> DpiSettingScreen::nearestValues(int value, int minDpi, int maxDpi, int base)
{
    const int step = base > 0 ? base : 1;
    // The lowest and highest values the track gives.
    const int first = valueAt(0, minDpi, maxDpi, base);
    const int last = valueAt(KnobSteps, minDpi, maxDpi, base);
    if (value <= first || value >= last) {
        return {value <= first ? first : last};
    }
    const int below = value / step * step;
    return below == value ? QList<int> {value} : QList<int> {below, below + step};
}

void DpiSettingScreen::setCurrentDpiCount(int count)
{
    if (m_currentDpiCount != count) {
        m_currentDpiCount = count;
        emit currentDpiCountChanged();
    }
}

void DpiSettingScreen::init(bool isSendData, bool isRecovery)
{
    const ConfigStore& store = m_screens.store();
    if (!isRecovery) {
        m_dpiCount = ScreenValues::profileInt(store, SettingsKeys::DpiCount, 4);
        m_minDpi = ScreenValues::globalInt(store, SettingsKeys::MinDpi, 200);
        m_maxDpi = ScreenValues::globalInt(store, SettingsKeys::MaxDpi, 6000);
        m_sensorType = ScreenValues::globalText(store, SettingsKeys::SensorType, QStringLiteral("3360"));
        m_dpiBase = ScreenValues::globalInt(store, SettingsKeys::DpiBase, 50);
        emit rangeChanged();
    }
    const QList<int> stored
        = ScreenValues::intList(store.getDataList(SettingsKeys::DpiValueArray, isRecovery), DefaultValues);
    if (m_dpiCount < 1 || m_dpiCount > Stages) {
        return;
    }
    if (!isRecovery) {
        const int inUse = ScreenValues::profileInt(store, SettingsKeys::CurrentDpiCount, 4);
        setCurrentDpiCount(qBound(1, inUse, m_dpiCount));
    }
    place(stored);
    if (isSendData) {
        saveData(true);
    }
}

void DpiSettingScreen::saveData(bool isSendData)
{
    ConfigStore::WriteBatch batch(m_screens.store());
    ConfigStore& store = m_screens.store();
    const QVariantList values = dpiValues();
    store.setDataList(SettingsKeys::DpiValueArray, values);
    store.setData(SettingsKeys::CurrentDpiCount, m_currentDpiCount);
    if (isSendData) {
        m_screens.operations().mouseSetDpi(m_currentDpiCount, m_sensorType, values);
    }
}

void DpiSettingScreen::place(const QList<int>& values)
{
    // The slider has fewer positions than the range has values: a stored value keeps its own
    // number until the user moves its slider, and the knob stands as near to it as it can.
    m_values = values;
    m_knobs.clear();
    for (int value : values) {
        m_knobs << knobFor(value, m_minDpi, m_maxDpi, m_dpiBase);
    }
    emit valuesChanged();
    emit knobsPlaced();
}

void DpiSettingScreen::setKnob(int stage, int position)
{
    if (stage < 0 || stage >= m_knobs.size()) {
        return;
    }
    const int knob = qBound(0, position, int(KnobSteps));
    m_knobs[stage] = knob;
    m_values[stage] = valueAt(knob, m_minDpi, m_maxDpi, m_dpiBase);
    emit valuesChanged();
}

void DpiSettingScreen::chooseStageCount(int count)
{
    if (count >= 1 && count <= m_dpiCount && count <= Stages) {
        setCurrentDpiCount(count);
        setSave(true);
    }
}

void DpiSettingScreen::dragStage(int stage, int position)
{
    setKnob(stage, position);
}

void DpiSettingScreen::releaseStage(int stage, int position)
{
    if (stage < 0 || stage >= m_knobs.size()) {
        return;
    }
    // A press on the knob that did not move it leaves a value the knob cannot give as it is.
    const int knob = qBound(0, position, int(KnobSteps));
    if (knob == m_knobs.at(stage) && m_values.at(stage) != valueAt(knob, m_minDpi, m_maxDpi, m_dpiBase)) {
        return;
    }
    setKnob(stage, position);
    setSave(true);
}

void DpiSettingScreen::restore()
{
    init(false, true);
    setSave(true);
}

bool DpiSettingScreen::placeValues(int inUse, const QList<int>& values)
{
    if (inUse < 1 || inUse > m_dpiCount || inUse > Stages || values.size() != Stages) {
        return false;
    }
    setCurrentDpiCount(inUse);
    place(values);
    return true;
}
