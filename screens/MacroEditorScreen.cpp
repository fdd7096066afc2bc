#include "MacroEditorScreen.h"

#include "DeviceOperations.h"
#include "MacroLibrary.h"
#include "MainScreen.h"
#include "ScreenValues.h"
#include "Screens.h"
#include "StoreTools.h"
#include "TickClock.h"

#include <QVariantMap>

namespace {

const QStringList DefaultLang {
    QStringLiteral("Macro Editor"),
    QStringLiteral("Macro Name"),
    QStringLiteral("New"),
    QStringLiteral("Delete"),
    QStringLiteral("Action"),
    QStringLiteral("Stop Record"),
    QStringLiteral("Times"),
    QStringLiteral("OK"),
    QStringLiteral("Start Record"),
    QStringLiteral("Delay"),
    QStringLiteral("Delete"),
    QStringLiteral("Import"),
    QStringLiteral("Export"),
    QStringLiteral("Insert Delay"),
    QStringLiteral("Insert Key"),
    QStringLiteral("Insert Left Key"),
    QStringLiteral("Insert Middle Key"),
    QStringLiteral("Insert Right Key"),
    QString(),
    QString(),
    QStringLiteral("Not a macro file"),
    QStringLiteral("Full: the mouse keeps 128 bytes per macro"),
    QStringLiteral("That name is already in use"),
    QStringLiteral("The list holds 100 macros at most"),
    QStringLiteral("Press a key"),
    QStringLiteral("Cancel"),
    QStringLiteral("A file cannot have that name"),
};

const QString NamePrefix = QStringLiteral("Macro_");

using Action = MacroEncoder::Action;

Action makeAction(int type, const QString& info)
{
    Action action;
    action.type = type;
    action.info = info;
    return action;
}

QString mouseLabel(int key)
{
    switch (key) {
        case MacroEditorScreen::LeftKey:
            return QStringLiteral("MS-L");
        case MacroEditorScreen::MiddleKey:
            return QStringLiteral("MS-M");
        case MacroEditorScreen::RightKey:
            return QStringLiteral("MS-R");
        default:
            return {};
    }
}

QStringList storedTexts(const QList<Action>& actions)
{
    QStringList texts;
    for (const Action& action : actions) {
        texts << action.toStoredText();
    }
    return texts;
}

} // namespace

MacroEditorScreen::MacroEditorScreen(Screens& screens)
    : QObject(&screens)
    , m_screens(screens)
    , m_lang(DefaultLang)
    , m_ownClock(std::make_unique<TickClock>())
    , m_clock(m_ownClock.get())
{
}

MacroEditorScreen::~MacroEditorScreen() = default;

void MacroEditorScreen::setLanguageTexts(const QStringList& texts)
{
    m_lang = ScreenValues::texts(DefaultLang, texts);
    emit languageChanged();
}

void MacroEditorScreen::setClock(TickClock* clock)
{
    m_clock = clock ? clock : m_ownClock.get();
}

QVariantList MacroEditorScreen::actionItems() const
{
    QVariantList items;
    for (const Action& action : m_actions) {
        items << QVariantMap {{QStringLiteral("type"), action.type}, {QStringLiteral("info"), action.info}};
    }
    return items;
}

void MacroEditorScreen::setRecordDelay(bool record)
{
    if (m_recordDelay != record) {
        m_recordDelay = record;
        emit recordDelayChanged();
    }
}

QString MacroEditorScreen::insertKeyLabel() const
{
    return m_insertCode ? m_screens.keyLabels().label(m_insertCode) : QString();
}

int MacroEditorScreen::encodedLength() const
{
    return MacroEncoder::encodedLength(m_actions, m_repeat, m_screens.keyLabels());
}

void MacroEditorScreen::init()
{
    QStringList names;
    for (const QVariant& name : m_screens.macros().getNameList(MacroLibrary::MacroNames)) {
        names << name.toString();
    }
    if (names.size() == 2 && names.at(1) == MacroLibrary::FillerMarker) {
        names.removeLast();
    }
    names.removeAll(QString());
    names.removeDuplicates();
    m_names = names.mid(0, MaxMacros);
    emit macroNamesChanged();
    selectMacro(m_names.indexOf(selectedName()));
}

