#ifndef QX7_KEYLABELTABLE_H
#define QX7_KEYLABELTABLE_H

#include <QList>
#include <QString>
#include <QStringList>

// Short labels for key usage codes (keyboard usages, modifiers 0xE0-0xE7, mouse buttons 0xF0-0xF4),
// as shown on buttons and stored in macros. The one table that the screens and the encoder share.
//
// Every code has a label of its own, so a stored label always leads back to its code: the non-US
// hash key 0x32 is "#~" and 0x89 is "Intl3". The backslash and "Intl2" stay with 0x31 and 0x88,
// the codes they always named, so macros stored with them load as before.
class KeyLabelTable
{
public:
    struct Entry
    {
        quint8 code;
        QString label;
    };

    static constexpr int EntryCount = 133;

    // The built-in labels.
    KeyLabelTable();
    // The built-in table with its labels replaced in order by the language list; entries beyond the
    // list keep their built-in labels.
    explicit KeyLabelTable(const QStringList& labels);

    static const KeyLabelTable& defaults();

    // First entry with the code; empty when none.
    QString label(int code) const;
    // First entry with the label; 0 when none or when the label is empty.
    quint8 code(const QString& label) const;

    const QList<Entry>& entries() const;

private:
    QList<Entry> m_entries;
};

#endif // QX7_KEYLABELTABLE_H
