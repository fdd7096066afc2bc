#include "KeyAssigmentScreen.h"

#include "KeyMatrixScreen.h"
#include "MacroEditorScreen.h"
#include "MacroLibrary.h"
#include "ScreenValues.h"
#include "Screens.h"

#include <algorithm>
#include <optional>

namespace {

const QStringList DefaultLang {
    QStringLiteral("Key "),
    QStringLiteral("Mouse Function"),
    QStringLiteral("Left Key"),
    QStringLiteral("Middle Key"),
    QStringLiteral("Right Key"),
    QStringLiteral("Forward Key"),
    QStringLiteral("Back Key"),
    QStringLiteral("Double Fire"),
    QStringLiteral("Fire Function"),
    QStringLiteral("Key Value"),
    QStringLiteral("Click Input"),
    QStringLiteral("Rate"),
    QStringLiteral("Times"),
    QStringLiteral("Endness"),
    QStringLiteral("Group Function"),
    QStringLiteral("Media Function"),
    QStringLiteral("Macro Function"),
    QStringLiteral("Macro Editor"),
    QStringLiteral("Macro runs one-time after pressing the button"),
    QStringLiteral("Macro runs endless loop until any button is pressed"),
    QStringLiteral("Macro runs endless loop until button is released"),
    QStringLiteral("DPI Function"),
    QStringLiteral("DPI+"),
    QStringLiteral("DPI-"),
    QStringLiteral("DPI LOOP"),
    QStringLiteral("Windows Function"),
    QStringLiteral("Shortcut Function"),
    QStringLiteral("Player"),
    QStringLiteral("Next"),
    QStringLiteral("Privous"),
    QStringLiteral("Stop"),
    QStringLiteral("Mute"),
    QStringLiteral("Play/Pause"),
    QStringLiteral("Volumn+"),
    QStringLiteral("Volumn-"),
    QStringLiteral("My PC"),
    QStringLiteral("Index"),
    QStringLiteral("Search"),
    QStringLiteral("Max"),
    QStringLiteral("Min"),
    QStringLiteral("Desktop"),
    QStringLiteral("Run"),
    QStringLiteral("New"),
    QStringLiteral("Cut"),
    QStringLiteral("Copy"),
    QStringLiteral("Paste"),
    QStringLiteral("Save"),
    QStringLiteral("Print"),
    QStringLiteral("Find"),
    QStringLiteral("Redo"),
    QStringLiteral("Undo"),
    QStringLiteral("Select All"),
    QStringLiteral("Gun Function"),
    QStringLiteral("One Gun"),
    QStringLiteral("Two Gun"),
    QStringLiteral("Three Gun"),
    QStringLiteral("Sniper Key"),
    QStringLiteral("%1 is the only left button and keeps it, so that the mouse can always click. Give another "
                   "button the left button first."),
    QString(),
    QString(),
};

// Where each group's title and fixed choices stand in the language list.
struct GroupTexts
{
    int title;
    QList<int> choices;
};

const QList<GroupTexts>& groupTexts()
{
    static const QList<GroupTexts> groups {
        {1, {2, 3, 4, 5, 6, 7}},
        {8, {}},
        {14, {}},
        {15, {27, 28, 29, 30, 31, 32, 33, 34}},
        {25, {35, 36, 37, 38, 39, 40, 41}},
        {26, {42, 43, 44, 45, 46, 47, 48, 49, 50, 51}},
        {16, {}},
        {21, {22, 23, 24, 56}},
        {52, {53, 54, 55}},
    };
    return groups;
}

constexpr int FirstChoiceText = 2;
constexpr int MacroModeTexts[] = {18, 19, 20};
constexpr int FirstModifier = 0xE0;
constexpr int LastModifier = 0xE7;

// The record of a fixed choice, found by its default label.
std::optional<ButtonFunction> choiceRecord(int group, int index)
{
    if (group < 0 || group >= KeyAssigmentScreen::GroupCount) {
        return std::nullopt;
    }
    const QList<int>& choices = groupTexts().at(group).choices;
    if (index < 0 || index >= choices.size()) {
        return std::nullopt;
    }
    const QString& label = DefaultLang.at(choices.at(index));
    for (const ButtonFunction::FixedChoice& choice : ButtonFunction::fixedChoices()) {
        if (choice.label == label) {
            return ButtonFunction(choice.bytes);
        }
    }
    return std::nullopt;
}

} // namespace

