#include "HidCommandSet560.h"

#include "HidLink.h"
#include "WireSizes.h"

void HidCommandSet560::getKeyboardOption(unsigned char& byte1, unsigned char& byte2)
{
    unsigned char* outs[] = {&byte1, &byte2};
    m_link.replyRead("cmd Failed 81", HidFrame::build(0x81), outs, 2);
}

void HidCommandSet560::getCurrentProfile(unsigned char& byte1)
{
    unsigned char* outs[] = {&byte1};
    m_link.replyRead("cmd Failed 82", HidFrame::build(0x82), outs, 1);
}

void HidCommandSet560::getCurrentDpi(unsigned char& byte1, unsigned char& byte2)
{
    unsigned char* outs[] = {&byte1, &byte2};
    m_link.replyRead("cmd Failed 84", HidFrame::build(0x84, {byte1}), outs, 2);
}

void HidCommandSet560::setKeyboardOption(unsigned char byte1, unsigned char byte2)
{
    m_link.simpleWrite("cmd Failed 01", HidFrame::build(0x01, {byte1, byte2}), false);
}

void HidCommandSet560::setReportRate(unsigned char rate, bool gunMouse)
{
    m_link.seriesWrite("cmd Failed 03", 0x03, rate, gunMouse);
}

void HidCommandSet560::setCurrentDpi(unsigned char stage, bool gunMouse)
{
    m_link.seriesWrite("cmd Failed 04", 0x04, stage, gunMouse);
}

void HidCommandSet560::setKeyMatrix(const unsigned char* src64, unsigned char indexAddOne)
{
    m_link.blockWrite("cmd Failed 0D",
                      HidFrame::build(0x0D, {indexAddOne, WireSizes::Block}),
                      src64,
                      WireSizes::KeyMatrix,
                      WireSizes::Block);
}

void HidCommandSet560::setProfile(const unsigned char* src128, unsigned char profileData)
{
    m_link.blockWrite("cmd Failed 0C",
                      HidFrame::build(0x0C, {profileData, WireSizes::Block}),
                      src128,
                      WireSizes::Block,
                      WireSizes::Block);
}

void HidCommandSet560::readProfile(unsigned char* src128, unsigned char profileNo)
{
    m_link.blockRead("cmd Failed 8c", HidFrame::build(0x8C, {profileNo}), src128, WireSizes::Block);
}

void HidCommandSet560::setCurrentProfile(unsigned char profile)
{
    m_link.simpleWrite("cmd Failed 02", HidFrame::build(0x02, {profile}), false);
}

void HidCommandSet560::setMacroKey(unsigned char macroId, const unsigned char* src128)
{
    m_link.blockWrite("cmd Failed 0F",
                      HidFrame::build(0x0F, {macroId, WireSizes::Block}),
                      src128,
                      WireSizes::Block,
                      WireSizes::Block);
}
