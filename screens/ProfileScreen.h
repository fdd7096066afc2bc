#ifndef QX7_PROFILESCREEN_H
#define QX7_PROFILESCREEN_H

#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>

class Screens;

// The user's named profiles: the list the profiles dialog edits and the top menu switches between.
// A profile's number is its position in the list once the list is tidy, so switching, importing and
// exporting by position all reach the profile's own file. Each step that moves files is written
// before the next, so a stop at any point leaves a list that names each profile's own file.
class ProfileScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList names READ names NOTIFY entriesChanged)
    Q_PROPERTY(int selected READ selected NOTIFY selectedChanged)
    Q_PROPERTY(bool canAdd READ canAdd NOTIFY entriesChanged)
    Q_PROPERTY(QString notice READ notice NOTIFY noticeChanged)
    Q_PROPERTY(QStringList profileLang READ profileLang NOTIFY languageChanged)
    Q_PROPERTY(int maxNameLength READ maxNameLength CONSTANT)

public:
    static constexpr int MaxEntries = 6;
    // What the name field of an entry takes.
    static constexpr int MaxNameLength = 24;
    static int maxNameLength() { return MaxNameLength; }
    // Names "profile_0" to "profile_11" are offered to new entries.
    static constexpr int NameNumbers = 12;

    // Indices into profileLang.
    enum Text {
        TitleText,
        NewText,
        ImportText,
        DeleteText,
        ExportText,
        StandardText,
        NotAProfileText,
        NotStoredText,
        NameUsedText = 12,
    };
    Q_ENUM(Text)

    struct Entry
    {
        QString name;
        int number = 0;
    };

    explicit ProfileScreen(Screens& screens);

    QStringList names() const;
    QList<Entry> entries() const { return m_entries; }
    int selected() const { return m_selected; }
    bool canAdd() const { return m_entries.size() < MaxEntries; }
    // Why the last action did nothing, for the dialog to show; empty when it worked.
    QString notice() const { return m_notice; }
    QStringList profileLang() const { return m_lang; }
    void setLanguageTexts(const QStringList& texts);

    // Reads the stored list; the first entry always carries the "Standard" text. Writes nothing: a
    // list whose numbers are not their positions, or a stored current profile that is not in the
    // list, is tidied just before the first change of any file.
    Q_INVOKABLE void init();
    // The entry of the current profile as init() chose it, and the slot that holds its file.
    int currentEntry() const { return m_currentEntry; }
    int currentSlot() const;
    // Highlights an entry in the dialog; switching is the top menu's.
    Q_INVOKABLE void select(int index);
    // A new entry filled from the defaults; nothing when the list is full.
    Q_INVOKABLE bool newProfile();
    // A new entry filled from a file the user picks; nothing when the list is full, the dialog is
    // cancelled or the file is not a profile.
    Q_INVOKABLE bool importProfile();
    // Neither the first entry nor the profile in use can be deleted.
    Q_INVOKABLE bool canDelete(int index) const;
    Q_INVOKABLE bool deleteProfile(int index);
    Q_INVOKABLE bool exportProfile(int index);
    // The first entry keeps its name; a name another entry has is refused.
    Q_INVOKABLE bool canRename(int index) const;
    Q_INVOKABLE bool rename(int index, const QString& name);

signals:
    void entriesChanged();
    void selectedChanged();
    void noticeChanged();
    void languageChanged();
    // A stored profile was renamed or deleted: what refers to it follows.
    void profileRenamed(int index, const QString& oldName, const QString& newName);
    void profileRemoved(int index);

protected:
    // False when the list could not be written.
    bool storeList();
    void setSelected(int index);
    void setNotice(const QString& notice);
    QString freeName() const;

    QList<Entry> m_entries;

private:
    QStringList listTexts() const;
    QStringList storedTexts() const;
    bool isTidy() const;
    // Brings every entry's number to its position, moving the files along (see the .cpp).
    bool renumber();
    // Renumbers, stores the list and the current profile's number; false at the first failure.
    bool tidy();
    // tidy() for the store to run before its first write.
    std::function<void()> tidyLater();
    bool append(const QString& name);
    int currentProfile() const;

    Screens& m_screens;
    // The entry of the current profile, while the list is tidied.
    int m_currentEntry = 0;
    QStringList m_lang;
    QString m_notice;
    int m_selected = 0;
};

#endif // QX7_PROFILESCREEN_H
