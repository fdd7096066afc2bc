#ifndef QX7_PROFILESCREEN_H
#define QX7_PROFILESCREEN_H

#include <QList>
#include <QObject>
#include <QStringList>

class Screens;

// The user's named profiles: the list the profiles dialog edits and the top menu switches between.
class ProfileScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList names READ names NOTIFY entriesChanged)
    Q_PROPERTY(int selected READ selected NOTIFY selectedChanged)
    Q_PROPERTY(QStringList profileLang READ profileLang NOTIFY languageChanged)

public:
    static constexpr int MaxEntries = 6;

    struct Entry
    {
        QString name;
        int number = 0;
    };

    explicit ProfileScreen(Screens& screens);

    QStringList names() const;
    QList<Entry> entries() const { return m_entries; }
    int selected() const { return m_selected; }
    QStringList profileLang() const { return m_lang; }
    void setLanguageTexts(const QStringList& texts);

    // Reads the stored list; the first entry always carries the "Standard" text.
    Q_INVOKABLE void init();

signals:
    void entriesChanged();
    void selectedChanged();
    void languageChanged();

protected:
    void storeList();
    void setSelected(int index);

    QList<Entry> m_entries;

private:
    Screens& m_screens;
    QStringList m_lang;
    int m_selected = 0;
};

#endif // QX7_PROFILESCREEN_H