KeyAssigmentScreen::KeyAssigmentScreen(Screens& screens)
    : QObject(&screens)
    , m_screens(screens)
    , m_lang(DefaultLang)
    , m_groupText(DefaultLang.at(ClickInputText))
{
}

KeyAssigmentScreen::~KeyAssigmentScreen() = default;

void KeyAssigmentScreen::setLanguageTexts(const QStringList& texts)
{
    m_lang = ScreenValues::texts(DefaultLang, texts);
    if (m_combination.isEmpty() && m_capture != CombinationCapture) {
        m_groupText = m_lang.at(ClickInputText);
        emit groupTextChanged();
    }
    emit languageChanged();
    emit titleChanged();
    emit fireChanged();
}

QString KeyAssigmentScreen::choiceText(const QString& defaultLabel) const
{
    if (defaultLabel.isEmpty()) {
        return defaultLabel;
    }
    const int at = DefaultLang.indexOf(defaultLabel, FirstChoiceText);
    return at < 0 ? defaultLabel : m_lang.value(at);
}

QString KeyAssigmentScreen::title() const
{
    return m_lang.at(KeyText) + QString::number(m_index + 1) + QStringLiteral(" : ") + m_text;
}

int KeyAssigmentScreen::groupOf(const ButtonFunction& record)
{
    switch (record.type()) {
        case ButtonFunction::MouseButton:
            return MouseGroup;
        case ButtonFunction::Fire:
            return FireGroup;
        case ButtonFunction::KeyCombination:
            return CombinationGroup;
        case ButtonFunction::Media:
            return MediaGroup;
        case ButtonFunction::Macro:
            return MacroGroup;
        case ButtonFunction::Dpi:
            return DpiGroup;
        case ButtonFunction::WindowsFunction:
            return WindowsGroup;
        case ButtonFunction::Shortcut:
            return ShortcutGroup;
        case ButtonFunction::Gun:
            return GunGroup;
        default:
            return -1;
    }
}

QStringList KeyAssigmentScreen::groupTitles() const
{
    QStringList titles;
    for (const GroupTexts& group : groupTexts()) {
        titles << m_lang.at(group.title);
    }
    return titles;
}

QVariantList KeyAssigmentScreen::choiceLabels() const
{
    QVariantList groups;
    for (const GroupTexts& group : groupTexts()) {
        QStringList labels;
        for (int text : group.choices) {
            labels << m_lang.at(text);
        }
        groups << labels;
    }
    return groups;
}

QVariantList KeyAssigmentScreen::choiceIndexes() const
{
    QVariantList indexes;
    for (int group = 0; group < GroupCount; ++group) {
        int selected = -1;
        for (int i = 0; i < groupTexts().at(group).choices.size() && selected < 0; ++i) {
            if (choiceRecord(group, i) == m_record) {
                selected = i;
            }
        }
        indexes << selected;
    }
    return indexes;
}

QStringList KeyAssigmentScreen::macroNames() const
{
    return m_screens.macroEditor()->macroNames();
}

int KeyAssigmentScreen::macroChoice() const
{
    return m_record.type() == ButtonFunction::Macro ? macroNames().indexOf(m_text) : -1;
}

QStringList KeyAssigmentScreen::macroModeLabels() const
{
    QStringList labels;
    for (int text : MacroModeTexts) {
        labels << m_lang.at(text);
    }
    return labels;
}

QString KeyAssigmentScreen::fireText() const
{
    return m_record.type() == ButtonFunction::Fire ? m_text : m_lang.at(ClickInputText);
}

QString KeyAssigmentScreen::rateText() const
{
    // The label shows the slider's start as written until the slider is first moved.
    return m_rateMoved ? QString::number(m_rate) + QStringLiteral("MS") : QStringLiteral("10ms");
}

void KeyAssigmentScreen::init()
{
    setCapture(NoCapture);
    m_index = -1;
    setWorking(ButtonFunction(), QString());
    loadFields();
}

QString KeyAssigmentScreen::lastLeftButtonText(int index) const
{
    return m_lang.at(LastLeftButtonText).arg(m_lang.at(KeyText) + QString::number(index + 1));
}

