#ifndef QX7_HIDCOMMANDSET553_H
#define QX7_HIDCOMMANDSET553_H

class HidLink;

// The commands of the 553 controller family: each one's frame and block, carried by the link.
//
// Numbering on the wire: DPI stages and key matrices written with 12H count from 1, the key matrix
// chosen with 02H and the gun slot of 04H from 0, macro numbers from 1 (the screens' slot 0-11
// goes as 1-12). The view does the shifting; these take the device's numbers.
class HidCommandSet553
{
public:
    explicit HidCommandSet553(HidLink& link)
        : m_link(link)
    {
    }

    // 00H: the four challenge bytes go out in bytes 2-5 and the reply's bytes 2-5 replace them;
    // a failed exchange hands back zeros, never the challenge.
    void getSecrecyCode(unsigned char& byte1, unsigned char& byte2, unsigned char& byte3, unsigned char& byte4);
    void getKeyboardOption(unsigned char& byte1, unsigned char& byte2, unsigned char& byte3, unsigned char& byte4);
    void getCurrentDpi(unsigned char& byte1);
    void setKeyboardOption(unsigned char byte1, unsigned char byte2, unsigned char byte3, unsigned char byte4);
    // Byte 2 of the frame stays zero; the slot follows the three values.
    void setGunData(unsigned char repeat, unsigned char x, unsigned char y, unsigned char slot);
    void setReportRate(unsigned char rate);
    void setCurrentDpi(unsigned char stage);
    void setKeyMatrix(const unsigned char* src64, unsigned char indexAddOne);
    void setMacroKey(unsigned char macroId, const unsigned char* src128);
    void setDpiSet(unsigned char dpiStage, const unsigned char* src8);
    void setCurrentKeyMatrix(unsigned char currentKeyMatrix);
    void setRgbLedEffect(unsigned char effect, unsigned char option1, unsigned char option2);
    void setFixLedColor(const unsigned char* src3);
    // Type 2 carries a 4-byte table, every other type the 24 bytes of eight colours.
    void setLed8StageColor(unsigned char type, const unsigned char* src24);

private:
    HidLink& m_link;
};

#endif // QX7_HIDCOMMANDSET553_H
