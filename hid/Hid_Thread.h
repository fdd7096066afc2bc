#ifndef QX7_HID_THREAD_H
#define QX7_HID_THREAD_H

#include "DeviceRecord.h"
#include "HidFrame.h"

#include <QFuture>
#include <QList>
#include <QMutex>
#include <QThread>
#include <atomic>
#include <memory>

class HidClock;
class HidHandle;
class HidOwner;
class HidTransport;

// The only component that talks to the mouse. Commands run on the caller's (GUI) thread and are kept
// apart by the link token `hidFree`; the event listener runs on a pool thread and touches only the
// event interface, `isListening` and the records' `path2`, which are guarded for it.
class Hid_Thread : public QThread
{
    Q_OBJECT

public:
    // Without a transport the link uses hidapi; without a clock it waits for real. Neither is owned.
    explicit Hid_Thread(HidTransport* transport = nullptr, HidClock* clock = nullptr);
    ~Hid_Thread() override;

    enum class Outcome { Ok, TokenBusy, Failed };

    // How the last command ended; commands themselves return nothing.
    Outcome lastOutcome() const { return m_lastOutcome; }
    // Exchanges that failed or never got the token since the link was built.
    int failedExchanges() const { return m_failedExchanges; }

    void setTransport(HidTransport* transport);
    HidTransport* transport() const { return m_transport; }
    void setClock(HidClock* clock);

    // Replaces the known devices (the link owns them from here on) and frees the old ones.
    void setDeviceList(const QList<DeviceRecord*>& records);
    // A copy of record `index` taken under the record lock; an empty record when out of range.
    DeviceRecord deviceRecord(int index) const;
    int deviceCount() const;
    void setDevicePaths(int index, const QString& path, const QString& path2);

    // Interfaces of the link used by the command functions.
    HidHandle* openHidDevice(int index);
    HidHandle* openHidDevice2(int index);
    bool waitHidFree();
    void waitSettle();
    bool sendCmd(int length, bool settle);
    bool readCmd(int length);

    // Keyboard options and the event listener.
    void initKeyboardoption(int index);
    // Reads the options, sets the program's option bit and writes them back; false when they
    // could not be read (nothing is written then).
    bool updateKeyboardoption();
    void stopListen();
    void listenDevice(int index);
    // Blocks until the last listener started has ended.
    void waitListener();

    // The link's process-wide secrecy code; bytes 1-6 hold the last six-character code loaded.
    static unsigned char SecrecyCode[8];

    HidOwner* ownerWidget = nullptr;
    QList<DeviceRecord*> deviceList;
    int deviceIndex = 1;
    HidHandle* hidHandle = nullptr;
    HidHandle* hidHandle2 = nullptr;
    bool hidFree = true;
    std::atomic<bool> isListening {false};
    QFuture<void> listenFuture;
    unsigned char cmdBuf[HidFrame::FrameSize] = {};
    unsigned char replyBuf[HidFrame::FrameSize] = {};
    unsigned char dataBuf[HidFrame::BlockBufferSize] = {};

    // A block read gives up on a device that stops sending input reports after this long.
    static constexpr int BlockReadTimeoutMs = 1000;
    // The listener's wait for one event report.
    static constexpr int EventReadTimeoutMs = 500;
    // Report lengths outside 1..MaxReportLength cannot carry a block.
    static constexpr int MaxReportLength = 4096;

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
    HidHandle* openInterface(int index, QString DeviceRecord::*path, HidHandle*& handle);
    bool takeToken(const char* failTrace);
    void loadFrame(const HidFrame::Frame& frame);
    void pause(int milliseconds);
    void processEvents();
    void closeCommandHandle();
    bool fail();
    bool isGunDevice() const;
    bool validReportLength(int reportLength) const;
    void simpleWrite(const char* failTrace, const HidFrame::Frame& frame, bool settle);
    void blockWrite(const char* failTrace, const HidFrame::Frame& frame, const unsigned char* src, int length);
    void seriesWrite(const char* failTrace, unsigned char code, unsigned char value);
    // Fills replyBuf with the caller's values at the positions read back, exchanges, copies out.
    bool replyRead(const char* failTrace, const HidFrame::Frame& frame, unsigned char* const* outs, int count);

    HidTransport* m_transport = nullptr;
    HidClock* m_clock = nullptr;
    std::unique_ptr<HidTransport> m_ownTransport;
    std::unique_ptr<HidClock> m_ownClock;
    Outcome m_lastOutcome = Outcome::Ok;
    int m_failedExchanges = 0;
    mutable QMutex m_recordLock;
    QMutex m_listenerLock;
};

#endif // QX7_HID_THREAD_H