void KeyAssigmentScreen::clearNotice()
{
    if (!m_notice.isEmpty()) {
        m_notice.clear();
        emit noticeChanged();
    }
}

bool KeyAssigmentScreen::openButton(int index)
{
    setCapture(NoCapture);
    clearNotice();
    KeyMatrixScreen* keys = m_screens.keyMatrix();
    if (!keys->select(index)) {
        if (keys->isLastLeftButton(index)) {
            m_notice = lastLeftButtonText(index);
            emit noticeChanged();
        }
        return false;
    }
    m_index = index;
    setWorking(keys->record(index), keys->text(index));
    loadFields();
    setPage(std::max(recordGroup(), 0));
    return true;
}

void KeyAssigmentScreen::close()
{
    setCapture(NoCapture);
    if (m_index < 0) {
        return;
    }
    KeyMatrixScreen* keys = m_screens.keyMatrix();
    keys->commit(m_index, m_record, m_text);
    keys->clearSelection();
    m_index = -1;
    emit recordChanged();
    emit titleChanged();
}

void KeyAssigmentScreen::restore()
{
    if (m_index < 0) {
        return;
    }
    KeyMatrixScreen* keys = m_screens.keyMatrix();
    if (m_text == keys->defaultText(m_index)) {
        return;
    }
    setCapture(NoCapture);
    keys->restoreEntry(m_index);
    setWorking(keys->record(m_index), keys->text(m_index));
    loadFields();
}

void KeyAssigmentScreen::setWorking(const ButtonFunction& record, const QString& text)
{
    m_record = record;
    m_text = text;
    emit recordChanged();
    emit titleChanged();
    emit fireChanged();
}

void KeyAssigmentScreen::loadFields()
{
    const bool fire = m_record.type() == ButtonFunction::Fire;
    if (fire) {
        m_rate = m_record.param2();
        m_rateMoved = true;
        m_times = m_record.param3();
    } else {
        m_rate = DefaultRate;
        m_rateMoved = false;
        m_times = 0;
    }
    // A stored fire record is shown as it is: times 0 is endless fire.
    m_endless = fire && m_times == 0;
    emit fireChanged();

    const int mode = m_record.type() == ButtonFunction::Macro ? m_record.param1() : 0;
    m_macroMode = mode < MacroModes ? mode : 0;
    emit macroModeChanged();

    m_combination = Combination();
    m_groupText = m_record.type() == ButtonFunction::KeyCombination ? m_text : m_lang.at(ClickInputText);
    emit groupTextChanged();
}

void KeyAssigmentScreen::setRecord(const ButtonFunction& record, const QString& macroName)
{
    setCapture(NoCapture);
    setWorking(record, record.type() == ButtonFunction::Macro ? macroName : m_screens.keyMatrix()->textFor(record));
    loadFields();
}

void KeyAssigmentScreen::choose(int group, int index)
{
    const std::optional<ButtonFunction> record = choiceRecord(group, index);
    if (record && m_index >= 0) {
        setCapture(NoCapture);
        setWorking(*record, m_screens.keyMatrix()->textFor(*record));
    }
}

void KeyAssigmentScreen::setCapture(Capture capture)
{
    if (m_capture == capture) {
        return;
    }
    m_capture = capture;
    m_screens.captureKeys(this, capture != NoCapture);
    emit captureChanged();
}

void KeyAssigmentScreen::setPage(int group)
{
    if (group < 0 || group >= GroupCount) {
        return;
    }
    endCapture();
    if (m_page != group) {
        m_page = group;
        emit pageChanged();
    }
}

void KeyAssigmentScreen::endCapture()
{
    setCapture(NoCapture);
}

void KeyAssigmentScreen::startFireCapture()
{
    if (m_index >= 0) {
        setCapture(FireCapture);
    }
}

quint8 KeyAssigmentScreen::fireCount() const
{
    return static_cast<quint8>(m_endless ? 0 : m_times);
}

void KeyAssigmentScreen::updateFire()
{
    if (m_record.type() == ButtonFunction::Fire) {
        setWorking(ButtonFunction(ButtonFunction::Fire, m_record.param1(), static_cast<quint8>(m_rate), fireCount()),
                   m_text);
    } else {
        emit fireChanged();
    }
}