QByteArray MacroEditorScreen::encodeStored(const QString& macroName) const
{
    QStringList stored = m_screens.macros().loadMacroIni(macroName);
    // Each macro goes out with its own repeat count, whatever macro the editor shows.
    const int repeat = stored.isEmpty() ? 1 : ScreenValues::toInt(stored.takeLast(), 1);
    return MacroEncoder::deCode(MacroEncoder::parseActions(stored), repeat, m_screens.keyLabels());
}

bool MacroEditorScreen::fitsBlock(const QString& macroName) const
{
    return encodeStored(macroName).size() <= MacroEncoder::BlockSize;
}

bool MacroEditorScreen::sendMacro(int slot, const QString& macroName)
{
    // A name without a file reads as an empty macro, which would wipe the slot on the mouse.
    if (!m_screens.macros().macroExists(macroName)) {
        return false;
    }
    const QByteArray encoded = encodeStored(macroName);
    // Cut to the block, a longer macro would lose its end pair on the mouse.
    if (encoded.size() > MacroEncoder::BlockSize) {
        return false;
    }
    QVariantList bytes;
    for (char byte : encoded) {
        bytes << int(static_cast<unsigned char>(byte));
    }
    return m_screens.operations().mouseSendMacroData(bytes, slot).toBool();
}

void MacroEditorScreen::selectMacro(int index)
{
    stopRecord();
    cancelInsertKey();
    if (index < 0 || index >= m_names.size()) {
        index = -1;
    }
    m_selected = index;
    QList<Action> actions;
    int repeat = 1;
    if (index >= 0) {
        QStringList stored = m_screens.macros().loadMacroIni(m_names.at(index));
        if (!stored.isEmpty()) {
            repeat = qBound(1, ScreenValues::toInt(stored.takeLast(), 1), MaxRepeat);
            actions = MacroEncoder::parseActions(stored);
        }
    }
    emit selectedMacroChanged();
    if (m_repeat != repeat) {
        m_repeat = repeat;
        emit repeatCountChanged();
    }
    setActions(actions, -1);
}

void MacroEditorScreen::setActions(const QList<Action>& actions, int selected)
{
    m_actions = actions;
    emit actionsChanged();
    setSelectedAction(selected);
}

void MacroEditorScreen::setSelectedAction(int index)
{
    if (index < 0 || index >= m_actions.size()) {
        index = -1;
    }
    if (m_selectedAction != index) {
        m_selectedAction = index;
        emit selectedActionChanged();
    }
}

QString MacroEditorScreen::freeName() const
{
    // A file no list names would lose its actions to the new, empty macro.
    for (int n = 0; n < MaxMacros; ++n) {
        const QString name = NamePrefix + QString::number(n);
        if (!m_names.contains(name) && !m_screens.macros().macroExists(name)) {
            return name;
        }
    }
    return {};
}

void MacroEditorScreen::storeNames()
{
    m_screens.macros().updataNameList(MacroLibrary::MacroNames, m_names);
    emit macroNamesChanged();
}

void MacroEditorScreen::showMessage(Text text)
{
    m_message = m_lang.value(text);
    emit messageChanged();
}

void MacroEditorScreen::newMacro()
{
    stopRecord();
    const QString name = m_names.size() < MaxMacros ? freeName() : QString();
    if (name.isEmpty()) {
        showMessage(ListFullText);
        return;
    }
    m_screens.macros().createMacroIni(name, 0);
    m_names << name;
    storeNames();
    selectMacro(m_names.size() - 1);
}

QVariantList MacroEditorScreen::menuEntries(int index) const
{
    if (index >= 0 && index < m_names.size()) {
        return {DeleteMenuText, ImportText, ExportText};
    }
    return {ImportText};
}

void MacroEditorScreen::importMacro()
{
    stopRecord();
    const QString name = m_names.size() < MaxMacros ? freeName() : QString();
    if (name.isEmpty()) {
        showMessage(ListFullText);
        return;
    }
    MacroLibrary& macros = m_screens.macros();
    const MacroLibrary::ImportResult result = macros.importMacroFile(name);
    if (result == MacroLibrary::ImportResult::Cancelled) {
        return;
    }
    if (result == MacroLibrary::ImportResult::Refused) {
        showMessage(NotMacroFileText);
        return;
    }
    QStringList stored = macros.loadMacroIni(name);
    const int repeat = stored.isEmpty() ? 1 : ScreenValues::toInt(stored.takeLast(), 1);
    if (MacroEncoder::encodedLength(MacroEncoder::parseActions(stored), repeat, m_screens.keyLabels())
        > MacroEncoder::BlockSize) {
        macros.deleteMacroIni(name);
        showMessage(FullText);
        return;
    }
    const int at = m_selected >= 0 ? m_selected : m_names.size();
    m_names.insert(at, name);
    storeNames();
    selectMacro(at);
}

