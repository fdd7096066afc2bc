#include "ProfileScreen.h"

#include "MacroLibrary.h"
#include "MainScreen.h"
#include "ScreenValues.h"
#include "Screens.h"

namespace {

const QStringList DefaultLang {
    QStringLiteral("config"),
    QStringLiteral("New"),
    QStringLiteral("Import"),
    QStringLiteral("Delete"),
    QStringLiteral("Export"),
    QStringLiteral("Standard"),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
};
constexpr int StandardText = 5;

} // namespace

ProfileScreen::ProfileScreen(Screens& screens)
    : QObject(&screens)
    , m_screens(screens)
    , m_lang(DefaultLang)
{
}

QStringList ProfileScreen::names() const
{
    QStringList list;
    for (const Entry& entry : m_entries) {
        list << entry.name;
    }
    return list;
}

void ProfileScreen::setLanguageTexts(const QStringList& texts)
{
    m_lang = ScreenValues::texts(DefaultLang, texts);
    emit languageChanged();
}

void ProfileScreen::setSelected(int index)
{
    if (m_selected != index) {
        m_selected = index;
        emit selectedChanged();
    }
}

void ProfileScreen::init()
{
    QStringList stored;
    for (const QVariant& text : m_screens.macros().getNameList(MacroLibrary::ProfileNames)) {
        stored << text.toString();
    }
    if (stored.size() == 2 && stored.at(1) == MacroLibrary::FillerMarker) {
        stored.removeLast();
    }
    m_entries.clear();
    // The current profile is unknown until start-up has chosen it.
    const int current = m_screens.main() && m_screens.main()->isPownOn() ? m_screens.main()->profileNo() : -1;
    int selected = 0;
    for (const QString& text : stored) {
        bool ok = false;
        const int number = text.right(1).toInt(&ok);
        if (!ok || m_entries.size() == MaxEntries) {
            continue;
        }
        if (number == current) {
            selected = int(m_entries.size());
        }
        m_entries.append({text.left(text.size() - 1), number});
    }
    if (m_entries.isEmpty()) {
        m_entries.append({QString(), 0});
    }
    m_entries.first().name = m_lang.at(StandardText);
    emit entriesChanged();
    setSelected(selected);
    storeList();
}

void ProfileScreen::storeList()
{
    QStringList texts;
    for (const Entry& entry : m_entries) {
        texts << entry.name + QString::number(entry.number);
    }
    m_screens.macros().updataNameList(MacroLibrary::ProfileNames, texts);
}
