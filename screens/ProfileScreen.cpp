#include "ProfileScreen.h"

#include "ConfigStore.h"
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
    QStringLiteral("This file is not a profile; nothing was changed."),
    QStringLiteral("The profile files could not be written; nothing was changed."),
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

int ProfileScreen::currentProfile() const
{
    // The current profile is unknown until start-up has chosen it.
    return m_screens.main() && m_screens.main()->isPownOn() ? m_screens.main()->profileNo() : -1;
}

void ProfileScreen::setNotice(const QString& notice)
{
    if (m_notice != notice) {
        m_notice = notice;
        emit noticeChanged();
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
    for (const QString& text : stored) {
        bool ok = false;
        const int number = text.right(1).toInt(&ok);
        if (!ok || m_entries.size() == MaxEntries) {
            continue;
        }
        m_entries.append({text.left(text.size() - 1), number});
    }
    if (m_entries.isEmpty()) {
        m_entries.append({QString(), 0});
    }
    renumber();
    m_entries.first().name = m_lang.at(StandardText);
    // Before start-up has chosen the current profile, the stored choice stands for it.
    const int current = currentProfile() >= 0
                            ? currentProfile()
                            : m_screens.store().getGlobalData(QStringLiteral("mouse/profileNo")).toInt();
    int selected = 0;
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).number == current) {
            selected = i;
        }
    }
    setNotice(QString());
    emit entriesChanged();
    setSelected(selected);
    storeList();
}

void ProfileScreen::renumber()
{
    // A list written elsewhere may number its profiles apart from their positions: each file is
    // copied to the slot of its position, and the stored current profile follows its file.
    ConfigStore& store = m_screens.store();
    const QString currentKey = QStringLiteral("mouse/profileNo");
    const int current = store.getGlobalData(currentKey).toInt();
    int currentEntry = -1;
    for (int i = 0; i < m_entries.size() && currentEntry < 0; ++i) {
        currentEntry = m_entries.at(i).number == current ? i : -1;
    }
    const auto isUsed = [this](int slot) {
        bool used = slot < m_entries.size();
        for (const Entry& entry : m_entries) {
            used = used || entry.number == slot;
        }
        return used;
    };
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).number == i) {
            continue;
        }
        // A later entry keeps its file in this slot: it moves to a free slot first.
        bool slotFree = true;
        for (int j = i + 1; j < m_entries.size(); ++j) {
            if (m_entries.at(j).number != i) {
                continue;
            }
            int spare = ConfigStore::SlotCount - 1;
            while (spare >= 0 && isUsed(spare)) {
                --spare;
            }
            if (spare >= 0 && store.copyProfile(spare, i)) {
                m_entries[j].number = spare;
            } else {
                slotFree = false;
            }
        }
        if (slotFree && store.copyProfile(i, m_entries.at(i).number)) {
            m_entries[i].number = i;
        }
    }
    if (currentEntry >= 0 && m_entries.at(currentEntry).number != current) {
        store.setGlobalData(currentKey, m_entries.at(currentEntry).number);
    }
}

void ProfileScreen::select(int index)
{
    if (index >= 0 && index < m_entries.size()) {
        setSelected(index);
    }
}

QString ProfileScreen::freeName() const
{
    const QStringList used = names();
    for (int n = 0; n < NameNumbers; ++n) {
        const QString name = QStringLiteral("profile_%1").arg(n);
        if (!used.contains(name)) {
            return name;
        }
    }
    return QString();
}

bool ProfileScreen::append(const QString& name)
{
    m_entries.append({name, int(m_entries.size())});
    emit entriesChanged();
    setSelected(int(m_entries.size()) - 1);
    storeList();
    return true;
}

bool ProfileScreen::newProfile()
{
    setNotice(QString());
    if (!canAdd()) {
        return false;
    }
    // The slot may still hold a deleted profile: it is filled before the entry appears.
    if (!m_screens.store().resetProfile(int(m_entries.size()))) {
        setNotice(m_lang.at(NotStoredText));
        return false;
    }
    return append(freeName());
}

bool ProfileScreen::importProfile()
{
    setNotice(QString());
    if (!canAdd()) {
        return false;
    }
    bool chosen = false;
    if (!m_screens.store().loadProfile(int(m_entries.size()), &chosen)) {
        if (chosen) {
            setNotice(m_lang.at(NotAProfileText));
        }
        return false;
    }
    return append(freeName());
}

bool ProfileScreen::canDelete(int index) const
{
    return index > 0 && index < m_entries.size() && m_entries.at(index).number != currentProfile();
}

bool ProfileScreen::closeGap(int index)
{
    ConfigStore& store = m_screens.store();
    const int last = int(m_entries.size()) - 1;
    if (index == last) {
        return true;
    }
    // The deleted profile is kept in the first slot past the list until every move has worked.
    const int spare = last + 1;
    if (!store.copyProfile(spare, index)) {
        return false;
    }
    int moved = index;
    while (moved < last && store.copyProfile(moved, moved + 1)) {
        ++moved;
    }
    if (moved == last) {
        return true;
    }
    // Slots index..moved-1 hold the next profile each; each goes back one slot up.
    for (int slot = moved - 1; slot >= index; --slot) {
        store.copyProfile(slot + 1, slot);
    }
    store.copyProfile(index, spare);
    return false;
}

bool ProfileScreen::deleteProfile(int index)
{
    setNotice(QString());
    if (!canDelete(index)) {
        return false;
    }
    const int current = currentProfile();
    if (!closeGap(index)) {
        setNotice(m_lang.at(NotStoredText));
        return false;
    }
    m_entries.removeAt(index);
    for (int i = index; i < m_entries.size(); ++i) {
        m_entries[i].number = i;
    }
    if (current > index) {
        m_screens.main()->moveCurrentProfile(current - 1);
    }
    emit entriesChanged();
    if (m_selected >= index) {
        setSelected(qMax(0, m_selected == index ? index - 1 : m_selected - 1));
    }
    storeList();
    return true;
}

bool ProfileScreen::exportProfile(int index)
{
    setNotice(QString());
    if (index < 0 || index >= m_entries.size()) {
        return false;
    }
    bool chosen = false;
    if (!m_screens.store().saveProfile(m_entries.at(index).number, &chosen)) {
        if (chosen) {
            m_screens.main()->showNotice(MainScreen::ProfileExportFailedText);
        }
        return false;
    }
    return true;
}

bool ProfileScreen::canRename(int index) const
{
    return index > 0 && index < m_entries.size();
}

bool ProfileScreen::rename(int index, const QString& name)
{
    const QString trimmed = name.trimmed();
    if (!canRename(index) || trimmed.isEmpty() || names().contains(trimmed)) {
        return false;
    }
    m_entries[index].name = trimmed;
    emit entriesChanged();
    storeList();
    return true;
}

void ProfileScreen::storeList()
{
    QStringList texts;
    for (const Entry& entry : m_entries) {
        texts << entry.name + QString::number(entry.number);
    }
    m_screens.macros().updataNameList(MacroLibrary::ProfileNames, texts);
}
