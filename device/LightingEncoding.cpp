#include "LightingEncoding.h"

namespace LightingEncoding {

namespace {

unsigned char pick(const unsigned char (&values)[Levels], int index)
{
    return index >= 0 && index < Levels ? values[index] : 0;
}

struct ColorfulMode
{
    unsigned char code;
    bool brightness;
    unsigned char speeds[Levels];
};

constexpr ColorfulMode ColorfulModes[] = {
    {1, true, {0, 0, 0, 0, 0}},       // Static
    {3, false, {10, 7, 5, 3, 1}},     // Breath
    {4, false, {10, 7, 5, 3, 1}},     // Neon
    {0, false, {0, 0, 0, 0, 0}},      // OFF
    {2, true, {0, 0, 0, 0, 0}},       // Twinkling
    {5, true, {10, 7, 5, 3, 1}},      // Wave
    {6, false, {0, 0, 0, 0, 0}},      // Gliding
    {7, true, {0, 0, 0, 0, 0}},       // Finger Moving
    {8, true, {20, 17, 15, 13, 11}},  // Vertical Flipping
    {9, true, {15, 13, 10, 7, 5}},    // YO-YO
    {10, true, {30, 27, 24, 22, 20}}, // Spotlight
};

constexpr unsigned char Brightness[Levels] = {0, 0x40, 0x80, 0xC0, 0xFF};
constexpr unsigned char StaticLevels[Levels] = {1, 3, 5, 7, 10};
constexpr unsigned char NeonLevels[Levels] = {30, 24, 18, 12, 6};
constexpr unsigned char StepLevels[Levels] = {1, 2, 3, 4, 5};

} // namespace

Effect colorful(int effect, int speed, int brightness)
{
    if (effect < 0 || effect >= int(sizeof ColorfulModes / sizeof ColorfulModes[0])) {
        return {};
    }
    const ColorfulMode& mode = ColorfulModes[effect];
    return {mode.code,
            mode.brightness ? pick(Brightness, brightness) : static_cast<unsigned char>(0),
            pick(mode.speeds, speed)};
}

Effect plain(int effect, int speed, int brightness)
{
    switch (effect) {
        case 0: // Static
            return {1, pick(StaticLevels, brightness), 1};
        case 1: // Breath
            return {2, pick(StepLevels, speed), 1};
        case 2: // Neon
            return {3, pick(NeonLevels, speed), 1};
        case 4: // Breath Loop
            return {2, pick(StepLevels, speed), 3};
        default:
            return {};
    }
}

} // namespace LightingEncoding
