#ifndef QX7_POINTERSETTINGS_H
#define QX7_POINTERSETTINGS_H

#include <cstdint>
#include <memory>

// The desktop's own pointer settings, written persistently for the user. Each call reports whether
// the desktop took the value.
class PointerSettings
{
public:
    enum class Setting { PointerSpeed, DoubleClickTime, WheelScrollLines };

    virtual ~PointerSettings() = default;

    // Whether this desktop has the setting at all; setting one it lacks always fails.
    virtual bool offers(Setting setting) const = 0;

    // 1 (slowest) to 20 (fastest), 10 being the desktop's default.
    virtual bool setPointerSpeed(uint32_t speed) = 0;
    virtual bool setDoubleClickTime(uint32_t milliseconds) = 0;
    virtual bool setWheelScrollLines(uint32_t lines) = 0;

    // The settings of the desktop the program runs on.
    static std::unique_ptr<PointerSettings> create();
};

#endif // QX7_POINTERSETTINGS_H
