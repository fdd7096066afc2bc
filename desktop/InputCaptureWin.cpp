#include "InputCaptureWin.h"

#include "InputHook.h"

#include <windows.h>

namespace {

HHOOK s_keyboardHook = nullptr;
HHOOK s_mouseHook = nullptr;

LRESULT CALLBACK keyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    InputHook* hook = InputHook::instance();
    if (hook && code == HC_ACTION) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        hook->keyboardEvent(code, static_cast<uint32_t>(wParam), event->scanCode, event->flags);
    }
    return CallNextHookEx(s_keyboardHook, code, wParam, lParam);
}

LRESULT CALLBACK mouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    InputHook* hook = InputHook::instance();
    if (hook && code == HC_ACTION) {
        const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        hook->mouseEvent(code, static_cast<uint32_t>(wParam), event->pt.x, event->pt.y);
    }
    return CallNextHookEx(s_mouseHook, code, wParam, lParam);
}

} // namespace

std::unique_ptr<InputCapture> InputCapture::start(InputHook&, Source)
{
    // The hooks see every window; the program's own events are among them.
    return InputCaptureWin::start();
}

std::unique_ptr<InputCaptureWin> InputCaptureWin::start()
{
    std::unique_ptr<InputCaptureWin> capture(new InputCaptureWin);
    capture->remove();
    HMODULE module = GetModuleHandleW(nullptr);
    s_keyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardProc, module, 0);
    s_mouseHook = SetWindowsHookExW(WH_MOUSE_LL, mouseProc, module, 0);
    if (!s_keyboardHook || !s_mouseHook) {
        capture->remove();
        return nullptr;
    }
    return capture;
}

InputCaptureWin::~InputCaptureWin()
{
    remove();
}

void InputCaptureWin::remove()
{
    if (s_keyboardHook) {
        UnhookWindowsHookEx(s_keyboardHook);
        s_keyboardHook = nullptr;
    }
    if (s_mouseHook) {
        UnhookWindowsHookEx(s_mouseHook);
        s_mouseHook = nullptr;
    }
}