void MacroEditorScreen::exportMacro()
{
    if (m_selected >= 0) {
        stopRecord();
        bool chosen = false;
        if (!m_screens.macros().saveMacroFile(selectedName(), &chosen) && chosen) {
            m_screens.main()->showNotice(MainScreen::MacroExportFailedText);
        }
    }
}

bool MacroEditorScreen::renameMacro(int index, const QString& name)
{
    if (index < 0 || index >= m_names.size()) {
        return false;
    }
    const QString oldName = m_names.at(index);
    const QString newName = name.trimmed();
    if (newName == oldName) {
        return true;
    }
    if (newName.isEmpty()) {
        return false;
    }
    if (newName.size() > MaxNameLength || !StoreTools::isPlainFileName(newName)) {
        showMessage(BadNameText);
        return false;
    }
    MacroLibrary& macros = m_screens.macros();
    if (m_names.contains(newName) || newName == MacroLibrary::FillerMarker || macros.macroExists(newName)) {
        showMessage(NameUsedText);
        return false;
    }
    stopRecord();
    // A listed name without a file reads as an empty macro; with one it can be renamed.
    if (!macros.macroExists(oldName)) {
        macros.createMacroIni(oldName, 0);
    }
    emit modifyMacroName(oldName, newName);
    if (!macros.macroExists(newName)) {
        return false;
    }
    m_names[index] = newName;
    storeNames();
    if (index == m_selected) {
        emit selectedMacroChanged();
    }
    return true;
}

void MacroEditorScreen::removeMacro(int index)
{
    if (index < 0 || index >= m_names.size()) {
        return;
    }
    stopRecord();
    const QString name = m_names.at(index);
    m_screens.macros().deleteMacroIni(name);
    if (index == m_selected) {
        setActions({}, -1);
    }
    emit deleteMacro(name);
    m_names.removeAt(index);
    storeNames();
    if (index == m_selected) {
        m_selected = -1;
        emit selectedMacroChanged();
    } else if (index < m_selected) {
        --m_selected;
        emit selectedMacroChanged();
    }
}

bool MacroEditorScreen::fits(const QList<Action>& candidate) const
{
    const KeyLabelTable& keys = m_screens.keyLabels();
    const int length = MacroEncoder::encodedLength(candidate, m_repeat, keys);
    // A macro already too long (from an older file) may still be cut down.
    return length <= MacroEncoder::BlockSize || length <= MacroEncoder::encodedLength(m_actions, m_repeat, keys);
}

bool MacroEditorScreen::edit(const QList<Action>& candidate, int selected)
{
    if (m_selected < 0) {
        return false;
    }
    if (!fits(candidate)) {
        showMessage(FullText);
        return false;
    }
    setActions(candidate, selected);
    save();
    return true;
}

void MacroEditorScreen::save()
{
    if (m_selected < 0) {
        return;
    }
    const QString name = selectedName();
    MacroLibrary& macros = m_screens.macros();
    if (!macros.macroExists(name)) {
        macros.createMacroIni(name, 0);
    }
    macros.saveMacroIni(name, storedTexts(m_actions), m_repeat);
    emit modifyMacroData(name);
}

void MacroEditorScreen::selectAction(int index)
{
    setSelectedAction(index);
}

bool MacroEditorScreen::deleteAction(int index)
{
    if (index < 0 || index >= m_actions.size()) {
        return false;
    }
    QList<Action> candidate = m_actions;
    candidate.removeAt(index);
    return edit(candidate, -1);
}

bool MacroEditorScreen::insertDelay(int index)
{
    QList<Action> candidate = m_actions;
    const int at = index >= 0 && index < candidate.size() ? index : candidate.size();
    candidate.insert(at, makeAction(Action::Delay, QString::number(InsertedDelayMs)));
    return edit(candidate, at);
}

bool MacroEditorScreen::insertMouseKey(int index, int key)
{
    const QString label = mouseLabel(key);
    if (label.isEmpty()) {
        return false;
    }
    QList<Action> candidate = m_actions;
    const int at = index >= 0 && index < candidate.size() ? index + 1 : candidate.size();
    candidate.insert(at, makeAction(Action::MouseRelease, label));
    candidate.insert(at, makeAction(Action::MousePress, label));
    return edit(candidate, at);
}

