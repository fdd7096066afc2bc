#include "KeyLabelTable.h"

namespace {

QList<KeyLabelTable::Entry> builtInEntries()
{
    QList<KeyLabelTable::Entry> e;
    e.reserve(KeyLabelTable::EntryCount);
    auto add = [&e](int code, const QString& label) { e.append({static_cast<quint8>(code), label}); };
    auto addRange = [&add](int first, int last, const QString& prefix, int firstNumber) {
        for (int code = first; code <= last; ++code) {
            add(code, prefix + QString::number(firstNumber + code - first));
        }
    };

    for (int code = 0x04; code <= 0x1D; ++code) {
        add(code, QString(QChar('A' + code - 0x04)));
    }
    addRange(0x1E, 0x26, QString(), 1);
    add(0x27, QStringLiteral("0"));
    const char* const block28[] = {
        "Enter", "Esc", "Back", "Tab", "Space", "-", "=", "[", "]", "\\", "#~", ";", "'", "`", ",", ".", "/", "Caps"};
    int code = 0x28;
    for (const char* label : block28) {
        add(code++, QString::fromLatin1(label));
    }
    addRange(0x3A, 0x45, QStringLiteral("F"), 1);
    const char* const block46[] = {"Prt", "Scr", "Pau", "Ins", "Hom", "Pgu", "Del", "End", "PgD"};
    code = 0x46;
    for (const char* label : block46) {
        add(code++, QString::fromLatin1(label));
    }
    add(0x4F, QString(QChar(0x2192)));
    add(0x50, QString(QChar(0x2190)));
    add(0x51, QString(QChar(0x2193)));
    add(0x52, QString(QChar(0x2191)));
    const char* const block53[] = {"Num", "KP/", "KP*", "KP-", "KP+", "KPEnter"};
    code = 0x53;
    for (const char* label : block53) {
        add(code++, QString::fromLatin1(label));
    }
    addRange(0x59, 0x61, QStringLiteral("KP"), 1);
    const char* const block62[] = {"KP0", "KP.", "Eur2", "App", "Power", "KP="};
    code = 0x62;
    for (const char* label : block62) {
        add(code++, QString::fromLatin1(label));
    }
    addRange(0x68, 0x73, QStringLiteral("F"), 13);
    add(0x85, QStringLiteral("Keypad"));
    add(0x87, QStringLiteral("Intl1"));
    add(0x88, QStringLiteral("Intl2"));
    add(0x89, QStringLiteral("Intl3"));
    add(0x8A, QStringLiteral("Intl4"));
    add(0x8B, QStringLiteral("Intl5"));
    add(0x90, QStringLiteral("Lang1"));
    add(0x91, QStringLiteral("Lang2"));
    const char* const modifiers[] = {"LCtrl", "LShift", "LAlt", "LWin", "RCtrl", "RShift", "RAlt", "RWin"};
    code = 0xE0;
    for (const char* label : modifiers) {
        add(code++, QString::fromLatin1(label));
    }
    const char* const mouse[] = {"MS-L", "MS-R", "MS-M", "MS-B4", "MS-B5"};
    code = 0xF0;
    for (const char* label : mouse) {
        add(code++, QString::fromLatin1(label));
    }
    Q_ASSERT(e.size() == KeyLabelTable::EntryCount);
    return e;
}

} // namespace

KeyLabelTable::KeyLabelTable()
    : m_entries(builtInEntries())
{
}

KeyLabelTable::KeyLabelTable(const QStringList& labels)
    : KeyLabelTable()
{
    const int n = qMin(labels.size(), m_entries.size());
    for (int i = 0; i < n; ++i) {
        m_entries[i].label = labels.at(i);
    }
}

const KeyLabelTable& KeyLabelTable::defaults()
{
    static const KeyLabelTable table;
    return table;
}

QString KeyLabelTable::label(int code) const
{
    for (const Entry& e : m_entries) {
        if (e.code == code) {
            return e.label;
        }
    }
    return {};
}

quint8 KeyLabelTable::code(const QString& label) const
{
    // A language list may blank labels; an empty text names no key.
    if (label.isEmpty()) {
        return 0;
    }
    for (const Entry& e : m_entries) {
        if (e.label == label) {
            return e.code;
        }
    }
    return 0;
}

const QList<KeyLabelTable::Entry>& KeyLabelTable::entries() const
{
    return m_entries;
}
