#ifndef QX7_HID_THREAD_H
#define QX7_HID_THREAD_H

#include "DeviceRecord.h"
#include "HidCommandSet553.h"
#include "HidCommandSet560.h"
#include "HidLink.h"
#include "HidListener.h"

#include <QList>
#include <QThread>

class HidClock;
class HidOwner;
class HidTransport;

// The only component that talks to the mouse, and the object the scene knows as "hid". Commands
// run on the caller's (GUI) thread through the link and its token; the event listener runs on a
// pool thread. Derived from QThread for its place in the program, but never started as a thread.
class Hid_Thread : public QThread
{
    Q_OBJECT

public:
    using Outcome = HidLink::Outcome;

    // The link's process-wide secrecy code; bytes 1-6 hold the last six-character code loaded.
    static unsigned char (&SecrecyCode)[8];

    // Without a transport the link uses hidapi; without a clock it waits for real. Neither is owned.
    explicit Hid_Thread(HidTransport* transport = nullptr, HidClock* clock = nullptr);
    ~Hid_Thread() override;

    // The program around the link: device flags, and where the listener's events go.
    void setOwnerWidget(HidOwner* owner) { m_ownerWidget = owner; }
    HidOwner* ownerWidget() const { return m_ownerWidget; }

    void setTransport(HidTransport* transport) { m_link.setTransport(transport); }
    HidTransport* transport() const { return m_link.transport(); }
    void setClock(HidClock* clock) { m_link.setClock(clock); }

    // Replaces the known devices (the link owns them from here on) and frees the old ones.
    void setDeviceList(const QList<DeviceRecord*>& records) { m_link.setDeviceList(records); }
    // A copy of record `index` taken under the record lock; an empty record when out of range.
    DeviceRecord deviceRecord(int index) const { return m_link.deviceRecord(index); }
    void setDeviceRecord(int index, const DeviceRecord& record) { m_link.setDeviceRecord(index, record); }
    int deviceCount() const { return m_link.deviceCount(); }
    // The device all commands address; the handshake selects it.
    int deviceIndex() const { return m_link.deviceIndex(); }
    void setDeviceIndex(int index) { m_link.setDeviceIndex(index); }

    // The link token: true while no command is in progress.
    bool hidFree() const { return m_link.hidFree(); }
    void setHidFree(bool free) { m_link.setHidFree(free); }
    Outcome lastOutcome() const { return m_link.lastOutcome(); }
    int failedExchanges() const { return m_link.failedExchanges(); }
    // A command is on the way; true only for code that runs from the event processing inside it.
    bool inExchange() const { return m_link.inExchange(); }

    // Keyboard options and the event listener.
    void initKeyboardoption(int index);
    // Reads the options, sets the program's option bit and writes them back; false when they
    // could not be read (nothing is written then).
    bool updateKeyboardoption();
    void stopListen() { m_listener.stopListen(); }
    // Blocks until the last listener started has ended.
    void waitListener() { m_listener.waitListener(); }
    bool isListening() const { return m_listener.isListening(); }
    bool isListenerRunning() const { return m_listener.isRunning(); }

public slots:
    unsigned char hidCS(unsigned char* cmd);
    bool chkDeviceIsEnCode(int index);
    void USBDataEncryption(unsigned char* FIFOBuf, unsigned char* SecrecyCode);
    void USBDataDecipher(unsigned char* FIFOBuf, unsigned char* SecrecyCode);
    void
    hid553_00H_GetSecrecyCode(unsigned char& byte1, unsigned char& byte2, unsigned char& byte3, unsigned char& byte4);
    void hid553_83H_GetKeyboardoption(unsigned char& byte1,
                                      unsigned char& byte2,
                                      unsigned char& byte3,
                                      unsigned char& byte4);
    void hid560_81H_GetKeyboardoption(unsigned char& byte1, unsigned char& byte2);
    void hid560_82H_GetCurrentProfile(unsigned char& byte1);
    void hid560_84H_GetCurrentDPI(unsigned char& byte1, unsigned char& byte2);
    void hid553_8BH_GetCurrentDPI(unsigned char& byte1);
    void
    hid553_03H_SetKeyboardoption(unsigned char byte1, unsigned char byte2, unsigned char byte3, unsigned char byte4);
    void hid553_04H_SetGunData(unsigned char byte1, unsigned char byte2, unsigned char byte3, unsigned char byte4);
    void hid560_01H_SetKeyboardoption(unsigned char byte1, unsigned char byte2);
    void hid553_01H_SetReportRate(unsigned char rate);
    void hid560_03H_SetReportRate(unsigned char rate);
    void hid560_04H_SetCurrentDPI(unsigned char stage);
    void hid553_0BH_SetCurrentDPI(unsigned char stage);
    void hid553_12H_SetKeyMatrix(unsigned char* src64, unsigned char indexAddOne);
    void hid560_0DH_SetKeyMatrix(unsigned char* src64, unsigned char indexAddOne);
    void hid560_0CH_setProfile(unsigned char* src128, unsigned char profileData);
    void hid560_8CH_readProfile(unsigned char* src128, unsigned char profileNo);
    void hid560_02H_SetCurrentProfile(unsigned char profile);
    void hid553_13H_SetMacroKey(unsigned char macroId, unsigned char* src128);
    void hid560_0FH_SetMacroKey(unsigned char macroId, unsigned char* src128);
    void hid553_11H_SetDPISet(unsigned char dpiStage, unsigned char* src8);
    void hid553_02H_SetCurrentKeyMatrix(unsigned char currentKeyMatrix);
    void hid553_0DH_SetRGBLedEffect(unsigned char effect, unsigned char option1, unsigned char option2);
    void hid553_0CH_SetFixLEDColor(unsigned char* src3);
    void hid553_10H_SetLED8StageColor(unsigned char type, unsigned char* src24);

private:
    bool isGunDevice() const;

    HidOwner* m_ownerWidget = nullptr;
    HidLink m_link;
    HidCommandSet553 m_set553;
    HidCommandSet560 m_set560;
    // Last, so it is stopped and waited for before the link it reads goes away.
    HidListener m_listener;
};

#endif // QX7_HID_THREAD_H