void KeyAssigmentScreen::setRatePosition(int position)
{
    m_rate = std::clamp(position, 0, int(RateSteps)) + MinRate;
    m_rateMoved = true;
    updateFire();
}

void KeyAssigmentScreen::setTimes(int times)
{
    m_times = std::clamp(times, 0, int(WireSizes::MaxTimes));
    updateFire();
}

void KeyAssigmentScreen::setTimesText(const QString& text)
{
    setTimes(ScreenValues::toInt(text, 0));
}

void KeyAssigmentScreen::setEndless(bool endless)
{
    m_endless = endless;
    updateFire();
}

void KeyAssigmentScreen::startCombinationCapture()
{
    if (m_index < 0) {
        return;
    }
    m_combination = Combination();
    m_groupText.clear();
    emit groupTextChanged();
    setCapture(CombinationCapture);
}

void KeyAssigmentScreen::confirmCombination()
{
    setCapture(NoCapture);
    if (m_combination.isEmpty()) {
        return;
    }
    const ButtonFunction record(ButtonFunction::KeyCombination,
                                m_combination.modifiers,
                                m_combination.keys.value(0),
                                m_combination.keys.value(1));
    setWorking(record, m_screens.keyMatrix()->textFor(record));
}

void KeyAssigmentScreen::clearCombination()
{
    setCapture(NoCapture);
    m_combination = Combination();
    m_groupText = m_lang.at(ClickInputText);
    emit groupTextChanged();
}

void KeyAssigmentScreen::chooseMacro(int index)
{
    const QStringList names = macroNames();
    if (m_index < 0 || index < 0 || index >= names.size()) {
        return;
    }
    setCapture(NoCapture);
    setWorking(ButtonFunction(ButtonFunction::Macro, static_cast<quint8>(m_macroMode), static_cast<quint8>(m_index), 0),
               names.at(index));
}

void KeyAssigmentScreen::setMacroMode(int mode)
{
    if (mode < 0 || mode >= MacroModes) {
        return;
    }
    m_macroMode = mode;
    emit macroModeChanged();
    if (m_record.type() == ButtonFunction::Macro) {
        setWorking(
            ButtonFunction(ButtonFunction::Macro, static_cast<quint8>(mode), m_record.param2(), m_record.param3()),
            m_text);
    }
}

void KeyAssigmentScreen::detectKeyboard(bool isDown, int usbCode)
{
    const quint8 code = static_cast<quint8>(usbCode);
    if (m_capture == FireCapture) {
        // The first event counts, press or release.
        setCapture(NoCapture);
        const ButtonFunction record(ButtonFunction::Fire, code, static_cast<quint8>(m_rate), fireCount());
        setWorking(record, m_screens.keyMatrix()->textFor(record));
        return;
    }
    if (m_capture != CombinationCapture || !isDown) {
        return;
    }
    if (code >= FirstModifier && code <= LastModifier) {
        const quint8 bit = static_cast<quint8>(1u << (code - FirstModifier));
        if (m_combination.modifiers & bit) {
            return;
        }
        m_combination.modifiers |= bit;
    } else {
        if (m_combination.keys.size() >= MaxCombinationKeys || m_combination.keys.contains(code)) {
            return;
        }
        m_combination.keys << code;
    }
    const QString label = m_screens.keyLabels().label(code);
    if (!label.isEmpty()) {
        m_groupText += (m_groupText.isEmpty() ? QString() : QStringLiteral(" + ")) + label;
    }
    emit groupTextChanged();
}

bool KeyAssigmentScreen::holdsMacro(const QString& macroName) const
{
    return m_index >= 0 && m_record.type() == ButtonFunction::Macro && m_text == macroName;
}

void KeyAssigmentScreen::macroRenamed(const QString& oldName, const QString& newName)
{
    // A rename the file system refused leaves the macro under its old name.
    if (holdsMacro(oldName) && m_screens.macros().macroExists(newName)) {
        setWorking(m_record, newName);
    }
}

void KeyAssigmentScreen::macroDeleted(const QString& macroName)
{
    if (holdsMacro(macroName)) {
        // Back to what the button does now; a binding to the macro went back to the default.
        KeyMatrixScreen* keys = m_screens.keyMatrix();
        setWorking(keys->record(m_index), keys->text(m_index));
        loadFields();
    }
}
