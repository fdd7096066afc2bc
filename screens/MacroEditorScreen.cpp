#include "MacroEditorScreen.h"

#include "MacroLibrary.h"
#include "MainScreen.h"
#include "ScreenValues.h"
#include "Screens.h"
#include "StoreTools.h"

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

using Action = MacroEncoder::Action;

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

} // namespace

MacroEditorScreen::MacroEditorScreen(Screens& screens)
    : QObject(&screens)
    , m_screens(screens)
    , m_lang(DefaultLang)
    , m_catalog(screens)
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
    m_recorder.setClock(clock);
}

QVariantList MacroEditorScreen::actionItems() const
{
    QVariantList items;
    for (const Action& action : m_actions) {
        const bool press = action.type == Action::KeyPress || action.type == Action::MousePress;
        items << QVariantMap {{QStringLiteral("delay"), action.type == Action::Delay},
                              {QStringLiteral("press"), press},
                              {QStringLiteral("info"), action.info}};
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
    const int code = m_recorder.insertCode();
    return code ? m_screens.keyLabels().label(code) : QString();
}

int MacroEditorScreen::encodedLength() const
{
    return MacroEncoder::encodedLength(m_actions, m_repeat, m_screens.keyLabels());
}

void MacroEditorScreen::init()
{
    m_catalog.read();
    emit macroNamesChanged();
    selectMacro(macroNames().indexOf(selectedName()));
}

bool MacroEditorScreen::fitsBlock(const QString& macroName) const
{
    return m_catalog.encodedLength(macroName) <= MacroEncoder::BlockSize;
}

bool MacroEditorScreen::sendMacro(int slot, const QString& macroName)
{
    return m_catalog.send(slot, macroName);
}

void MacroEditorScreen::selectMacro(int index)
{
    stopRecord();
    cancelInsertKey();
    if (!m_catalog.has(index)) {
        index = -1;
    }
    m_selected = index;
    QList<Action> actions;
    int repeat = 1;
    if (index >= 0) {
        const MacroCatalog::Stored stored = m_catalog.load(m_catalog.name(index));
        repeat = qBound(1, stored.repeat, int(MaxRepeat));
        actions = stored.actions;
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

void MacroEditorScreen::showMessage(Text text)
{
    m_message = m_lang.value(text);
    emit messageChanged();
}

void MacroEditorScreen::newMacro()
{
    stopRecord();
    const int at = macroNames().size();
    added(m_catalog.create(), at);
}

QVariantList MacroEditorScreen::menuEntries(int index) const
{
    if (m_catalog.has(index)) {
        return {DeleteMenuText, ImportText, ExportText};
    }
    return {ImportText};
}

void MacroEditorScreen::importMacro()
{
    stopRecord();
    const int at = m_selected >= 0 ? m_selected : macroNames().size();
    added(m_catalog.import(at), at);
}

void MacroEditorScreen::added(MacroCatalog::Added result, int at)
{
    switch (result) {
        case MacroCatalog::Added::Done:
            emit macroNamesChanged();
            selectMacro(at);
            break;
        case MacroCatalog::Added::ListFull:
            showMessage(ListFullText);
            break;
        case MacroCatalog::Added::NotMacroFile:
            showMessage(NotMacroFileText);
            break;
        case MacroCatalog::Added::TooLong:
            showMessage(FullText);
            break;
        case MacroCatalog::Added::Cancelled:
            break;
    }
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
    if (!m_catalog.has(index)) {
        return false;
    }
    const QString oldName = m_catalog.name(index);
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
    if (m_catalog.isUsed(newName)) {
        showMessage(NameUsedText);
        return false;
    }
    stopRecord();
    MacroLibrary& macros = m_screens.macros();
    // A listed name without a file reads as an empty macro; with one it can be renamed.
    if (!macros.macroExists(oldName)) {
        macros.createMacroIni(oldName, 0);
    }
    emit modifyMacroName(oldName, newName);
    if (!macros.macroExists(newName)) {
        return false;
    }
    m_catalog.rename(index, newName);
    emit macroNamesChanged();
    if (index == m_selected) {
        emit selectedMacroChanged();
    }
    return true;
}

void MacroEditorScreen::removeMacro(int index)
{
    if (!m_catalog.has(index)) {
        return;
    }
    stopRecord();
    const QString name = m_catalog.name(index);
    m_screens.macros().deleteMacroIni(name);
    if (index == m_selected) {
        setActions({}, -1);
    }
    emit deleteMacro(name);
    m_catalog.removeAt(index);
    emit macroNamesChanged();
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

bool MacroEditorScreen::edit(const MacroActionEdits::Edit& candidate)
{
    if (m_selected < 0) {
        return false;
    }
    if (!fits(candidate.actions)) {
        showMessage(FullText);
        return false;
    }
    setActions(candidate.actions, candidate.selected);
    save();
    return true;
}

void MacroEditorScreen::save()
{
    if (m_selected < 0) {
        return;
    }
    const QString name = selectedName();
    m_catalog.save(name, m_actions, m_repeat);
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
    return edit(MacroActionEdits::removed(m_actions, index));
}

bool MacroEditorScreen::insertDelay(int index)
{
    return edit(MacroActionEdits::delayInserted(m_actions, index, InsertedDelayMs));
}

bool MacroEditorScreen::insertMouseKey(int index, int key)
{
    const QString label = mouseLabel(key);
    if (label.isEmpty()) {
        return false;
    }
    return edit(MacroActionEdits::mouseKeyInserted(m_actions, index, label));
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
    return edit(MacroActionEdits::delaySet(m_actions, index, ms));
}

void MacroEditorScreen::startInsertKey(int index)
{
    if (m_selected < 0 || m_recorder.recording()) {
        return;
    }
    if (m_recorder.startInsert(index)) {
        m_screens.captureKeys(this, true);
    }
    emit isInserttingChanged();
}

void MacroEditorScreen::endInsert()
{
    if (m_recorder.endInsert()) {
        m_screens.captureKeys(this, false);
        emit isInserttingChanged();
    }
}

bool MacroEditorScreen::confirmInsertKey()
{
    if (!m_recorder.inserting()) {
        return false;
    }
    const QString label = insertKeyLabel();
    const int index = m_recorder.insertAt();
    endInsert();
    if (label.isEmpty()) {
        return false;
    }
    return edit(MacroActionEdits::keyInserted(m_actions, index, label));
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
    if (m_selected < 0 || m_recorder.recording()) {
        return;
    }
    cancelInsertKey();
    setActions({}, -1);
    m_recorder.startRecording();
    m_screens.captureKeys(this, true);
    emit isInputtingChanged();
}

void MacroEditorScreen::stopRecord()
{
    if (!m_recorder.stopRecording()) {
        return;
    }
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
    return m_recorder.capturing() && m_selected >= 0;
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
    if (m_recorder.inserting()) {
        if (isDown && usbCode < FirstMouseCode) {
            m_recorder.takeInsertKey(usbCode);
            emit isInserttingChanged();
        }
        return;
    }
    const qint64 pause = !m_actions.isEmpty() && m_recordDelay ? m_recorder.pauseMs() : -1;
    const MacroActionEdits::Edit candidate
        = MacroActionEdits::keyRecorded(m_actions, pause, isDown, usbCode >= FirstMouseCode, label);
    if (!fits(candidate.actions)) {
        showMessage(FullText);
        return;
    }
    m_recorder.restartPause();
    setActions(candidate.actions, candidate.selected);
}
