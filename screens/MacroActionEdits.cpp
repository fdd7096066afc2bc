#include "MacroActionEdits.h"

MacroActionEdits::Action MacroActionEdits::make(int type, const QString& info)
{
    Action action;
    action.type = type;
    action.info = info;
    return action;
}

MacroActionEdits::Edit MacroActionEdits::removed(const Actions& actions, int index)
{
    Actions edited = actions;
    edited.removeAt(index);
    return {edited, -1};
}

MacroActionEdits::Edit MacroActionEdits::delayInserted(const Actions& actions, int index, int ms)
{
    Actions edited = actions;
    const int at = index >= 0 && index < edited.size() ? index : edited.size();
    edited.insert(at, make(Action::Delay, QString::number(ms)));
    return {edited, at};
}

MacroActionEdits::Edit MacroActionEdits::mouseKeyInserted(const Actions& actions, int index, const QString& label)
{
    Actions edited = actions;
    const int at = index >= 0 && index < edited.size() ? index + 1 : edited.size();
    edited.insert(at, make(Action::MouseRelease, label));
    edited.insert(at, make(Action::MousePress, label));
    return {edited, at};
}

MacroActionEdits::Edit MacroActionEdits::keyInserted(const Actions& actions, int index, const QString& label)
{
    Actions edited = actions;
    const int at = index >= 0 && index < edited.size() - 1 ? index : edited.size();
    edited.insert(at, make(Action::KeyRelease, label));
    edited.insert(at, make(Action::KeyPress, label));
    return {edited, at};
}

MacroActionEdits::Edit MacroActionEdits::delaySet(const Actions& actions, int index, int ms)
{
    Actions edited = actions;
    edited[index].info = QString::number(ms);
    return {edited, index};
}

MacroActionEdits::Edit
MacroActionEdits::keyRecorded(const Actions& actions, qint64 pauseMs, bool isDown, bool isMouse, const QString& label)
{
    Actions edited = actions;
    if (pauseMs >= 0) {
        // A delay action holds at most 65535 ms; a longer pause takes several.
        qint64 ms = pauseMs;
        do {
            const qint64 part = qMin<qint64>(ms, MaxDelayMs);
            edited << make(Action::Delay, QString::number(part));
            ms -= part;
        } while (ms > 0);
    }
    const int type = isDown ? (isMouse ? Action::MousePress : Action::KeyPress)
                            : (isMouse ? Action::MouseRelease : Action::KeyRelease);
    edited << make(type, label);
    return {edited, int(edited.size()) - 1};
}
