#ifndef QX7_DEVICEFAMILY560_H
#define QX7_DEVICEFAMILY560_H

#include "DeviceFamily.h"

// The 560 family: DPI, lighting and gun slots live in the on-board profile images, patched and
// sent whole.
class DeviceFamily560 : public DeviceFamily
{
public:
    explicit DeviceFamily560(DeviceOperations& ops)
        : DeviceFamily(ops)
    {
    }

    ControllerFamily family() const override { return ControllerFamily::Set560; }
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
    void readMouse() override;
    void useFirstProfile() override;

private:
    // Image 1, and the gun slots' images 2-4 on a gun mouse.
    void sendImages();
};

#endif // QX7_DEVICEFAMILY560_H
