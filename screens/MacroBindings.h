#ifndef QX7_MACROBINDINGS_H
#define QX7_MACROBINDINGS_H

#include <QString>

class PendingSends;
class Screens;

// The macro editor's changes carried to the buttons that run the macro: a changed macro goes to
// the mouse again, a renamed one keeps its buttons, a deleted one gives them back their factory
// function.
class MacroBindings
{
public:
    MacroBindings(Screens& screens, PendingSends& sends);

    // Sends the macro stored under `macroName` to slot `slot`, as a send of its own.
    void send(int slot, const QString& macroName);
    void resend(const QString& macroName);
    void rename(const QString& oldName, const QString& newName);
    void drop(const QString& macroName);

private:
    Screens& m_screens;
    PendingSends& m_sends;
};

#endif // QX7_MACROBINDINGS_H
