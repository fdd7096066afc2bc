#ifndef QX7_MACROENCODER_H
#define QX7_MACROENCODER_H

#include "KeyLabelTable.h"
#include "WireSizes.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Turns a macro's action list into the bytes the mouse stores: the repeat count (high byte first),
// one pair per key event (delay that follows it, bit 7 for a release; key code), long delays as
// extra pairs, and the end pair 00 00.
class MacroEncoder
{
public:
    struct Action
    {
        enum Type { Delay = 0, KeyPress = 1, KeyRelease = 2, MousePress = 3, MouseRelease = 4 };
        int type = Delay;
        // Milliseconds as decimal text for a delay, otherwise a key label.
        QString info;

        // The stored form: the type digit, a comma, the info ("1,A").
        static Action fromStoredText(const QString& text);
        QString toStoredText() const;
    };

    // The mouse's macro block; encodings are zero-filled to it.
    static constexpr int BlockSize = WireSizes::Block;
    // The editors stop adding actions once an encoding is this long.
    static constexpr int EditLimit = 126;
    static constexpr int MaxRepeatCount = 0xFFFF;

    static QList<Action> parseActions(const QStringList& storedTexts);

    static QByteArray
    deCode(const QList<Action>& actions, int repeatCount, const KeyLabelTable& keys = KeyLabelTable::defaults());
    static int
    encodedLength(const QList<Action>& actions, int repeatCount, const KeyLabelTable& keys = KeyLabelTable::defaults());
};

#endif // QX7_MACROENCODER_H
