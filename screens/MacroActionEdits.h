#ifndef QX7_MACROACTIONEDITS_H
#define QX7_MACROACTIONEDITS_H

#include "MacroEncoder.h"

#include <QList>
#include <QString>

// The edits of a macro's action list, each giving the list it would become and the action to
// select in it; whether the result still fits the mouse is the editor's to judge.
class MacroActionEdits
{
public:
    using Action = MacroEncoder::Action;
    using Actions = QList<Action>;

    struct Edit
    {
        Actions actions;
        int selected = -1;
    };

    static constexpr int MaxDelayMs = 65535;

    static Edit removed(const Actions& actions, int index);
    // A delay of `ms` at `index`, or at the end for an index outside the list.
    static Edit delayInserted(const Actions& actions, int index, int ms);
    // A press and release of `label` after `index`, or at the end.
    static Edit mouseKeyInserted(const Actions& actions, int index, const QString& label);
    // A press and release of `label` before `index`, except after the last action.
    static Edit keyInserted(const Actions& actions, int index, const QString& label);
    static Edit delaySet(const Actions& actions, int index, int ms);
    // A key transition recorded after a pause of `pauseMs` (none when negative): the pause as
    // delays of at most MaxDelayMs, then the transition.
    static Edit keyRecorded(const Actions& actions, qint64 pauseMs, bool isDown, bool isMouse, const QString& label);

private:
    static Action make(int type, const QString& info);
};

#endif // QX7_MACROACTIONEDITS_H
