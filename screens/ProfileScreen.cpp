#include "ProfileScreen.h"

#include "ConfigStore.h"
#include "MacroLibrary.h"
#include "MainScreen.h"
#include "ScreenValues.h"
#include "Screens.h"
#include "SettingsKeys.h"
#include "StoreTools.h"

#include <QPointer>

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
    QStringLiteral("That name is already in use"),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
};

// The entry whose number is `stored`; else the one with the highest number below it, which a
// delete was moving down when it stopped (or the last entry, for a number past the end); else the
// first entry.
int chooseCurrent(const QList<ProfileScreen::Entry>& entries, int stored)
{
    int best = -1;
    for (int i = 0; i < entries.size(); ++i) {
        const int number = entries.at(i).number;
        if (number == stored) {
            return i;
        }
        if (number < stored && (best < 0 || number > entries.at(best).number)) {
            best = i;
        }
    }
    return qMax(0, best);
}

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
    ConfigStore& store = m_screens.store();
    const QStringList texts = storedTexts();
    m_entries.clear();
    for (const QString& text : std::as_const(texts)) {
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
    m_entries.first().name = m_lang.at(StandardText);
    // The stored current profile, clamped to the list: a number no entry carries is one a delete
    // was moving down when it stopped, or one past the end.
    m_currentEntry = chooseCurrent(m_entries, store.getGlobalData(SettingsKeys::ProfileNo).toInt());
    setNotice(QString());
    emit entriesChanged();
    setSelected(m_currentEntry);
    // Start-up writes nothing: a list that needs tidying is tidied before the first change.
    if (texts != listTexts() || !isTidy()
        || store.getGlobalData(SettingsKeys::ProfileNo).toString() != QString::number(currentSlot())) {
        store.setBeforeFirstWrite(tidyLater());
    }
}

int ProfileScreen::currentSlot() const
{
    return m_entries.value(m_currentEntry).number;
}

bool ProfileScreen::isTidy() const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).number != i) {
            return false;
        }
    }
    return true;
}

std::function<void()> ProfileScreen::tidyLater()
{
    // The store may outlive the screens.
    return [self = QPointer<ProfileScreen>(this)] {
        if (self) {
            self->tidy();
        }
    };
}

bool ProfileScreen::tidy()
{
    ConfigStore& store = m_screens.store();
    const QString currentKey = SettingsKeys::ProfileNo;
    if (!renumber()) {
        return false;
    }
    if (storedTexts() != listTexts() && !storeList()) {
        return false;
    }
    return store.getGlobalData(currentKey).toString() == QString::number(currentSlot())
           || store.setGlobalData(currentKey, currentSlot());
}

bool ProfileScreen::renumber()
{
    // One file at a time, each step written before the next: the file is copied to its new slot,
    // the list stored with the entry's new number, then the current profile follows. Stopped at
    // any point, the stored list names each profile's own file. A slot another entry still names is
    // never written over: that entry goes to a free slot first.
    ConfigStore& store = m_screens.store();
    const auto holder = [this](int slot, int except) {
        for (int j = 0; j < m_entries.size(); ++j) {
            if (j != except && m_entries.at(j).number == slot) {
                return j;
            }
        }
        return -1;
    };
    const auto moveTo = [&](int entry, int slot) {
        const int from = m_entries.at(entry).number;
        // A file that is missing or no settings file moves as the defaults.
        const bool moved = StoreTools::isSettingsFile(store.paths().profile(from)) ? store.copyProfile(slot, from)
                                                                                   : store.resetProfile(slot);
        if (!moved) {
            return false;
        }
        m_entries[entry].number = slot;
        if (!storeList()) {
            return false;
        }
        if (entry == m_currentEntry) {
            store.setCurrentProfile(slot);
            return store.setGlobalData(SettingsKeys::ProfileNo, slot);
        }
        return true;
    };
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).number == i) {
            continue;
        }
        for (int other = holder(i, i); other >= 0; other = holder(i, i)) {
            int spare = ConfigStore::SlotCount - 1;
            while (spare >= 0 && (holder(spare, -1) >= 0 || spare == i)) {
                --spare;
            }
            if (spare < 0 || !moveTo(other, spare)) {
                return false;
            }
        }
        if (!moveTo(i, i)) {
            return false;
        }
    }
    return true;
}

QStringList ProfileScreen::storedTexts() const
{
    QStringList texts;
    for (const QVariant& text : m_screens.macros().getNameList(MacroLibrary::ProfileNames)) {
        texts << text.toString();
    }
    if (texts.size() == 2 && texts.at(1) == MacroLibrary::FillerMarker) {
        texts.removeLast();
    }
    return texts;
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
    if (!storeList()) {
        setNotice(m_lang.at(NotStoredText));
    }
    return true;
}

bool ProfileScreen::newProfile()
{
    setNotice(QString());
    if (!canAdd()) {
        return false;
    }
    // The slot may still hold a deleted profile: it is filled before the entry appears.
    m_screens.store().prepareWrite();
    if (!isTidy() || !m_screens.store().resetProfile(int(m_entries.size()))) {
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
    m_screens.store().prepareWrite();
    if (!isTidy()) {
        setNotice(m_lang.at(NotStoredText));
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
    return index > 0 && index < m_entries.size() && index != currentProfile();
}

bool ProfileScreen::deleteProfile(int index)
{
    setNotice(QString());
    if (!canDelete(index)) {
        return false;
    }
    // A list still to be tidied is tidied first, so that each step below starts from a stored list.
    m_screens.store().prepareWrite();
    int current = currentProfile();
    const Entry removed = m_entries.takeAt(index);
    // First the list without the entry, every other entry still naming its own file.
    if (!storeList()) {
        m_entries.insert(index, removed);
        setNotice(m_lang.at(NotStoredText));
        return false;
    }
    if (current > index) {
        m_screens.main()->moveCurrentProfile(--current);
    }
    m_currentEntry = current;
    emit entriesChanged();
    if (m_selected >= index) {
        setSelected(qMax(0, m_selected == index ? index - 1 : m_selected - 1));
    }
    // Then each later file one slot down; a stop half-way is finished at the next change.
    if (!renumber()) {
        setNotice(m_lang.at(NotStoredText));
        m_screens.store().setBeforeFirstWrite(tidyLater());
    }
    emit profileRemoved(index);
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
    setNotice(QString());
    const QString trimmed = name.trimmed();
    if (!canRename(index) || trimmed.isEmpty() || trimmed == m_entries.at(index).name) {
        return false;
    }
    if (names().contains(trimmed)) {
        setNotice(m_lang.at(NameUsedText));
        return false;
    }
    const QString oldName = m_entries.at(index).name;
    m_entries[index].name = trimmed;
    emit entriesChanged();
    if (!storeList()) {
        setNotice(m_lang.at(NotStoredText));
    }
    emit profileRenamed(index, oldName, trimmed);
    return true;
}

QStringList ProfileScreen::listTexts() const
{
    QStringList texts;
    for (const Entry& entry : m_entries) {
        texts << entry.name + QString::number(entry.number);
    }
    return texts;
}

bool ProfileScreen::storeList()
{
    m_screens.store().prepareWrite();
    return m_screens.macros().updataNameList(MacroLibrary::ProfileNames, listTexts()).toBool();
}
