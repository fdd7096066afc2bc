#ifndef QX7_DEVICEFAMILY553_H
#define QX7_DEVICEFAMILY553_H

#include "DeviceFamily.h"

// The 553 family: every setting has a command of its own.
class DeviceFamily553 : public DeviceFamily
{
public:
    explicit DeviceFamily553(DeviceOperations& ops)
        : DeviceFamily(ops)
    {
    }

    ControllerFamily family() const override { return ControllerFamily::Set553; }
    void setReportRate(unsigned char rate) override;
    void switchKeyMatrix(unsigned char indexNo) override;
    void setKeyMatrix(unsigned char* block, unsigned char indexAddOne) override;
    void setCurrentDpi(unsigned char stage) override;
    int currentDpi() override;
    void setDpi(const DpiTable& table) override;
    void setMacroKey(unsigned char macroId, unsigned char* block) override;
    void setEffect(const LightingEncoding::Effect& effect, bool colorful) override;
    void setColors(unsigned char type, ColorTable& table) override;
    void setGunData(int slot, const std::array<unsigned char, 3>& values) override;
    void readMouse() override { }
    void useFirstProfile() override { }
};

#endif // QX7_DEVICEFAMILY553_H
