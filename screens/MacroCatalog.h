#ifndef QX7_MACROCATALOG_H
#define QX7_MACROCATALOG_H

#include "MacroEncoder.h"

#include <QList>
#include <QStringList>

class Screens;

// The macros the editor lists: their names in the list's order, kept in the name list, and what
// each macro's file holds; the one path by which a stored macro reaches the mouse.
class MacroCatalog
{
public:
    static constexpr int MaxMacros = 100;

    // A macro's file: its actions and the repeat count it ends with (1 when it has none).
    struct Stored
    {
        QList<MacroEncoder::Action> actions;
        int repeat = 1;
    };

    explicit MacroCatalog(Screens& screens);

    const QStringList& names() const { return m_names; }
    QString name(int index) const { return m_names.value(index); }
    bool has(int index) const { return index >= 0 && index < m_names.size(); }

    // Reads the names from the name list.
    void read();
    // What became of a macro to be added.
    enum class Added { Done, ListFull, Cancelled, NotMacroFile, TooLong };

    // A new, empty macro at the end of the list, under a name no entry and no file uses.
    Added create();
    // A macro imported from a file the user chooses, listed at `at`; one the mouse's block cannot
    // hold is not kept.
    Added import(int at);
    // Whether `name` may not name another macro: listed, reserved or a file already.
    bool isUsed(const QString& name) const;
    // The list's edits, each kept in the name list at once.
    void insert(int at, const QString& name);
    void rename(int index, const QString& name);
    void removeAt(int index);

    Stored load(const QString& name) const;
    // Keeps the actions and repeat count in the macro's file, made when it is missing.
    void save(const QString& name, const QList<MacroEncoder::Action>& actions, int repeat);
    // The length of the stored macro as the mouse takes it.
    int encodedLength(const QString& name) const;
    bool send(int slot, const QString& name) const;

private:
    QString freeName() const;
    QByteArray encode(const QString& name) const;
    void store();

    Screens& m_screens;
    QStringList m_names;
};

#endif // QX7_MACROCATALOG_H
