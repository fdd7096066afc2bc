#include "MacroBindings.h"

#include "ButtonFunction.h"
#include "ConfigStore.h"
#include "KeyMatrixScreen.h"
#include "MacroEditorScreen.h"
#include "MacroLibrary.h"
#include "PendingSends.h"
#include "Screens.h"

MacroBindings::MacroBindings(Screens& screens, PendingSends& sends)
    : m_screens(screens)
    , m_sends(sends)
{
}

void MacroBindings::send(int slot, const QString& macroName)
{
    MacroEditorScreen* editor = m_screens.macroEditor();
    m_sends.deliver(QStringLiteral("macro %1").arg(slot),
                    [editor, slot, macroName] { editor->sendMacro(slot, macroName); });
}

void MacroBindings::resend(const QString& macroName)
{
    KeyMatrixScreen* keys = m_screens.keyMatrix();
    QList<int> sent;
    for (int entry : keys->macroEntries(macroName)) {
        const int slot = keys->record(entry).param2();
        if (!sent.contains(slot)) {
            sent << slot;
            send(slot, macroName);
        }
    }
}

void MacroBindings::rename(const QString& oldName, const QString& newName)
{
    KeyMatrixScreen* keys = m_screens.keyMatrix();
    ConfigStore& store = m_screens.store();
    const QList<int> entries = keys->macroEntries(oldName);
    const auto bind = [&](const QString& name) {
        for (int entry : entries) {
            store.setData(ButtonFunction::macroNameKey(keys->record(entry).param2()), name);
        }
    };
    bind(newName);
    // A rename the file system refuses leaves the buttons on the old name.
    if (!m_screens.macros().modifyMacroNameUpdateProfile(oldName, newName).toBool()) {
        bind(oldName);
    }
    keys->refreshTexts();
}

void MacroBindings::drop(const QString& macroName)
{
    KeyMatrixScreen* keys = m_screens.keyMatrix();
    const QList<int> entries = keys->macroEntries(macroName);
    for (int entry : entries) {
        keys->restoreEntry(entry);
    }
    if (!entries.isEmpty()) {
        // The whole working matrix goes: nothing is left for Save to send.
        m_sends.deliver(
            QStringLiteral("keyMatrix"), [keys] { keys->saveData(); }, [keys] { keys->setSave(false); });
    }
    m_screens.macros().deleteMacroUpdateProfile(macroName);
}
