#include "DeviceFamily560.h"

#include "ButtonFunction.h"
#include "Hid_Thread.h"

#include <algorithm>

namespace {

// Owned bytes of the on-board profile images.
constexpr int ImageColorfulColors = 24;
constexpr int ImageGunFlags = 65;
constexpr unsigned char GunFlagBit = 0x04;
constexpr int ImageEffect = 71;
constexpr int ImageGunButton = 78;
constexpr int ImageDpiHighBits = 82;
constexpr int ImageDpiX = 84;
constexpr int ImageDpiY = 92;
constexpr int ImageDpiMask = 100;
constexpr int ImageColors = 104;

} // namespace

void DeviceFamily560::setReportRate(unsigned char rate)
{
    hid().hid560_03H_SetReportRate(rate);
}

void DeviceFamily560::switchKeyMatrix(unsigned char indexNo)
{
    hid().hid560_02H_SetCurrentProfile(indexNo);
}

void DeviceFamily560::setKeyMatrix(unsigned char* block, unsigned char indexAddOne)
{
    hid().hid560_0DH_SetKeyMatrix(block, indexAddOne);
}

void DeviceFamily560::setCurrentDpi(unsigned char stage)
{
    hid().hid560_04H_SetCurrentDPI(stage);
}

int DeviceFamily560::currentDpi()
{
    unsigned char byte1 = 1;
    unsigned char byte2 = 0;
    hid().hid560_84H_GetCurrentDPI(byte1, byte2);
    return byte2;
}

void DeviceFamily560::sendImages()
{
    m_ops.mouseSetProfile(1);
    if (isGun()) {
        for (uint k = 2; k < WireSizes::ProfileImages; ++k) {
            m_ops.mouseSetProfile(k);
        }
    }
}

void DeviceFamily560::setDpi(const DpiTable& table)
{
    const int count = table.count;
    const unsigned char mask = count <= 0 ? 0 : count >= WireSizes::DpiStages ? 0xFF : ((1u << count) - 1);
    for (int k = 1; k < WireSizes::ProfileImages; ++k) {
        DeviceOperations::Image& im = image(k);
        std::copy(table.codes.begin(), table.codes.end(), im.begin() + ImageDpiX);
        std::copy(table.codes.begin(), table.codes.end(), im.begin() + ImageDpiY);
        im[ImageDpiMask] = mask;
        if (table.sendHighBits) {
            im[ImageDpiHighBits] = table.highBits;
            im[ImageDpiHighBits + 1] = table.highBits;
        }
    }
    sendImages();
}

void DeviceFamily560::setMacroKey(unsigned char macroId, unsigned char* block)
{
    hid().hid560_0FH_SetMacroKey(macroId, block);
}

void DeviceFamily560::setEffect(const LightingEncoding::Effect& effect, bool colorful)
{
    for (int k = 1; k < WireSizes::ProfileImages; ++k) {
        image(k)[ImageEffect] = effect.code;
        image(k)[ImageEffect + 1] = effect.second;
        image(k)[ImageEffect + 2] = colorful ? effect.third : 2;
    }
    if (!colorful && !isGun()) {
        image(1)[ImageEffect + 2] = 3;
    }
    sendImages();
}

void DeviceFamily560::setColors(unsigned char type, ColorTable& table)
{
    Q_UNUSED(type);
    const int number = isColorful() ? 0 : 1;
    const int at = isColorful() ? ImageColorfulColors : ImageColors;
    std::copy(table.begin(), table.end(), image(number).begin() + at);
    m_ops.mouseSetProfile(number);
}

void DeviceFamily560::setGunData(int slot, const std::array<unsigned char, 3>& values)
{
    const int n = slot + 1;
    DeviceOperations::Image& im = image(n);
    im[ImageGunButton] = ButtonFunction::LeftButtonCode;
    im[ImageGunButton + 1] = values[0];
    im[ImageGunButton + 2] = values[1];
    im[ImageGunButton + 3] = values[2];
    im[ImageGunFlags] &= static_cast<unsigned char>(~GunFlagBit);
    m_ops.mouseSetProfile(static_cast<uint>(n));
}

void DeviceFamily560::readMouse()
{
    m_ops.mouseReadProfile(0);
    m_ops.mouseReadProfile(1);
    if (isGun()) {
        m_ops.mouseReadProfile(2);
        m_ops.mouseReadProfile(3);
        m_ops.mouseReadProfile(4);
    }
}

void DeviceFamily560::useFirstProfile()
{
    if (m_ops.mouseReadCurrentProfile().toInt() != 1) {
        hid().hid560_02H_SetCurrentProfile(1);
    }
}
