#ifndef QX7_KEYMAP_H
#define QX7_KEYMAP_H

#include <cstdint>
#include <map>

// The fixed, layout-independent translation from what the desktop reports to the codes the mouse
// stores: scan code (with extended flag) to Windows virtual-key code to USB HID keyboard usage, and
// mouse messages to the button codes 0xF0-0xF2. Every platform layer feeds these same tables.
namespace KeyMap {

// Windows message and flag values; the portable code speaks them on every platform.
enum : uint32_t {
    HookAction = 0,
    KeyDown = 0x0100,
    KeyUp = 0x0101,
    SysKeyDown = 0x0104,
    SysKeyUp = 0x0105,
    ExtendedFlag = 0x01,
    AltDownFlag = 0x20,
    LeftButtonDown = 0x0201,
    LeftButtonUp = 0x0202,
    LeftButtonDoubleClick = 0x0203,
    RightButtonDown = 0x0204,
    RightButtonUp = 0x0205,
    RightButtonDoubleClick = 0x0206,
    MiddleButtonDown = 0x0207,
    MiddleButtonUp = 0x0208,
    MiddleButtonDoubleClick = 0x0209,
    MouseWheel = 0x020A,
    SideButtonDown = 0x020B,
    SideButtonUp = 0x020C,
    MouseHorizontalWheel = 0x020E,
};

enum : uint8_t {
    LeftButtonCode = 0xF0,
    RightButtonCode = 0xF1,
    MiddleButtonCode = 0xF2,
};

// key = (scan code << 8) | extended flag
std::map<uint16_t, uint8_t> buildScanToVk();
// The backslash key gives 0x31 on US layouts and 0x32 (non-US hash) otherwise.
std::map<uint8_t, uint8_t> buildVkToUsage(bool nonUsLayout);

// Button code and pressed flag for a mouse message; false for messages that report nothing.
bool mouseButton(uint32_t message, uint8_t& code, uint8_t& pressed);

// An X key code (evdev code + 8, as X servers, Wayland and libinput number the keys of a PC keyboard)
// as the scan code and extended flag a Windows keyboard hook would see; false for unknown keys.
bool xKeycodeToScan(unsigned keycode, uint8_t& scan, bool& extended);

// The mouse message for an X button number (1 left, 2 middle, 3 right, 4-7 wheel, 8-9 side);
// 0 for other buttons.
uint32_t xButtonMessage(unsigned button, bool pressed);

} // namespace KeyMap

#endif // QX7_KEYMAP_H
