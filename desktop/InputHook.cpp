#include "InputHook.h"

#include "KeyMap.h"

#include <algorithm>
#include <iterator>

namespace {

InputHook* s_instance = nullptr;

constexpr uint8_t PauseVk = 0x13;
constexpr uint8_t PrintScreenVk = 0x2C;

} // namespace

InputHook::InputHook(bool nonUsLayout, InputCapture::Source source, Installation installation)
    : m_source(source)
    , m_scanToVk(KeyMap::buildScanToVk())
    , m_vkToUsage(KeyMap::buildVkToUsage(nonUsLayout))
{
    s_instance = this;
    if (installation == Installation::AtConstruction) {
        installHooks();
    }
}

InputHook::~InputHook()
{
    // Platform layers hold a reference to this object; they must not outlive it.
    removeHooks();
    if (s_instance == this) {
        s_instance = nullptr;
    }
}

InputHook* InputHook::instance()
{
    return s_instance;
}

bool InputHook::installHooks()
{
    removeHooks();
    // Nothing was observed while the hooks were away; a key released then must count when pressed
    // again.
    std::fill(std::begin(m_keyState), std::end(m_keyState), uint8_t(0));
    m_capture = InputCapture::start(*this, m_source);
    return m_capture != nullptr;
}

void InputHook::removeHooks()
{
    if (m_capture) {
        m_capture->remove();
        m_capture.reset();
    }
}

bool InputHook::hooksInstalled() const
{
    return m_capture != nullptr;
}

void InputHook::setKeyboardCallback(KeyboardCallback function, void* context)
{
    m_keyboardCallback = function;
    m_keyboardContext = context;
}

void InputHook::setMouseCallback(MouseCallback function, void* context)
{
    m_mouseCallback = function;
    m_mouseContext = context;
}

void InputHook::keyboardEvent(int hookCode, uint32_t message, uint32_t scanCode, uint32_t flags)
{
    // Other hook codes carry no event to look at.
    if (hookCode != KeyMap::HookAction) {
        return;
    }
    const uint8_t pressed = (message & ~0x4u) == KeyMap::KeyDown ? 1 : 0;
    const uint32_t scan = scanCode > 0xFF ? 0 : scanCode;
    const bool extended = flags & KeyMap::ExtendedFlag;
    const uint16_t key = static_cast<uint16_t>((scan << 8) | (extended ? 1u : 0u));

    uint8_t vk = 0;
    const auto vkEntry = m_scanToVk.find(key);
    if (vkEntry != m_scanToVk.end()) {
        vk = vkEntry->second;
    }
    // Ctrl+Break and Alt+Print Screen arrive with scan codes of their own.
    if (scan == 0x46 && extended) {
        vk = PauseVk;
    } else if (scan == 0x54 && (flags & KeyMap::AltDownFlag)) {
        vk = PrintScreenVk;
    }
    if (vk == 0) {
        return;
    }
    const auto usageEntry = m_vkToUsage.find(vk);
    if (usageEntry == m_vkToUsage.end() || usageEntry->second == 0) {
        return;
    }
    const uint8_t code = usageEntry->second;
    // Only changes are reported, so a held key's repetition gives one press.
    if (m_keyState[code] != pressed) {
        m_keyState[code] = pressed;
        if (m_keyboardCallback) {
            m_keyboardCallback(code, pressed, m_keyboardContext);
        }
    }
}

void InputHook::mouseEvent(int hookCode, uint32_t message, int32_t x, int32_t y)
{
    if (hookCode != KeyMap::HookAction) {
        return;
    }
    uint8_t button = 0;
    uint8_t pressed = 0;
    if (KeyMap::mouseButton(message, button, pressed) && m_mouseCallback) {
        m_mouseCallback(button, pressed, x, y, m_mouseContext);
    }
}
