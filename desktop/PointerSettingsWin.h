#ifndef QX7_POINTERSETTINGSWIN_H
#define QX7_POINTERSETTINGSWIN_H

#include "PointerSettings.h"

// SystemParametersInfoW, stored in the user's profile and announced to every top-level window.
class PointerSettingsWin : public PointerSettings
{
public:
    bool offers(Setting) const override { return true; }
    bool setPointerSpeed(uint32_t speed) override;
    bool setDoubleClickTime(uint32_t milliseconds) override;
    bool setWheelScrollLines(uint32_t lines) override;
};

#endif // QX7_POINTERSETTINGSWIN_H
