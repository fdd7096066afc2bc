#include "MacroCatalog.h"

#include "DeviceOperations.h"
#include "MacroLibrary.h"
#include "ScreenValues.h"
#include "Screens.h"

namespace {

const QString NamePrefix = QStringLiteral("Macro_");

} // namespace

MacroCatalog::MacroCatalog(Screens& screens)
    : m_screens(screens)
{
}

void MacroCatalog::read()
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
}

QString MacroCatalog::freeName() const
{
    if (m_names.size() >= MaxMacros) {
        return {};
    }
    // A file no list names would lose its actions to the new, empty macro.
    for (int n = 0; n < MaxMacros; ++n) {
        const QString name = NamePrefix + QString::number(n);
        if (!m_names.contains(name) && !m_screens.macros().macroExists(name)) {
            return name;
        }
    }
    return {};
}

MacroCatalog::Added MacroCatalog::create()
{
    const QString name = freeName();
    if (name.isEmpty()) {
        return Added::ListFull;
    }
    m_screens.macros().createMacroIni(name, 0);
    insert(m_names.size(), name);
    return Added::Done;
}

MacroCatalog::Added MacroCatalog::import(int at)
{
    const QString name = freeName();
    if (name.isEmpty()) {
        return Added::ListFull;
    }
    MacroLibrary& macros = m_screens.macros();
    const MacroLibrary::ImportResult result = macros.importMacroFile(name);
    if (result == MacroLibrary::ImportResult::Cancelled) {
        return Added::Cancelled;
    }
    if (result == MacroLibrary::ImportResult::Refused) {
        return Added::NotMacroFile;
    }
    if (encodedLength(name) > MacroEncoder::BlockSize) {
        macros.deleteMacroIni(name);
        return Added::TooLong;
    }
    insert(at, name);
    return Added::Done;
}

bool MacroCatalog::isUsed(const QString& name) const
{
    return m_names.contains(name) || name == MacroLibrary::FillerMarker || m_screens.macros().macroExists(name);
}

void MacroCatalog::insert(int at, const QString& name)
{
    m_names.insert(at, name);
    store();
}

void MacroCatalog::rename(int index, const QString& name)
{
    m_names[index] = name;
    store();
}

void MacroCatalog::removeAt(int index)
{
    m_names.removeAt(index);
    store();
}

void MacroCatalog::store()
{
    m_screens.macros().updataNameList(MacroLibrary::MacroNames, m_names);
}

MacroCatalog::Stored MacroCatalog::load(const QString& name) const
{
    QStringList texts = m_screens.macros().loadMacroIni(name);
    Stored stored;
    if (!texts.isEmpty()) {
        stored.repeat = ScreenValues::toInt(texts.takeLast(), 1);
        stored.actions = MacroEncoder::parseActions(texts);
    }
    return stored;
}

void MacroCatalog::save(const QString& name, const QList<MacroEncoder::Action>& actions, int repeat)
{
    MacroLibrary& macros = m_screens.macros();
    if (!macros.macroExists(name)) {
        macros.createMacroIni(name, 0);
    }
    QStringList texts;
    for (const MacroEncoder::Action& action : actions) {
        texts << action.toStoredText();
    }
    macros.saveMacroIni(name, texts, repeat);
}

QByteArray MacroCatalog::encode(const QString& name) const
{
    // Each macro goes out with its own repeat count, whatever macro the editor shows.
    const Stored stored = load(name);
    return MacroEncoder::deCode(stored.actions, stored.repeat, m_screens.keyLabels());
}

int MacroCatalog::encodedLength(const QString& name) const
{
    return encode(name).size();
}

bool MacroCatalog::send(int slot, const QString& name) const
{
    // A name without a file reads as an empty macro, which would wipe the slot on the mouse.
    if (!m_screens.macros().macroExists(name)) {
        return false;
    }
    const QByteArray encoded = encode(name);
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
