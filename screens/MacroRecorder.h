#ifndef QX7_MACRORECORDER_H
#define QX7_MACRORECORDER_H

#include <QtGlobal>
#include <memory>

class TickClock;

// What the macro editor captures keys for: a recording, which counts the pause before each key
// on the 10 ms tick clock, or Insert Key, which keeps the last key pressed until confirmed.
class MacroRecorder
{
public:
    MacroRecorder();
    ~MacroRecorder();

    // The recording's clock; null puts the recorder's own back. Not owned.
    void setClock(TickClock* clock);

    bool recording() const { return m_recording; }
    bool inserting() const { return m_inserting; }
    bool capturing() const { return m_recording || m_inserting; }
    // Insert Key's place in the action list and the key taken so far (0: none).
    int insertAt() const { return m_insertAt; }
    int insertCode() const { return m_insertCode; }

    // Each returns whether capturing started or ended with it.
    bool startRecording();
    bool stopRecording();
    bool startInsert(int index);
    bool endInsert();
    void takeInsertKey(int usbCode) { m_insertCode = usbCode; }

    // The pause since the recording started or since the last key, in milliseconds.
    qint64 pauseMs() const;
    void restartPause();

private:
    std::unique_ptr<TickClock> m_ownClock;
    TickClock* m_clock = nullptr;
    bool m_recording = false;
    bool m_inserting = false;
    int m_insertAt = -1;
    int m_insertCode = 0;
};

#endif // QX7_MACRORECORDER_H
