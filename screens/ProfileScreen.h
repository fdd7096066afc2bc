#ifndef QX7_PROFILESCREEN_H
#define QX7_PROFILESCREEN_H

#include <QList>
#include <QObject>
#include <QStringList>

class Screens;

// The user's named profiles: the list the profiles dialog edits and the top menu switches between.
// A profile's number is always its position in the list, so switching, importing and exporting by
// position all reach the profile's own file.
class ProfileScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList names READ names NOTIFY entriesChanged)
    Q_PROPERTY(int selected READ selected NOTIFY selectedChanged)
    Q_PROPERTY(bool canAdd READ canAdd NOTIFY entriesChanged)
    Q_PROPERTY(QString notice READ notice NOTIFY noticeChanged)
    Q_PROPERTY(QStringList profileLang READ profileLang NOTIFY languageChanged)

public:
    static constexpr int MaxEntries = 6;
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

    // Reads the stored list; the first entry always carries the "Standard" text.
    Q_INVOKABLE void init();
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

protected:
    void storeList();
    void setSelected(int index);
    void setNotice(const QString& notice);
    QString freeName() const;
    // Moves the files of the profiles after `index` one slot down, over the file of `index`. On a
    // failed copy every file is put back and false is returned.
    bool closeGap(int index);

    QList<Entry> m_entries;

private:
    // Brings every entry's number to its position, moving the files along.
    void renumber();
    bool append(const QString& name);
    int currentProfile() const;

    Screens& m_screens;
    QStringList m_lang;
    QString m_notice;
    int m_selected = 0;
};

#endif // QX7_PROFILESCREEN_H
