#include "GunControlScreen.h"

#include "ConfigStore.h"
#include "DeviceOperations.h"
#include "GunStore.h"
#include "KeyMatrixScreen.h"
#include "MacroLibrary.h"
#include "MainScreen.h"
#include "ScreenValues.h"
#include "Screens.h"
#include "SettingsKeys.h"

#include <cmath>

namespace {

const QStringList DefaultNames {QStringLiteral("M416"),
                                QStringLiteral("AKM"),
                                QStringLiteral("M16A4"),
                                QStringLiteral("SCAR-L"),
                                QStringLiteral("UNP9"),
                                QStringLiteral("Thomson")};
const QStringList DefaultLang {
    QStringLiteral("Gun editor"),
    QStringLiteral("Gun"),
    QStringLiteral("Select gun"),
    QStringLiteral("Cursor Adjust"),
    QStringLiteral("X Axis"),
    QStringLiteral("Y axis"),
    QStringLiteral("Fire adjust"),
    QStringLiteral("Rate"),
    QStringLiteral("Times"),
    QStringLiteral("Endness"),
};

} // namespace

GunControlScreen::GunControlScreen(Screens& screens)
    : QObject(&screens)
    , m_screens(screens)
    , m_lang(DefaultLang)
{
    for (const QString& name : DefaultNames) {
        Preset preset;
        preset.name = name;
        m_presets << preset;
    }
}

void GunControlScreen::setSave(bool dirty)
{
    if (m_isSave != dirty) {
        m_isSave = dirty;
        emit isSaveChanged();
    }
}

QStringList GunControlScreen::gunNames() const
{
    QStringList names;
    for (const Preset& preset : m_presets) {
        names << preset.name;
    }
    return names;
}

QVariantList GunControlScreen::selectGun() const
{
    return ScreenValues::toVariantList(m_selectGun);
}

void GunControlScreen::setLanguageTexts(const QStringList& texts)
{
    m_lang = ScreenValues::texts(DefaultLang, texts);
    emit languageChanged();
}

QVariantList GunControlScreen::slotPeriods() const
{
    QVariantList periods;
    for (int slot = 0; slot < SlotCount; ++slot) {
        periods << m_presets.at(m_selectGun.at(slot)).period;
    }
    return periods;
}

void GunControlScreen::init()
{
    const GunStore& guns = m_screens.guns();
    for (int i = 0; i < PresetCount; ++i) {
        const QVariantList stored = guns.getGunData(i);
        if (stored.size() < GunStore::PresetFields || stored.at(0).toString().isEmpty()) {
            continue;
        }
        Preset& preset = m_presets[i];
        preset.name = stored.at(0).toString();
        preset.key = stored.at(1).toString();
        preset.period = ScreenValues::toInt(stored.at(2), preset.period);
        preset.x = ScreenValues::toInt(stored.at(3), preset.x);
        preset.y = ScreenValues::toInt(stored.at(4), preset.y);
        preset.times = ScreenValues::toInt(stored.at(5), preset.times);
    }
    emit presetsChanged();
    const QList<int> chosen
        = ScreenValues::intList(m_screens.store().getGlobalData(SettingsKeys::SelectGun).toList(), {0, 1, 2});
    m_selectGun = {0, 1, 2};
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (chosen.at(slot) >= 0 && chosen.at(slot) < PresetCount) {
            m_selectGun[slot] = chosen.at(slot);
        }
    }
    m_currentSlot = 0;
    m_lastChoice = {};
    emit selectGunChanged();
    emit shownChanged();
}

QVariantList GunControlScreen::presetValues(int index) const
{
    const Preset& p = m_presets.at(index);
    return {p.name, p.key, p.period, p.x, p.y, p.times};
}

bool GunControlScreen::storePreset(int index)
{
    return m_screens.guns().mouseSaveGundata(index, presetValues(index));
}

void GunControlScreen::storeSelection()
{
    m_screens.store().setGlobalData(SettingsKeys::SelectGun, selectGun());
    emit selectGunChanged();
}

void GunControlScreen::sendData(int slot)
{
    if (slot < 0 || slot >= SlotCount) {
        return;
    }
    const Preset& p = m_presets.at(m_selectGun.at(slot));
    m_screens.operations().mouseSendGundata(slot + 1, {p.times, p.x, p.y});
}

bool GunControlScreen::resetData()
{
    m_selectGun = {0, 1, 2};
    storeSelection();
    const int corrections[SlotCount] = {5, 7, 8};
    // One write of the preset file: a reset runs on the GUI thread, and each write waits for the disk.
    QMap<QString, QVariantList> reset;
    for (int i = 0; i < SlotCount; ++i) {
        m_presets[i].y = corrections[i];
        m_presets[i].period = 9;
        reset.insert(QString::number(i), presetValues(i));
    }
    const bool stored = m_screens.guns().savePresets(reset);
    emit presetsChanged();
    m_currentSlot = 0;
    emit shownChanged();
    return stored;
}

