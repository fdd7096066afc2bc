#ifndef QX7_DPIENCODING_H
#define QX7_DPIENCODING_H

#include <QString>
#include <array>

// A DPI value in the code each sensor model expects.
namespace DpiEncoding {

struct Code
{
    unsigned char code = 0;
    // Sensor "3389" only: values above 12799 need the stage's high bit.
    bool highBit = false;
};

// Unknown sensor texts are encoded as "4090".
Code encode(const QString& sensorType, int value);

} // namespace DpiEncoding

#endif // QX7_DPIENCODING_H