bool MacroEditorScreen::setDelay(int index, const QString& milliseconds)
{
    if (index < 0 || index >= m_actions.size() || m_actions.at(index).type != Action::Delay) {
        return false;
    }
    bool ok = false;
    const int ms = milliseconds.trimmed().toInt(&ok);
    if (!ok || ms < 0 || ms > MaxDelayMs) {
        return false;
    }
    if (QString::number(ms) == m_actions.at(index).info) {
        return true;
    }
    QList<Action> candidate = m_actions;
    candidate[index].info = QString::number(ms);
    return edit(candidate, index);
}

void MacroEditorScreen::startInsertKey(int index)
{
    if (m_selected < 0 || m_isInputting) {
        return;
    }
    m_insertAt = index;
    m_insertCode = 0;
    if (!m_isInsertting) {
        m_isInsertting = true;
        m_screens.captureKeys(this, true);
    }
    emit isInserttingChanged();
}

void MacroEditorScreen::endInsert()
{
    if (m_isInsertting) {
        m_isInsertting = false;
        m_insertCode = 0;
        m_screens.captureKeys(this, false);
        emit isInserttingChanged();
    }
}

bool MacroEditorScreen::confirmInsertKey()
{
    if (!m_isInsertting) {
        return false;
    }
    const QString label = insertKeyLabel();
    const int index = m_insertAt;
    endInsert();
    if (label.isEmpty()) {
        return false;
    }
    QList<Action> candidate = m_actions;
    // Before the action, except after the last one.
    const int at = index >= 0 && index < candidate.size() - 1 ? index : candidate.size();
    candidate.insert(at, makeAction(Action::KeyRelease, label));
    candidate.insert(at, makeAction(Action::KeyPress, label));
    return edit(candidate, at);
}

void MacroEditorScreen::cancelInsertKey()
{
    endInsert();
}

void MacroEditorScreen::setRepeatCount(int count)
{
    const int repeat = qBound(1, count, MaxRepeat);
    if (m_repeat != repeat) {
        m_repeat = repeat;
        emit repeatCountChanged();
        save();
    }
}

void MacroEditorScreen::startRecord()
{
    if (m_selected < 0 || m_isInputting) {
        return;
    }
    cancelInsertKey();
    setActions({}, -1);
    m_clock->zero();
    m_isInputting = true;
    m_screens.captureKeys(this, true);
    emit isInputtingChanged();
}

void MacroEditorScreen::stopRecord()
{
    if (!m_isInputting) {
        return;
    }
    m_isInputting = false;
    m_screens.captureKeys(this, false);
    emit isInputtingChanged();
    save();
}

void MacroEditorScreen::close()
{
    cancelInsertKey();
    stopRecord();
}

bool MacroEditorScreen::capturesKeys() const
{
    return (m_isInputting || m_isInsertting) && m_selected >= 0;
}

void MacroEditorScreen::detectKeyboard(bool isDown, int usbCode)
{
    if (!capturesKeys()) {
        return;
    }
    const QString label = m_screens.keyLabels().label(usbCode);
    if (label.isEmpty()) {
        return;
    }
    if (m_isInsertting) {
        if (isDown && usbCode < FirstMouseCode) {
            m_insertCode = usbCode;
            emit isInserttingChanged();
        }
        return;
    }
    QList<Action> candidate = m_actions;
    if (!candidate.isEmpty() && m_recordDelay) {
        // A delay action holds at most 65535 ms; a longer pause takes several.
        qint64 ms = m_clock->ticks() * TickClock::TickMs;
        do {
            const qint64 part = qMin<qint64>(ms, MaxDelayMs);
            candidate << makeAction(Action::Delay, QString::number(part));
            ms -= part;
        } while (ms > 0);
    }
    const bool mouse = usbCode >= FirstMouseCode;
    const int type = isDown ? (mouse ? Action::MousePress : Action::KeyPress)
                            : (mouse ? Action::MouseRelease : Action::KeyRelease);
    candidate << makeAction(type, label);
    if (!fits(candidate)) {
        showMessage(FullText);
        return;
    }
    m_clock->zero();
    setActions(candidate, candidate.size() - 1);
}