void GunControlScreen::sendSlots()
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        sendData(slot);
    }
}

void GunControlScreen::close()
{
    if (!m_isSave) {
        return;
    }
    setSave(false);
    KeyMatrixScreen* keys = m_screens.keyMatrix();
    m_screens.main()->deliver(QStringLiteral("gun"), [this, keys] {
        sendSlots();
        keys->saveData();
    });
}

QStringList GunControlScreen::gunPictures() const
{
    // Pictures follow the position, so a renamed preset keeps its picture.
    QStringList pictures;
    for (const QString& name : DefaultNames) {
        pictures << name + QStringLiteral(".png");
    }
    return pictures;
}

QStringList GunControlScreen::slotNames() const
{
    QStringList names;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        names << m_lang.at(GunText) + QString::number(slot);
    }
    return names;
}

QStringList GunControlScreen::gunNumberModel() const
{
    QStringList names;
    for (int slot = 0; slot < SlotCount; ++slot) {
        names << m_presets.at(m_selectGun.at(slot)).name;
    }
    return names;
}

int GunControlScreen::markerOffset() const
{
    // Rounded up, so that the offset reads back as the same Y.
    return int(std::ceil(double(shown().y) * MarkerTravel / MaxY));
}

int GunControlScreen::rateKnob() const
{
    // A whole position: a fraction of the travel can land one pixel short, where the label reads
    // one less and a click on the knob takes that shorter period.
    return qBound(0, shown().period - MinPeriod, int(RateSteps));
}

void GunControlScreen::chooseSlot(int slot)
{
    if (slot >= 0 && slot < SlotCount && slot != m_currentSlot) {
        m_currentSlot = slot;
        emit shownChanged();
    }
}

void GunControlScreen::choosePreset(int index)
{
    if (index < 0 || index >= PresetCount) {
        return;
    }
    m_lastChoice = {m_currentSlot, index, m_selectGun.at(m_currentSlot), m_isSave};
    m_selectGun[m_currentSlot] = index;
    storeSelection();
    setSave(true);
    emit shownChanged();
}

void GunControlScreen::startRename(int index)
{
    // The first click of the double-click that starts a rename chose the preset for the slot: the
    // user asked for a rename only.
    const Choice last = m_lastChoice;
    m_lastChoice = {};
    if (last.preset != index || last.slot != m_currentSlot || m_selectGun.at(last.slot) != index) {
        return;
    }
    if (last.replaced != index) {
        m_selectGun[last.slot] = last.replaced;
        storeSelection();
        emit shownChanged();
    }
    setSave(last.wasDirty);
}

void GunControlScreen::editShown(int Preset::*field, int value)
{
    const int index = shownPreset();
    if (m_presets.at(index).*field == value) {
        return;
    }
    m_presets[index].*field = value;
    storePreset(index);
    setSave(true);
    emit shownChanged();
    emit presetsChanged();
}

void GunControlScreen::moveMarker(int offset)
{
    editShown(&Preset::y, qBound(0, offset, MarkerTravel) * MaxY / MarkerTravel);
}

void GunControlScreen::setY(int y)
{
    editShown(&Preset::y, qBound(0, y, MaxY));
}

void GunControlScreen::setTimes(int times)
{
    editShown(&Preset::times, qBound(0, times, WireSizes::MaxTimes));
}

void GunControlScreen::setEndless(bool endless)
{
    if (endless) {
        editShown(&Preset::times, 0);
    } else if (shown().times == 0) {
        editShown(&Preset::times, 1);
    }
}

int GunControlScreen::periodOfKnob(int position)
{
    return qBound(0, position, int(RateSteps)) + MinPeriod;
}

QString GunControlScreen::rateLabel(int position) const
{
    return QString::number(periodOfKnob(position)) + QStringLiteral("MS");
}

void GunControlScreen::releaseRate(int position)
{
    // The period is the number the label shows.
    setPeriod(periodOfKnob(position));
}

void GunControlScreen::setPeriod(int period)
{
    editShown(&Preset::period, qBound(int(MinPeriod), period, int(MaxPeriod)));
}

bool GunControlScreen::rename(int index, const QString& name)
{
    const QString trimmed = name.trimmed();
    if (index < 0 || index >= PresetCount || trimmed.isEmpty() || trimmed.contains(QLatin1Char('/'))
        || trimmed.contains(QLatin1Char('\\')) || gunNames().contains(trimmed)) {
        return false;
    }
    // The name is part of the position's record: nothing else of the file changes, so a name that
    // is itself a position ("3") cannot land on another preset's record.
    m_presets[index].name = trimmed;
    storePreset(index);
    m_screens.macros().updataNameList(MacroLibrary::GunNames, gunNames());
    emit presetsChanged();
    emit selectGunChanged();
    return true;
}
