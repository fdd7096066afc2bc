#ifndef QX7_POINTERSETTINGSWIN_H
#define QX7_POINTERSETTINGSWIN_H

#include "PointerSettings.h"

// SystemParametersInfoW, stored in the user's profile and announced to every top-level window.
class PointerSettingsWin : public PointerSettings
{
protected:
    bool writePointerSpeed(uint32_t speed) override;
    bool writeDoubleClickTime(uint32_t milliseconds) override;
    bool writeWheelScrollLines(uint32_t lines) override;
};

#endif // QX7_POINTERSETTINGSWIN_H
