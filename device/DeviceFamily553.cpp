#include "DeviceFamily553.h"

#include "Hid_Thread.h"

#include <algorithm>

void DeviceFamily553::setReportRate(unsigned char rate)
{
    hid().hid553_01H_SetReportRate(rate);
}

void DeviceFamily553::switchKeyMatrix(unsigned char indexNo)
{
    hid().hid553_02H_SetCurrentKeyMatrix(static_cast<unsigned char>(indexNo - 1));
}

void DeviceFamily553::setKeyMatrix(unsigned char* block, unsigned char indexAddOne)
{
    hid().hid553_12H_SetKeyMatrix(block, indexAddOne);
}

void DeviceFamily553::setCurrentDpi(unsigned char stage)
{
    hid().hid553_0BH_SetCurrentDPI(stage);
}

int DeviceFamily553::currentDpi()
{
    unsigned char byte1 = 0;
    hid().hid553_8BH_GetCurrentDPI(byte1);
    return byte1;
}

void DeviceFamily553::setDpi(const DpiTable& table)
{
    // Given stages past the count go as unused.
    DpiCodes codes = table.codes;
    for (int i = std::max(table.count, 0); i < table.filled; ++i) {
        codes[i] = 0x80;
    }
    const unsigned char count = static_cast<unsigned char>(table.count);
    sendSetting("dpi", bytesOf(&count, 1) + bytesOf(codes.data(), WireSizes::DpiStages), [&] {
        hid().hid553_11H_SetDPISet(count, codes.data());
    });
}

void DeviceFamily553::setMacroKey(unsigned char macroId, unsigned char* block)
{
    hid().hid553_13H_SetMacroKey(macroId, block);
}

void DeviceFamily553::setEffect(const LightingEncoding::Effect& effect, bool colorful)
{
    const unsigned char third = colorful || is55328() ? effect.third : 2;
    const unsigned char bytes[3] = {effect.code, effect.second, third};
    sendSetting(
        "effect", bytesOf(bytes, 3), [&] { hid().hid553_0DH_SetRGBLedEffect(effect.code, effect.second, third); });
}

void DeviceFamily553::setColors(unsigned char type, ColorTable& table)
{
    // The fixed colour and the stage colours are one setting: the mouse shows the last one sent.
    const unsigned char fixed = is55328() && !(table[21] || table[22] || table[23]) ? 1 : 0;
    const unsigned char stageType = is55328() ? 0 : type;
    const QByteArray bytes
        = bytesOf(&fixed, 1) + bytesOf(&stageType, 1) + bytesOf(table.data(), WireSizes::StageColors);
    sendSetting("colors", bytes, [&] {
        if (fixed) {
            hid().hid553_0CH_SetFixLEDColor(table.data());
        } else if (is55328()) {
            hid().hid553_10H_SetLED8StageColor(0, table.data());
        } else {
            // Twice on purpose: the mouse confirms no write, and this family is always sent the
            // table a second time so that one lost block does not leave the old colours. Keep both
            // exchanges.
            hid().hid553_10H_SetLED8StageColor(type, table.data());
            hid().hid553_10H_SetLED8StageColor(type, table.data());
        }
    });
}

void DeviceFamily553::setGunData(int slot, const std::array<unsigned char, 3>& values)
{
    unsigned char options[4] = {};
    hid().hid553_83H_GetKeyboardoption(options[0], options[1], options[2], options[3]);
    const unsigned char y = options[2] ? static_cast<unsigned char>(256 - values[2]) : values[2];
    hid().hid553_04H_SetGunData(values[0], values[1], y, static_cast<unsigned char>(slot - 1));
}
