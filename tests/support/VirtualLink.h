#ifndef QX7_VIRTUALLINK_H
#define QX7_VIRTUALLINK_H

#include "HidClock.h"
#include "HidOwner.h"
#include "Hid_Thread.h"
#include "VirtualMouse.h"

#include <QMutex>
#include <QStringList>
#include <functional>

// Records every pause; with a log attached the pauses land in it between the reports. With
// `turnEvents` each pause also turns the event loop once, the way a real pause does on the GUI
// thread, but without waiting.
class RecordingClock : public HidClock
{
public:
    void sleep(int milliseconds) override;
    QList<int> pauses;
    QStringList* log = nullptr;
    bool turnEvents = false;
};

// Stands in for the main widget; the listener calls it from its own thread.
class FakeOwner : public HidOwner
{
public:
    bool isGun() const override { return gun; }
    ControllerFamily family() const override { return type; }
    void setCurrentDPI(int stage) override;
    void setViewEnabled(bool enabled) override;

    QList<int> stages() const;
    bool viewEnabled() const;

    bool gun = false;
    ControllerFamily type = ControllerFamily::Set553;

private:
    mutable QMutex m_mutex;
    QList<int> m_stages;
    bool m_enabled = true;
};

// A link wired to one virtual mouse through a recording clock: the log holds what crossed the
// wire as the mouse saw it ("feature-out 00 01 ...") and every pause ("sleep 64"), in order.
class VirtualLink
{
public:
    explicit VirtualLink(const VirtualMouse::Config& config = {});

    // The record the link holds for the mouse (index 0, selected), and a change to it.
    DeviceRecord record() const;
    void changeRecord(const std::function<void(DeviceRecord&)>& change);
    void clearLog();
    // Plugs the mouse in again and gives the link its paths back, as the device check does.
    void replug();

    VirtualMouse mouse;
    RecordingClock clock;
    FakeOwner owner;
    Hid_Thread link;
    QStringList log;
};

namespace TestSupport {

// "00 01 02" -> bytes.
QByteArray bytes(const char* hex);
// A block as the link's commands take it.
unsigned char* raw(QByteArray& block);
// The wire lines of a block written in output reports of reportLength + 1 bytes.
QStringList outputReports(const QByteArray& block, int reportLength);
QStringList sleeps(std::initializer_list<int> milliseconds);
// The virtual mouse of the controller family "560" or, for any other text, "553".
VirtualMouse::Config familyConfig(const QString& icType);
// Everything the mouse keeps, one "name value" line per setting, without the report counters.
QStringList settingLines(const VirtualMouse::State& state);

} // namespace TestSupport

#endif // QX7_VIRTUALLINK_H
