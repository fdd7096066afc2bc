#include "HidCommandSet553.h"

#include "HidLink.h"
#include "WireSizes.h"

#include <algorithm>

void HidCommandSet553::getSecrecyCode(unsigned char& byte1,
                                      unsigned char& byte2,
                                      unsigned char& byte3,
                                      unsigned char& byte4)
{
    unsigned char* outs[] = {&byte1, &byte2, &byte3, &byte4};
    m_link.replyRead("cmd Failed 00", HidFrame::build(0x00, {byte1, byte2, byte3, byte4}), outs, 4, false);
}

void HidCommandSet553::getKeyboardOption(unsigned char& byte1,
                                         unsigned char& byte2,
                                         unsigned char& byte3,
                                         unsigned char& byte4)
{
    unsigned char* outs[] = {&byte1, &byte2, &byte3, &byte4};
    m_link.replyRead("cmd Failed 83", HidFrame::build(0x83), outs, 4);
}

void HidCommandSet553::getCurrentDpi(unsigned char& byte1)
{
    unsigned char* outs[] = {&byte1};
    m_link.replyRead("cmd Failed 8BH", HidFrame::build(0x8B), outs, 1);
}

void HidCommandSet553::setKeyboardOption(unsigned char byte1,
                                         unsigned char byte2,
                                         unsigned char byte3,
                                         unsigned char byte4)
{
    m_link.simpleWrite("cmd Failed 03", HidFrame::build(0x03, {byte1, byte2, byte3, byte4}), false);
}

void HidCommandSet553::setGunData(unsigned char repeat, unsigned char x, unsigned char y, unsigned char slot)
{
    m_link.simpleWrite("cmd Failed 04", HidFrame::build(0x04, {0x00, repeat, x, y, slot}), false);
}

void HidCommandSet553::setReportRate(unsigned char rate)
{
    m_link.simpleWrite("cmd Failed 01", HidFrame::build(0x01, {rate}), true);
}

void HidCommandSet553::setCurrentDpi(unsigned char stage)
{
    m_link.simpleWrite("cmd Failed 0B", HidFrame::build(0x0B, {stage}), true);
}

void HidCommandSet553::setKeyMatrix(const unsigned char* src64, unsigned char indexAddOne)
{
    m_link.blockWrite("cmd Failed 12",
                      HidFrame::build(0x12, {indexAddOne, WireSizes::KeyMatrix, 0x08}),
                      src64,
                      WireSizes::KeyMatrix,
                      WireSizes::KeyMatrix);
}

void HidCommandSet553::setMacroKey(unsigned char macroId, const unsigned char* src128)
{
    m_link.blockWrite("cmd Failed 13",
                      HidFrame::build(0x13, {macroId, WireSizes::Block}),
                      src128,
                      WireSizes::Block,
                      WireSizes::Block);
}

void HidCommandSet553::setDpiSet(unsigned char dpiStage, const unsigned char* src8)
{
    m_link.blockWrite("cmd Failed 11",
                      HidFrame::build(0x11, {dpiStage, WireSizes::DpiStages}),
                      src8,
                      WireSizes::DpiStages,
                      WireSizes::DpiStages);
}

void HidCommandSet553::setCurrentKeyMatrix(unsigned char currentKeyMatrix)
{
    m_link.simpleWrite("cmd Failed 02", HidFrame::build(0x02, {currentKeyMatrix}), true);
}

void HidCommandSet553::setRgbLedEffect(unsigned char effect, unsigned char option1, unsigned char option2)
{
    m_link.simpleWrite("cmd Failed 0D", HidFrame::build(0x0D, {effect, option1, option2}), true);
}

void HidCommandSet553::setFixLedColor(const unsigned char* src3)
{
    unsigned char rgb[3] = {};
    if (src3) {
        std::copy(src3, src3 + 3, rgb);
    }
    m_link.simpleWrite("cmd Failed 0C", HidFrame::build(0x0C, {rgb[0], rgb[1], rgb[2]}), true);
}

void HidCommandSet553::setLed8StageColor(unsigned char type, const unsigned char* src24)
{
    const unsigned char length = type == 2 ? WireSizes::ShortStageColors : WireSizes::StageColors;
    m_link.blockWrite("cmd Failed 10", HidFrame::build(0x10, {type, length}), src24, length, length);
}
