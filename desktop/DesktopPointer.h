#ifndef QX7_DESKTOPPOINTER_H
#define QX7_DESKTOPPOINTER_H

#include "PointerSettings.h"

#include <cstdint>
#include <memory>

// What the system-settings screen asks of the desktop: the screen's small numbers turned into
// the desktop's values. A refused value writes one debug line; the screen is not told. Numbers far
// beyond the screen's give values that no desktop takes (they never wrap into its range).
class DesktopPointer
{
public:
    explicit DesktopPointer(std::unique_ptr<PointerSettings> settings = PointerSettings::create());

    // Whether the desktop has the setting; one it lacks is never asked for.
    bool offers(PointerSettings::Setting setting) const;

    bool mouseSetCursorSpeed(uint32_t cursorSpeed);
    bool mouseSetVerticalScrollLines(uint32_t lines);
    bool mouseSetDoubleClickSpeed(uint32_t speed);

    // 2 × cursorSpeed, at least 1; the largest number when that does not fit.
    static uint32_t pointerSpeed(uint32_t cursorSpeed);
    // 900 − 70 × speed; 0 when that is below 0.
    static uint32_t doubleClickTime(uint32_t speed);

private:
    std::unique_ptr<PointerSettings> m_settings;
};

#endif // QX7_DESKTOPPOINTER_H
