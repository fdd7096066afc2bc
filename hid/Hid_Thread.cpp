#include "Hid_Thread.h"

#include "HidOwner.h"
#include "HidScrambler.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <cstring>

unsigned char (&Hid_Thread::SecrecyCode)[8] = HidLink::SecrecyCode;

namespace {

constexpr int ChallengeSize = 4;
constexpr int SecrecyCodeLength = 6;
constexpr unsigned char OptionBit553 = 0x40;
constexpr unsigned char OptionBit560 = 0x08;

} // namespace

Hid_Thread::Hid_Thread(HidTransport* transport, HidClock* clock)
    : QThread(nullptr)
    , m_link(transport, clock)
    , m_set553(m_link)
    , m_set560(m_link)
    , m_listener(m_link)
{
}

Hid_Thread::~Hid_Thread() = default;

bool Hid_Thread::isGunDevice() const
{
    return m_ownerWidget && m_ownerWidget->isGun();
}

unsigned char Hid_Thread::hidCS(unsigned char* cmd)
{
    return cmd ? HidFrame::checksum(cmd) : 0xFF;
}

void Hid_Thread::USBDataEncryption(unsigned char* FIFOBuf, unsigned char* SecrecyCode)
{
    if (FIFOBuf && SecrecyCode) {
        HidScrambler::encrypt(FIFOBuf, SecrecyCode);
    }
}

void Hid_Thread::USBDataDecipher(unsigned char* FIFOBuf, unsigned char* SecrecyCode)
{
    if (FIFOBuf && SecrecyCode) {
        HidScrambler::decipher(FIFOBuf, SecrecyCode);
    }
}

bool Hid_Thread::chkDeviceIsEnCode(int index)
{
    m_link.setDeviceIndex(index);
    QRandomGenerator random(static_cast<quint32>(QDateTime::currentDateTime().toSecsSinceEpoch()));
    unsigned char challenge[ChallengeSize];
    for (unsigned char& byte : challenge) {
        byte = static_cast<unsigned char>(random.generate() & 0xFF);
    }
    const QString code = m_link.deviceRecord(index).sCode;
    if (code.size() == SecrecyCodeLength) {
        for (int k = 0; k < SecrecyCodeLength; ++k) {
            SecrecyCode[k + 1] = static_cast<unsigned char>(code.at(k).toLatin1());
        }
    }
    unsigned char answer[ChallengeSize];
    std::memcpy(answer, challenge, sizeof answer);
    m_set553.getSecrecyCode(answer[0], answer[1], answer[2], answer[3]);
    if (m_link.lastOutcome() == Outcome::TokenBusy) {
        return false;
    }
    return std::memcmp(answer, challenge, sizeof answer) == 0;
}

void Hid_Thread::hid553_00H_GetSecrecyCode(unsigned char& byte1,
                                           unsigned char& byte2,
                                           unsigned char& byte3,
                                           unsigned char& byte4)
{
    m_set553.getSecrecyCode(byte1, byte2, byte3, byte4);
}

void Hid_Thread::hid553_83H_GetKeyboardoption(unsigned char& byte1,
                                              unsigned char& byte2,
                                              unsigned char& byte3,
                                              unsigned char& byte4)
{
    m_set553.getKeyboardOption(byte1, byte2, byte3, byte4);
}

void Hid_Thread::hid560_81H_GetKeyboardoption(unsigned char& byte1, unsigned char& byte2)
{
    m_set560.getKeyboardOption(byte1, byte2);
}

void Hid_Thread::hid560_82H_GetCurrentProfile(unsigned char& byte1)
{
    m_set560.getCurrentProfile(byte1);
}

void Hid_Thread::hid560_84H_GetCurrentDPI(unsigned char& byte1, unsigned char& byte2)
{
    m_set560.getCurrentDpi(byte1, byte2);
}

void Hid_Thread::hid553_8BH_GetCurrentDPI(unsigned char& byte1)
{
    m_set553.getCurrentDpi(byte1);
}

void Hid_Thread::hid553_03H_SetKeyboardoption(unsigned char byte1,
                                              unsigned char byte2,
                                              unsigned char byte3,
                                              unsigned char byte4)
{
    m_set553.setKeyboardOption(byte1, byte2, byte3, byte4);
}

