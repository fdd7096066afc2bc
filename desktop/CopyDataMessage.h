#ifndef QX7_COPYDATAMESSAGE_H
#define QX7_COPYDATAMESSAGE_H

#include <QString>
#include <QtGlobal>

// Text messages other processes send to the program's windows (WM_COPYDATA), shown in a warning box.
class CopyDataMessage
{
public:
    static constexpr quintptr Tag = 0x250F;

    // The text of a message block: only with our tag, and only when the block is exactly UTF-8 text
    // without a NUL byte.
    static bool decode(quintptr tag, const void* data, quint32 size, QString& text);

#ifdef Q_OS_WIN
    // InputHook's WM_COPYDATA callback; context is the main widget, whose title the box takes.
    static void onCopyData(const void* copyData, void* context);
#endif
};

#endif // QX7_COPYDATAMESSAGE_H
