#ifndef QX7_LIGHTINGENCODING_H
#define QX7_LIGHTINGENCODING_H

// The lighting screen's mode, speed and brightness indices as the device's three effect bytes.
namespace LightingEncoding {

// Speed and brightness go in levels 0-4.
constexpr int Levels = 5;

struct Effect
{
    unsigned char code = 0;
    unsigned char second = 0;
    unsigned char third = 0;
};

// Multi-colour mice: effect code, brightness value, speed value.
Effect colorful(int effect, int speed, int brightness);
// Other mice: effect code, second value, and the third value a 553 mouse with the 55328 variant takes.
Effect plain(int effect, int speed, int brightness);

} // namespace LightingEncoding

#endif // QX7_LIGHTINGENCODING_H
