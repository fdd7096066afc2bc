// Key capture: raw key and button events as the platform layers hand them over (Windows hook
// values, X key codes and buttons, and whole events of the X recording), through the translation.
#include "FuzzSupport.h"
#include "InputCaptureX11.h"
#include "InputHook.h"
#include "KeyLabelTable.h"
#include "KeyMap.h"

#include <array>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

enum Op { HookKey, HookMouse, XKey, XButton, XRecorded, LastOp = XRecorded };

constexpr size_t XEventSize = 32;

struct Seen
{
    std::array<uint8_t, 256> keyState {};
};

// To see what one input reports: QX7_FUZZ_TRACE=1 FuzzKeyCapture FILE
bool s_trace = false;

void onKey(uint8_t code, uint8_t pressed, void* context)
{
    if (s_trace) {
        std::fprintf(stderr, "key %02x %d\n", code, pressed);
    }
    auto* seen = static_cast<Seen*>(context);
    FUZZ_CHECK(code != 0 && pressed <= 1);
    // Only changes are reported.
    FUZZ_CHECK(seen->keyState[code] != pressed);
    seen->keyState[code] = pressed;
    // A macro can store only keys with a label.
    FUZZ_CHECK(!KeyLabelTable::defaults().label(code).isEmpty());
}

void onButton(uint8_t button, uint8_t pressed, int32_t x, int32_t y, void*)
{
    if (s_trace) {
        std::fprintf(stderr, "button %02x %d at %d,%d\n", button, pressed, x, y);
    }
    FUZZ_CHECK(button >= KeyMap::LeftButtonCode && button <= KeyMap::MiddleButtonCode && pressed <= 1);
}

int hookCode(FuzzedDataProvider& input)
{
    return input.ConsumeBool() ? int(KeyMap::HookAction) : input.ConsumeIntegral<int>();
}

uint32_t keyMessage(FuzzedDataProvider& input)
{
    if (input.ConsumeBool()) {
        return input.ConsumeIntegral<uint32_t>();
    }
    return input.PickValueInArray({KeyMap::KeyDown, KeyMap::KeyUp, KeyMap::SysKeyDown, KeyMap::SysKeyUp});
}

uint32_t mouseMessage(FuzzedDataProvider& input)
{
    if (input.ConsumeBool()) {
        return input.ConsumeIntegral<uint32_t>();
    }
    return input.ConsumeIntegralInRange<uint32_t>(KeyMap::LeftButtonDown, KeyMap::MouseHorizontalWheel);
}

void run(FuzzedDataProvider& input, InputHook& hook)
{
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange<int>(0, LastOp)) {
            case HookKey: {
                const int code = hookCode(input);
                const uint32_t message = keyMessage(input);
                const uint32_t scan
                    = input.ConsumeBool() ? input.ConsumeIntegral<uint8_t>() : input.ConsumeIntegral<uint32_t>();
                hook.keyboardEvent(code, message, scan, input.ConsumeIntegral<uint32_t>());
                break;
            }
            case HookMouse: {
                const int code = hookCode(input);
                const uint32_t message = mouseMessage(input);
                const int32_t x = input.ConsumeIntegral<int32_t>();
                const int32_t y = input.ConsumeIntegral<int32_t>();
                hook.mouseEvent(code, message, x, y);
                break;
            }
            case XKey: {
                uint8_t scan = 0;
                bool extended = false;
                const unsigned keycode = input.ConsumeIntegral<uint16_t>();
                if (KeyMap::xKeycodeToScan(keycode, scan, extended)) {
                    FUZZ_CHECK(scan != 0);
                }
                break;
            }
            case XButton: {
                const unsigned button = input.ConsumeIntegral<unsigned>();
                KeyMap::xButtonMessage(button, input.ConsumeBool());
                break;
            }
            case XRecorded: {
                const std::vector<uint8_t> bytes
                    = input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<size_t>(0, XEventSize + 4));
                InputCaptureX11::RecordedEvent event;
                const bool whole = InputCaptureX11::parseRecordedEvent(bytes.data(), bytes.size(), event);
                FUZZ_CHECK(whole == (bytes.size() >= XEventSize));
                if (whole) {
                    InputCaptureX11::translate(hook, event);
                }
                break;
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::quietQt();
    // The hook must not record the desktop it runs on: without a display and an application it
    // captures nothing and only translates what it is given.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    s_trace = qEnvironmentVariableIsSet("QX7_FUZZ_TRACE");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    InputHook hook(input.ConsumeBool());
    FUZZ_CHECK(!hook.hooksInstalled());
    Seen seen;
    hook.setKeyboardCallback(onKey, &seen);
    hook.setMouseCallback(onButton, &seen);
    run(input, hook);
    return 0;
}
