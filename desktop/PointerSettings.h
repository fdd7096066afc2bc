#ifndef QX7_POINTERSETTINGS_H
#define QX7_POINTERSETTINGS_H

#include <cstdint>
#include <memory>

// The desktop's own pointer settings, written persistently for the user. Each call reports whether
// the desktop took the value. Values outside the ranges below are refused here, for every platform,
// before they reach the desktop.
class PointerSettings
{
public:
    // 1 (slowest) to 20 (fastest), 10 being the desktop's default.
    static constexpr uint32_t MinPointerSpeed = 1;
    static constexpr uint32_t MaxPointerSpeed = 20;
    // No one double-clicks faster; desktops keep nothing slower.
    static constexpr uint32_t MinDoubleClickMs = 100;
    static constexpr uint32_t MaxDoubleClickMs = 5000;
    static constexpr uint32_t MinScrollLines = 1;
    static constexpr uint32_t MaxScrollLines = 100;
    // The settings screen's "one screen per notch".
    static constexpr uint32_t PageScrollLines = 1000;

    enum class Setting { PointerSpeed, DoubleClickTime, WheelScrollLines };

    virtual ~PointerSettings() = default;

    // Whether this desktop has the setting at all; setting one it lacks always fails.
    virtual bool offers(Setting) const { return true; }

    bool setPointerSpeed(uint32_t speed);
    bool setDoubleClickTime(uint32_t milliseconds);
    bool setWheelScrollLines(uint32_t lines);

    // The settings of the desktop the program runs on.
    static std::unique_ptr<PointerSettings> create();

protected:
    // The platform layer: called only with values inside the ranges.
    virtual bool writePointerSpeed(uint32_t speed) = 0;
    virtual bool writeDoubleClickTime(uint32_t milliseconds) = 0;
    virtual bool writeWheelScrollLines(uint32_t lines) = 0;
};

#endif // QX7_POINTERSETTINGS_H
