#ifndef QX7_HIDCOMMANDSET560_H
#define QX7_HIDCOMMANDSET560_H

class HidLink;

// The commands of the 560 controller family: each one's frame and block, carried by the link.
//
// Numbering on the wire: profiles, DPI stages, key matrices and macro numbers count from 1 (the
// screens' macro slot 0-11 goes as 1-12). The on-board profile images are numbered 0-4; a gun
// slot s lives in image s + 1. The view does the shifting; these take the device's numbers.
class HidCommandSet560
{
public:
    explicit HidCommandSet560(HidLink& link)
        : m_link(link)
    {
    }

    void getKeyboardOption(unsigned char& byte1, unsigned char& byte2);
    void getCurrentProfile(unsigned char& byte1);
    // byte1 goes out as the request's parameter; the stage comes back in byte2.
    void getCurrentDpi(unsigned char& byte1, unsigned char& byte2);
    void setKeyboardOption(unsigned char byte1, unsigned char byte2);
    // The report rate and the DPI stage go out as a series numbered 1-4; a gun mouse takes only
    // the first.
    void setReportRate(unsigned char rate, bool gunMouse);
    void setCurrentDpi(unsigned char stage, bool gunMouse);
    // The 64-byte matrix travels in a 128-byte block whose second half is zero.
    void setKeyMatrix(const unsigned char* src64, unsigned char indexAddOne);
    void setProfile(const unsigned char* src128, unsigned char profileData);
    // The image keeps its bytes where the read fails.
    void readProfile(unsigned char* src128, unsigned char profileNo);
    void setCurrentProfile(unsigned char profile);
    void setMacroKey(unsigned char macroId, const unsigned char* src128);

private:
    HidLink& m_link;
};

#endif // QX7_HIDCOMMANDSET560_H