void Hid_Thread::hid553_04H_SetGunData(unsigned char byte1,
                                       unsigned char byte2,
                                       unsigned char byte3,
                                       unsigned char byte4)
{
    m_set553.setGunData(byte1, byte2, byte3, byte4);
}

void Hid_Thread::hid560_01H_SetKeyboardoption(unsigned char byte1, unsigned char byte2)
{
    m_set560.setKeyboardOption(byte1, byte2);
}

void Hid_Thread::hid553_01H_SetReportRate(unsigned char rate)
{
    m_set553.setReportRate(rate);
}

void Hid_Thread::hid560_03H_SetReportRate(unsigned char rate)
{
    m_set560.setReportRate(rate, isGunDevice());
}

void Hid_Thread::hid560_04H_SetCurrentDPI(unsigned char stage)
{
    m_set560.setCurrentDpi(stage, isGunDevice());
}

void Hid_Thread::hid553_0BH_SetCurrentDPI(unsigned char stage)
{
    m_set553.setCurrentDpi(stage);
}

void Hid_Thread::hid553_12H_SetKeyMatrix(unsigned char* src64, unsigned char indexAddOne)
{
    m_set553.setKeyMatrix(src64, indexAddOne);
}

void Hid_Thread::hid560_0DH_SetKeyMatrix(unsigned char* src64, unsigned char indexAddOne)
{
    m_set560.setKeyMatrix(src64, indexAddOne);
}

void Hid_Thread::hid560_0CH_setProfile(unsigned char* src128, unsigned char profileData)
{
    m_set560.setProfile(src128, profileData);
}

void Hid_Thread::hid560_8CH_readProfile(unsigned char* src128, unsigned char profileNo)
{
    m_set560.readProfile(src128, profileNo);
}

void Hid_Thread::hid560_02H_SetCurrentProfile(unsigned char profile)
{
    m_set560.setCurrentProfile(profile);
}

void Hid_Thread::hid553_13H_SetMacroKey(unsigned char macroId, unsigned char* src128)
{
    m_set553.setMacroKey(macroId, src128);
}

void Hid_Thread::hid560_0FH_SetMacroKey(unsigned char macroId, unsigned char* src128)
{
    m_set560.setMacroKey(macroId, src128);
}

void Hid_Thread::hid553_11H_SetDPISet(unsigned char dpiStage, unsigned char* src8)
{
    m_set553.setDpiSet(dpiStage, src8);
}

void Hid_Thread::hid553_02H_SetCurrentKeyMatrix(unsigned char currentKeyMatrix)
{
    m_set553.setCurrentKeyMatrix(currentKeyMatrix);
}

void Hid_Thread::hid553_0DH_SetRGBLedEffect(unsigned char effect, unsigned char option1, unsigned char option2)
{
    m_set553.setRgbLedEffect(effect, option1, option2);
}

void Hid_Thread::hid553_0CH_SetFixLEDColor(unsigned char* src3)
{
    m_set553.setFixLedColor(src3);
}

void Hid_Thread::hid553_10H_SetLED8StageColor(unsigned char type, unsigned char* src24)
{
    m_set553.setLed8StageColor(type, src24);
}

bool Hid_Thread::updateKeyboardoption()
{
    if (m_ownerWidget && m_ownerWidget->family() == ControllerFamily::Set560) {
        unsigned char options[2] = {};
        m_set560.getKeyboardOption(options[0], options[1]);
        if (m_link.lastOutcome() != Outcome::Ok) {
            return false;
        }
        m_set560.setKeyboardOption(static_cast<unsigned char>(options[0] | OptionBit560), options[1]);
    } else {
        unsigned char options[4] = {};
        m_set553.getKeyboardOption(options[0], options[1], options[2], options[3]);
        if (m_link.lastOutcome() != Outcome::Ok) {
            return false;
        }
        m_set553.setKeyboardOption(
            options[0], options[1], options[2], static_cast<unsigned char>(options[3] | OptionBit553));
    }
    return m_link.lastOutcome() == Outcome::Ok;
}

void Hid_Thread::initKeyboardoption(int index)
{
    // One listener at a time: the previous one ends within one read.
    m_listener.stopListen();
    m_listener.waitListener();
    updateKeyboardoption();
    m_listener.start(index, m_ownerWidget);
}
