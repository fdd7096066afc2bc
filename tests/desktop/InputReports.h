#ifndef QX7_TEST_INPUTREPORTS_H
#define QX7_TEST_INPUTREPORTS_H

#include <QList>

#include <cstdint>

// What an InputHook reports, collected through its callbacks.
struct Reports
{
    QList<int> keys;    // usage, pressed, ...
    QList<int> buttons; // button, pressed, x, y, ...
};

inline void onKey(uint8_t code, uint8_t pressed, void* context)
{
    static_cast<Reports*>(context)->keys << code << pressed;
}

inline void onButton(uint8_t button, uint8_t pressed, int32_t x, int32_t y, void* context)
{
    static_cast<Reports*>(context)->buttons << button << pressed << x << y;
}

#endif // QX7_TEST_INPUTREPORTS_H
