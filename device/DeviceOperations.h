#ifndef QX7_DEVICEOPERATIONS_H
#define QX7_DEVICEOPERATIONS_H

#include "ButtonFunction.h"
#include "ControllerFamily.h"
#include "WireSizes.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <array>
#include <functional>
#include <memory>

class ConfigStore;
class DeviceFamily;
class Hid_Thread;
class SceneCalls;

// The operations that turn edited values into device commands. What differs between the
// controller families is one DeviceFamily, chosen here once from the configuration. The screens
// call these; qx7ctl and the tests call them directly.
class DeviceOperations
{
public:
    using Image = std::array<unsigned char, WireSizes::Block>;

    // The device flags are read from the configuration here, once.
    DeviceOperations(Hid_Thread* hid, ConfigStore* store);
    ~DeviceOperations();
    DeviceOperations(const DeviceOperations&) = delete;
    DeviceOperations& operator=(const DeviceOperations&) = delete;

    void setScene(SceneCalls* scene) { m_scene = scene; }
    Hid_Thread* hid() const { return m_hid; }
    // Exchanges with the mouse that failed since the link was built: a flow's sends failed when
    // this grew.
    int failedExchanges() const;
    ControllerFamily family() const;
    bool isGun() const { return m_isGun; }
    const Image& profileImage(int number) const { return m_profileImages.at(static_cast<size_t>(number)); }

    void mouseSetReportRate(unsigned char rate);
    void mouseSetCurrentDPI(unsigned char currentDPI);
    QVariant mouseGetCurrentDPI();
    void mouseSwitchKeyMatrix(int indexNo);
    void mouseSetKeyboardoption(unsigned char byte1, unsigned char byte2, unsigned char byte3, unsigned char byte4);
    QVariantList GetKeyboardoption();
    void mouseSetProfile(uint profileNo);
    void mouseReadProfile(uint profileNo);
    QVariant mouseReadCurrentProfile();
    // Start-up: a mouse keeping on-board profiles works on the first; it is switched there when
    // it reports another.
    void mouseUseFirstProfile();
    void clearHidBusy();
    void setBusy(int busyTime);
    void setCurrentDPI(int dpiValue);

    // Every key matrix reaches the profile and the mouse through these two: one without the left
    // button is refused (nothing stored, nothing sent).
    void mouseSetKeyMatrix(const QVariantList& src64, bool isSendData, const QVariantList& otherParam);
    QVariantList mouseGetKeydefine(const QVariant& index, bool isRecovery);
    void mouseResetKeyMatrix();
    void mouseSetDpi(int dpiCount, const QString& sensorType, const QVariantList& dpiValueArray);
    // False when the exchange with the mouse failed; a slot the mouse lacks sends nothing.
    QVariant mouseSendMacroData(const QVariantList& macroData, const QVariant& macroIndex);
    void mouseSetRGBEffect(unsigned char effect, unsigned char option1, unsigned char option2);
    void mouseSetRGBColor(unsigned char type, const QVariantList& src24);
    // Gun slot 1-3; another slot sends nothing.
    void mouseSendGundata(int slot, const QVariantList& values);

    // While one lives, a setting whose bytes this connection already sent the mouse, and that no
    // failed exchange has put in doubt since, is not sent again; an on-board image patched several
    // times goes out once, before the next other command or when the QuickSend ends.
    class QuickSend
    {
    public:
        explicit QuickSend(DeviceOperations& ops);
        ~QuickSend();
        QuickSend(const QuickSend&) = delete;
        QuickSend& operator=(const QuickSend&) = delete;

    private:
        DeviceOperations& m_ops;
    };

    // What a new connection does on the device: frees the link, brings the keyboard options up to
    // date (starting the listener when asked) and, on the 560 family, reads the on-board profiles.
    void connectDevice(int deviceIndex, bool startListener);

private:
    friend class DeviceFamily;

    // Sends `setting` (its bytes as they go out) through `send`, or skips it as QuickSend allows;
    // remembers what the mouse holds after a send that worked.
    void sendSetting(const QByteArray& setting, const QByteArray& bytes, const std::function<void()>& send);
    static QByteArray bytesOf(const unsigned char* data, int size);
    void sendImage(uint number);
    void sendHeldImages();
    void sendKeyMatrix(const ButtonFunction::DeviceMatrix& matrix, unsigned char indexAddOne);

    Hid_Thread* m_hid;
    ConfigStore* m_store;
    SceneCalls* m_scene = nullptr;
    std::unique_ptr<DeviceFamily> m_family;
    bool m_isColorful = false;
    bool m_isGun = false;
    bool m_is55328 = false;
    std::array<Image, WireSizes::ProfileImages> m_profileImages {};
    // What this connection last sent per setting.
    QHash<QByteArray, QByteArray> m_sent;
    int m_failedSeen = 0;
    int m_quick = 0;
    // Images patched under QuickSend and not sent yet, one bit per image.
    unsigned m_heldImages = 0;
};

#endif // QX7_DEVICEOPERATIONS_H
