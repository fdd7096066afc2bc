#include "DpiEncoding.h"

namespace DpiEncoding {

namespace {

struct Step
{
    int limit;
    unsigned char code;
};

constexpr Step Sensor3050[] = {{250, 0x01},
                               {500, 0x02},
                               {750, 0x03},
                               {1000, 0x04},
                               {1250, 0x05},
                               {1500, 0x06},
                               {1750, 0x07},
                               {2000, 0x08},
                               {2500, 0x45},
                               {3000, 0x46},
                               {3500, 0x47},
                               {4000, 0x48}};

} // namespace

Code encode(const QString& sensorType, int v)
{
    Code c;
    if (sensorType == QLatin1String("3360")) {
        c.code = static_cast<unsigned char>(v / 100 - 1);
    } else if (sensorType == QLatin1String("3050")) {
        for (const Step& step : Sensor3050) {
            if (step.limit >= v) {
                c.code = step.code;
                break;
            }
        }
    } else if (sensorType == QLatin1String("3389")) {
        c.code = static_cast<unsigned char>(v / 50);
        c.highBit = v > 12799;
    } else if (v <= 5000) {
        c.code = static_cast<unsigned char>(v / 100 - 1);
    } else {
        c.code = static_cast<unsigned char>((v / 200) | 0x40);
    }
    return c;
}

} // namespace DpiEncoding
