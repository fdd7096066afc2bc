#include "MacroEditorScreen.h"

#include "DeviceOperations.h"
#include "MacroEncoder.h"
#include "MacroLibrary.h"
#include "ScreenValues.h"
#include "Screens.h"

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
};

} // namespace

MacroEditorScreen::MacroEditorScreen(Screens& screens)
    : QObject(&screens)
    , m_screens(screens)
    , m_lang(DefaultLang)
{
}

void MacroEditorScreen::setLanguageTexts(const QStringList& texts)
{
    m_lang = ScreenValues::texts(DefaultLang, texts);
    emit languageChanged();
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
    m_names = names.mid(0, MaxMacros);
    emit macroNamesChanged();
}

bool MacroEditorScreen::sendMacro(int slot, const QString& macroName)
{
    QStringList stored = m_screens.macros().loadMacroIni(macroName);
    // Each macro goes out with its own repeat count, whatever macro the editor shows.
    const int repeat = stored.isEmpty() ? 1 : ScreenValues::toInt(stored.takeLast(), 1);
    const QByteArray encoded = MacroEncoder::deCode(MacroEncoder::parseActions(stored), repeat, m_screens.keyLabels());
    QVariantList bytes;
    for (char byte : encoded) {
        bytes << int(static_cast<unsigned char>(byte));
    }
    return m_screens.operations().mouseSendMacroData(bytes, slot).toBool();
}

void MacroEditorScreen::detectKeyboard(bool isDown, int usbCode)
{
    Q_UNUSED(isDown);
    Q_UNUSED(usbCode);
}
