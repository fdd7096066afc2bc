#include "MacroEncoder.h"

#include <iterator>
#include <limits>

namespace {

constexpr quint8 ReleaseBit = 0x80;
constexpr quint8 DelayMask = 0x7F;
// Delays are counted in 10 ms units; sums from 127 units on need the long form.
constexpr qint64 MsPerUnit = 10;
constexpr qint64 LongDelayFromMs = 127 * MsPerUnit;

struct LongDelayStep
{
    qint64 belowMs;
    quint8 unit;
    qint64 msPerCount;
};

// 20 ms steps below 100000 units, 50 ms below 300000, 100 ms below 600000.
constexpr LongDelayStep LongDelaySteps[] = {
    {100000 * MsPerUnit, 1, 20},
    {300000 * MsPerUnit, 2, 50},
    {600000 * MsPerUnit, 3, 100},
};
constexpr quint16 MaxLongCount = 0xFFFF;

// Keeps absurd stored delays from overflowing the sum; far beyond anything the cap lets through.
constexpr qint64 MaxDelaySumMs = std::numeric_limits<qint64>::max() / 4;

struct Event
{
    quint8 code;
    bool release;
    qint64 delayAfterMs;
};

bool isRelease(int type)
{
    return type == MacroEncoder::Action::KeyRelease || type == MacroEncoder::Action::MouseRelease;
}

qint64 delayMs(const QString& info)
{
    bool ok = false;
    const qint64 ms = info.trimmed().toLongLong(&ok);
    return ok && ms > 0 ? qMin(ms, MaxDelaySumMs) : 0;
}

void appendPair(QByteArray& out, quint8 first, quint8 second)
{
    out.append(static_cast<char>(first));
    out.append(static_cast<char>(second));
}

void appendEvent(QByteArray& out, const Event& e)
{
    const quint8 releaseBit = e.release ? ReleaseBit : 0;
    const qint64 ms = e.delayAfterMs;
    if (ms < LongDelayFromMs) {
        // A press rounds its fraction of a unit, a release drops it. Zero in the low bits would
        // announce a long delay, so the shortest delay is 1.
        const qint64 units = e.release ? ms / MsPerUnit : (ms + MsPerUnit / 2) / MsPerUnit;
        appendPair(out, releaseBit | static_cast<quint8>(qMax<qint64>(units, 1) & DelayMask), e.code);
        return;
    }
    // Sums of 600000 units and more have no coarser step: the count of 100 ms steps is capped at
    // 0xFFFF, which is about 109 minutes.
    quint8 unit = LongDelaySteps[std::size(LongDelaySteps) - 1].unit;
    qint64 count = qMin<qint64>(ms / LongDelaySteps[std::size(LongDelaySteps) - 1].msPerCount, MaxLongCount);
    for (const LongDelayStep& step : LongDelaySteps) {
        if (ms < step.belowMs) {
            unit = step.unit;
            count = ms / step.msPerCount;
            break;
        }
    }
    appendPair(out, releaseBit, e.code);
    appendPair(out, 0x00, unit);
    appendPair(out, static_cast<quint8>(count >> 8), static_cast<quint8>(count & 0xFF));
}

} // namespace

MacroEncoder::Action MacroEncoder::Action::fromStoredText(const QString& text)
{
    Action action;
    bool ok = false;
    const int type = text.left(1).toInt(&ok);
    action.type = ok ? type : -1;
    action.info = text.mid(2);
    return action;
}

QString MacroEncoder::Action::toStoredText() const
{
    return QString::number(type) + QLatin1Char(',') + info;
}

QList<MacroEncoder::Action> MacroEncoder::parseActions(const QStringList& storedTexts)
{
    QList<Action> actions;
    actions.reserve(storedTexts.size());
    for (const QString& text : storedTexts) {
        actions.append(Action::fromStoredText(text));
    }
    return actions;
}

QByteArray MacroEncoder::deCode(const QList<Action>& actions, int repeatCount, const KeyLabelTable& keys)
{
    const int count = qBound(1, repeatCount, MaxRepeatCount);
    QByteArray out;
    appendPair(out, static_cast<quint8>(count >> 8), static_cast<quint8>(count & 0xFF));

    // Events whose label names no key, and entries of unknown type, would send key code 0 (which
    // in front of a long delay reads as the end pair); they are left out and their delays merge.
    QList<Event> events;
    bool lastEntryIsEvent = false;
    for (const Action& action : actions) {
        if (action.type == Action::Delay) {
            if (!events.isEmpty()) {
                Event& previous = events.last();
                const qint64 ms = delayMs(action.info);
                previous.delayAfterMs = qMin(previous.delayAfterMs + ms, MaxDelaySumMs);
                lastEntryIsEvent = false;
            }
            continue;
        }
        if (action.type < Action::KeyPress || action.type > Action::MouseRelease) {
            continue;
        }
        const quint8 code = keys.code(action.info);
        if (code == 0) {
            continue;
        }
        events.append({code, isRelease(action.type), 0});
        lastEntryIsEvent = true;
    }

    if (events.isEmpty() || (events.size() == 1 && lastEntryIsEvent)) {
        return out;
    }
    for (int i = 0; i < events.size() - 1; ++i) {
        appendEvent(out, events.at(i));
    }
    const Event& last = events.last();
    appendPair(out, (last.release ? ReleaseBit : 0) | 1, last.code);
    appendPair(out, 0x00, 0x00);
    return out;
}

int MacroEncoder::encodedLength(const QList<Action>& actions, int repeatCount, const KeyLabelTable& keys)
{
    return deCode(actions, repeatCount, keys).size();
}
