#ifndef QX7_DESKTOPPOINTER_H
#define QX7_DESKTOPPOINTER_H

#include "PointerSettings.h"

#include <cstdint>
#include <memory>

// What the system-settings screen asks of the desktop: the screen's small numbers turned into
// the desktop's values. A refused value writes one debug line; the screen is not told.
class DesktopPointer
{
public:
    explicit DesktopPointer(std::unique_ptr<PointerSettings> settings = PointerSettings::create());

    // Whether the desktop has the setting; one it lacks is never asked for.
    bool offers(PointerSettings::Setting setting) const;

    bool mouseSetCursorSpeed(uint32_t cursorSpeed);
    bool mouseSetVerticalScrollLines(uint32_t lines);
    bool mouseSetDoubleClickSpeed(uint32_t speed);

    static uint32_t pointerSpeed(uint32_t cursorSpeed);
    static uint32_t doubleClickTime(uint32_t speed);

private:
    std::unique_ptr<PointerSettings> m_settings;
};

#endif // QX7_DESKTOPPOINTER_H
