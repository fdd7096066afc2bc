#ifndef QX7_DEVICEFAMILY_H
#define QX7_DEVICEFAMILY_H

#include "ControllerFamily.h"
#include "DeviceOperations.h"
#include "LightingEncoding.h"
#include "WireSizes.h"

#include <array>
#include <memory>

class Hid_Thread;

// What one controller family does for each device operation that differs between the families:
// the commands it sends, and on the 560 family the on-board images it patches. DeviceOperations
// picks one implementation from the configuration, once, and calls it from its operations.
class DeviceFamily
{
public:
    using DpiCodes = std::array<unsigned char, WireSizes::DpiStages>;
    using ColorTable = std::array<unsigned char, WireSizes::StageColors>;

    struct DpiTable
    {
        // Stages in use, and stages given a value.
        int count = 0;
        int filled = 0;
        DpiCodes codes {};
        // One high bit per stage; sent only by sensors that take them.
        unsigned char highBits = 0;
        bool sendHighBits = false;
    };

    static std::unique_ptr<DeviceFamily> create(ControllerFamily family, DeviceOperations& ops);
    virtual ~DeviceFamily() = default;

    virtual ControllerFamily family() const = 0;
    // These three run inside the operation's send of the setting.
    virtual void setReportRate(unsigned char rate) = 0;
    // `indexNo` counts from 1.
    virtual void switchKeyMatrix(unsigned char indexNo) = 0;
    virtual void setKeyMatrix(unsigned char* block, unsigned char indexAddOne) = 0;

    virtual void setCurrentDpi(unsigned char stage) = 0;
    // The stage the mouse is on, counted from 1.
    virtual int currentDpi() = 0;
    virtual void setDpi(const DpiTable& table) = 0;
    virtual void setMacroKey(unsigned char macroId, unsigned char* block) = 0;
    virtual void setEffect(const LightingEncoding::Effect& effect, bool colorful) = 0;
    virtual void setColors(unsigned char type, ColorTable& table) = 0;
    // Repeat count, rate and correction of gun slot `slot`.
    virtual void setGunData(int slot, const std::array<unsigned char, 3>& values) = 0;
    // A new connection: what the operations keep of the mouse is read.
    virtual void readMouse() = 0;
    virtual void useFirstProfile() = 0;

protected:
    explicit DeviceFamily(DeviceOperations& ops)
        : m_ops(ops)
    {
    }

    Hid_Thread& hid() const { return *m_ops.m_hid; }
    bool isGun() const { return m_ops.m_isGun; }
    bool isColorful() const { return m_ops.m_isColorful; }
    bool is55328() const { return m_ops.m_is55328; }
    DeviceOperations::Image& image(int number) { return m_ops.m_profileImages[static_cast<size_t>(number)]; }
    void sendSetting(const QByteArray& setting, const QByteArray& bytes, const std::function<void()>& send)
    {
        m_ops.sendSetting(setting, bytes, send);
    }
    static QByteArray bytesOf(const unsigned char* data, int size) { return DeviceOperations::bytesOf(data, size); }

    DeviceOperations& m_ops;
};

#endif // QX7_DEVICEFAMILY_H
