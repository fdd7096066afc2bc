#include "KeyMatrixScreen.h"

#include "ConfigStore.h"
#include "DeviceOperations.h"
#include "GunControlScreen.h"
#include "KeyAssigmentScreen.h"
#include "MacroEditorScreen.h"
#include "MacroLibrary.h"
#include "MainScreen.h"
#include "ScreenValues.h"
#include "Screens.h"

#include <algorithm>

namespace {

const QStringList DefaultLang {QStringLiteral("Key "), QStringLiteral("Key Function")};

} // namespace

KeyMatrixScreen::KeyMatrixScreen(Screens& screens)
    : QObject(&screens)
    , m_screens(screens)
    , m_records(ButtonFunction::builtInMatrix())
    , m_defaults(m_records)
    , m_lang(DefaultLang)
{
    for (const ButtonFunction& record : m_records) {
        m_texts << textFor(record);
    }
    m_defaultTexts = m_texts;
}

void KeyMatrixScreen::setSave(bool dirty)
{
    if (m_isSave != dirty) {
        m_isSave = dirty;
        emit isSaveChanged();
    }
}

QStringList KeyMatrixScreen::keyTexts() const
{
    return m_texts;
}

QStringList KeyMatrixScreen::rowTitles() const
{
    QStringList titles;
    for (int n = 1; n <= Rows; ++n) {
        titles << m_lang.at(KeyText) + QString::number(n);
    }
    return titles;
}

void KeyMatrixScreen::setLanguageTexts(const QStringList& texts)
{
    m_lang = ScreenValues::texts(DefaultLang, texts);
    emit languageChanged();
}

ButtonFunction KeyMatrixScreen::record(int entry) const
{
    return m_records.value(entry);
}

ButtonFunction KeyMatrixScreen::defaultRecord(int entry) const
{
    return m_defaults.value(entry);
}

QString KeyMatrixScreen::text(int entry) const
{
    return m_texts.value(entry);
}

QString KeyMatrixScreen::defaultText(int entry) const
{
    return m_defaultTexts.value(entry);
}

QString KeyMatrixScreen::textFor(const ButtonFunction& record, bool isRecovery) const
{
    const ConfigStore& store = m_screens.store();
    const QString text = record.keyCodeToString(
        [&store, isRecovery](const QString& key) { return store.getData(key, isRecovery).toString(); },
        m_screens.keyLabels());
    // Key names and macro names are shown as they are; the fixed choices in the dialog's language.
    switch (record.type()) {
        case ButtonFunction::Fire:
        case ButtonFunction::KeyCombination:
        case ButtonFunction::Macro:
            return text;
        default:
            return m_screens.keyAssigment() ? m_screens.keyAssigment()->choiceText(text) : text;
    }
}

bool KeyMatrixScreen::isLastLeftButton(int entry) const
{
    int count = 0;
    for (const ButtonFunction& record : m_records) {
        count += record.isLeftButton() ? 1 : 0;
    }
    return count == 1 && record(entry).isLeftButton();
}

bool KeyMatrixScreen::select(int entry)
{
    const int selected = isEntry(entry) && !isLastLeftButton(entry) ? entry : -1;
    if (m_selectKey != selected) {
        m_selectKey = selected;
        emit selectKeyChanged();
    }
    return selected >= 0;
}

void KeyMatrixScreen::clearSelection()
{
    select(-1);
}

void KeyMatrixScreen::bindMacro(const ButtonFunction& record, const QString& name)
{
    if (record.type() != ButtonFunction::Macro) {
        return;
    }
    if (!name.isEmpty()) {
        m_screens.main()->sendMacro(record.param2(), name);
    }
    m_screens.store().setData(ButtonFunction::macroNameKey(record.param2()), name);
}

void KeyMatrixScreen::commit(int entry, const ButtonFunction& record, const QString& text)
{
    // A macro the library does not hold would bind the button to nothing.
    if (!isEntry(entry) || (record.type() == ButtonFunction::Macro && !m_screens.macros().macroExists(text))) {
        return;
    }
    if (record != m_records.at(entry)) {
        m_records[entry] = record;
        m_texts[entry] = text;
        setSave(true);
        emit matrixChanged();
    }
    // A macro goes to the mouse on its own, not with the matrix; another name on the same slot
    // leaves the record as it was.
    if (record.type() == ButtonFunction::Macro) {
        bindMacro(record, text);
        if (m_texts.at(entry) != text) {
            m_texts[entry] = text;
            emit matrixChanged();
        }
    }
}

void KeyMatrixScreen::restoreEntry(int entry)
{
    if (!isEntry(entry)) {
        return;
    }
    m_records[entry] = m_defaults.at(entry);
    m_texts[entry] = m_defaultTexts.at(entry);
    bindMacro(m_records.at(entry), m_texts.at(entry));
    setSave(true);
    emit matrixChanged();
}

void KeyMatrixScreen::restoreAll()
{
    for (int entry = 0; entry < Entries; ++entry) {
        restoreEntry(entry);
    }
}

void KeyMatrixScreen::init(bool isSendData, bool isRecovery)
{
    DeviceOperations& ops = m_screens.operations();
    m_records.clear();
    m_defaults.clear();
    m_texts.clear();
    m_defaultTexts.clear();
    for (int entry = 0; entry < Entries; ++entry) {
        m_records << ButtonFunction::fromList(ops.mouseGetKeydefine(entry, isRecovery));
        m_defaults << ButtonFunction::fromList(ops.mouseGetKeydefine(entry, true));
        m_texts << textFor(m_records.last(), isRecovery);
        m_defaultTexts << textFor(m_defaults.last(), true);
    }
    // A profile that gives no button the left button (written by hand, or imported) would leave
    // the user nothing to click with: the button that has it by default gets it back.
    if (std::none_of(m_records.begin(), m_records.end(), [](const ButtonFunction& r) { return r.isLeftButton(); })) {
        int entry = 0;
        while (entry < Entries && !m_defaults.at(entry).isLeftButton()) {
            ++entry;
        }
        entry = entry < Entries ? entry : 0;
        m_records[entry] = ButtonFunction(ButtonFunction::MouseButton, 0, ButtonFunction::LeftButtonCode, 0);
        m_texts[entry] = textFor(m_records.at(entry));
        // Not in the profile yet: Save (or the send below) stores it.
        setSave(!isSendData);
    }
    emit matrixChanged();
    if (isSendData) {
        saveData();
    }
}

QVariantList KeyMatrixScreen::matrixNumbers() const
{
    QVariantList numbers;
    for (const ButtonFunction& record : m_records) {
        numbers += record.toList();
    }
    return numbers;
}

void KeyMatrixScreen::saveData()
{
    m_screens.operations().mouseSetKeyMatrix(matrixNumbers(), true, m_screens.gunControl()->slotPeriods());
}

QList<int> KeyMatrixScreen::macroEntries(const QString& name) const
{
    const ConfigStore& store = m_screens.store();
    QList<int> entries;
    for (int entry = 0; entry < m_records.size(); ++entry) {
        const ButtonFunction& record = m_records.at(entry);
        if (record.type() == ButtonFunction::Macro
            && store.getData(ButtonFunction::macroNameKey(record.param2()), false).toString() == name) {
            entries << entry;
        }
    }
    return entries;
}

void KeyMatrixScreen::refreshTexts()
{
    for (int entry = 0; entry < m_records.size(); ++entry) {
        m_texts[entry] = textFor(m_records.at(entry));
    }
    emit matrixChanged();
}
