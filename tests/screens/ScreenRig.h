#ifndef QX7_SCREENRIG_H
#define QX7_SCREENRIG_H

#include "ButtonFunction.h"
#include "ConfigStore.h"
#include "Core.h"
#include "DeviceOperations.h"
#include "GunStore.h"
#include "LanguageStore.h"
#include "MacroLibrary.h"
#include "Screens.h"
#include "ScriptedChooser.h"
#include "TempModules.h"
#include "TickClock.h"
#include "VirtualLink.h"

#include <QStringList>
#include <memory>

// The screens over a temporary copy of the shipped files and a virtual mouse of either family,
// with the desktop's pointer settings and key capture recorded instead of applied.
class ScreenRig : public PointerControl, public CaptureControl
{
public:
    struct Flags
    {
        QString icType = QStringLiteral("553");
        bool colorful = false;
        bool gun = false;
        bool is55328 = false;
    };

    ScreenRig();
    explicit ScreenRig(const Flags& flags);

    // Writes a value of the current profile file directly, as a damaged or older file would hold it.
    void writeProfile(const QString& key, const QVariant& value);
    // The command codes of the frames sent since the log was last cleared ("12", "01", ...).
    QStringList commandCodes() const;
    // Builds the screens again over the same files, as a new start of the program does.
    void restart();
    // Starts the screens as the configurator does once the mouse is there, with `newProfiles` new
    // profiles after the first ("profile_1", ...), and ends the busy guard.
    void start(int newProfiles = 0);

    bool setCursorSpeed(int level) override;
    bool setDoubleClickSpeed(int level) override;
    bool setScrollLines(int lines) override;
    bool offers(Setting setting) const override { return !unoffered.contains(setting); }
    void setCapturing(bool capturing) override;

    TempModules modules;
    VirtualLink v;
    std::unique_ptr<Core> core;
    // The parts of `core`, made again by restart().
    ConfigStore* store = nullptr;
    MacroLibrary* macros = nullptr;
    GunStore* guns = nullptr;
    LanguageStore* languages = nullptr;
    DeviceOperations* ops = nullptr;
    Screens* screens = nullptr;
    // "speed N", "double N", "lines N" for every call that reached the desktop.
    QStringList pointerCalls;
    // Settings this desktop lacks.
    QList<Setting> unoffered;
    ScriptedChooser chooser;
    // Every arming (true) and disarming (false) of the desktop's key capture.
    QList<bool> captureCalls;
};

// A button record from its text form, e.g. rec("0000f100").
inline ButtonFunction rec(const QString& hex)
{
    return *ButtonFunction::fromKeyCode(hex);
}

// A recording clock that moves only when told.
class ManualClock : public TickClock
{
public:
    void advance(int ticks) { m_ms += qint64(ticks) * TickMs; }

protected:
    qint64 now() const override { return m_ms; }

private:
    qint64 m_ms = 0;
};

#endif // QX7_SCREENRIG_H
