#ifndef QX7_INPUTHOOK_H
#define QX7_INPUTHOOK_H

#include "InputCapture.h"

#include <cstdint>
#include <map>
#include <memory>

#ifdef _WIN32
class QCoreApplication;
#endif

// Reports every key and main mouse button the user presses, whichever window has the focus, as the
// codes the mouse stores: USB HID keyboard usages and 0xF0-0xF2. It only observes; nothing is
// swallowed. Callbacks run on the GUI thread and must return quickly.
class InputHook
{
public:
    using KeyboardCallback = void (*)(uint8_t code, uint8_t pressed, void* context);
    using MouseCallback = void (*)(uint8_t button, uint8_t pressed, int32_t x, int32_t y, void* context);
    using CopyDataCallback = void (*)(const void* copyData, void* context);

    enum class Installation {
        // The hooks are installed by the constructor and stay until removed.
        AtConstruction,
        // Nothing reads the desktop until installHooks(): the program installs the hooks only while
        // a screen captures keys, and removes them when it stops.
        OnDemand,
    };

    explicit InputHook(bool nonUsLayout,
                       InputCapture::Source source = InputCapture::Source::Desktop,
                       Installation installation = Installation::AtConstruction);
    ~InputHook();
    InputHook(const InputHook&) = delete;
    InputHook& operator=(const InputHook&) = delete;

    bool installHooks();
    void removeHooks();
    bool hooksInstalled() const;

    void setKeyboardCallback(KeyboardCallback function, void* context);
    void setMouseCallback(MouseCallback function, void* context);
#ifdef _WIN32
    // Text messages (WM_COPYDATA) from other processes; installs copyDataFilter on the application.
    void setCopyDataCallback(CopyDataCallback function, QCoreApplication* application, void* context);
    static bool copyDataFilter(void* message, intptr_t* result);
#endif

    // The translation; the platform layers call these with what a Windows low-level hook would see.
    void keyboardEvent(int hookCode, uint32_t message, uint32_t scanCode, uint32_t flags);
    void mouseEvent(int hookCode, uint32_t message, int32_t x, int32_t y);

    // The process's hook module, for hook procedures that get no context.
    static InputHook* instance();

private:
    const InputCapture::Source m_source;
    std::map<uint16_t, uint8_t> m_scanToVk;
    std::map<uint8_t, uint8_t> m_vkToUsage;
    uint8_t m_keyState[256] = {};
    KeyboardCallback m_keyboardCallback = nullptr;
    void* m_keyboardContext = nullptr;
    MouseCallback m_mouseCallback = nullptr;
    void* m_mouseContext = nullptr;
    std::unique_ptr<InputCapture> m_capture;
};

#endif // QX7_INPUTHOOK_H
