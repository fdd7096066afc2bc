#include "MacroRecorder.h"

#include "TickClock.h"

MacroRecorder::MacroRecorder()
    : m_ownClock(std::make_unique<TickClock>())
    , m_clock(m_ownClock.get())
{
}

MacroRecorder::~MacroRecorder() = default;

void MacroRecorder::setClock(TickClock* clock)
{
    m_clock = clock ? clock : m_ownClock.get();
}

bool MacroRecorder::startRecording()
{
    if (m_recording) {
        return false;
    }
    m_clock->zero();
    m_recording = true;
    return true;
}

bool MacroRecorder::stopRecording()
{
    const bool was = m_recording;
    m_recording = false;
    return was;
}

bool MacroRecorder::startInsert(int index)
{
    m_insertAt = index;
    m_insertCode = 0;
    const bool was = m_inserting;
    m_inserting = true;
    return !was;
}

bool MacroRecorder::endInsert()
{
    const bool was = m_inserting;
    m_inserting = false;
    m_insertCode = 0;
    return was;
}

qint64 MacroRecorder::pauseMs() const
{
    return m_clock->ticks() * TickClock::TickMs;
}

void MacroRecorder::restartPause()
{
    m_clock->zero();
}
