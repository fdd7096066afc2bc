#ifndef QX7_VIRTUALMOUSE_H
#define QX7_VIRTUALMOUSE_H

#include "ControllerFamily.h"
#include "DeviceRecord.h"
#include "HidTransport.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <array>
#include <condition_variable>
#include <functional>
#include <mutex>

// A mouse that behaves like the firmware on the wire: it answers the command interface of either
// command set, keeps what every command sets, scrambles with its own secrecy code, and sends DPI
// events on its event interface. It is a transport of its own and passes what is not its own to
// `next`, so it can sit beside real devices (demo mode) or alone (tests).
class VirtualMouse : public HidTransport
{
public:
    using Family = ControllerFamily;

    // The device the mouse passes for (its paths are not used), and its command set.
    struct Config
    {
        DeviceRecord device = defaultDevice();
        Family family = Family::Set553;
    };

    // What the mouse keeps; a copy is handed to tests.
    struct State
    {
        std::array<unsigned char, 4> keyboardOptions {{0x12, 0x34, 0x56, 0x01}};
        int activeStage = 1;
        int dpiStageCount = 4;
        unsigned char reportRate = 1;
        // Per sequence number 1-4 of the report-rate and DPI series.
        std::array<unsigned char, 5> seriesReportRate {};
        std::array<unsigned char, 5> seriesDpiStage {};
        unsigned char currentKeyMatrix = 0;
        int currentProfile = 1;
        QByteArray dpiTable;
        QMap<int, QByteArray> keyMatrices;
        QMap<int, QByteArray> macros;
        unsigned char ledEffect = 0;
        unsigned char ledOption1 = 0;
        unsigned char ledOption2 = 0;
        std::array<unsigned char, 3> fixColor {};
        unsigned char stageColorType = 0;
        QByteArray stageColors;
        // Gun slot (from 0) -> repeat count, X, Y.
        QMap<int, QByteArray> gunData;
        QMap<int, QByteArray> profileImages;
        int featureReports = 0;
        int outputReports = 0;
        int inputReports = 0;
        // Frames that did not unscramble to a valid checksum.
        int rejectedFrames = 0;
    };

    explicit VirtualMouse(const Config& config, HidTransport* next = nullptr);
    ~VirtualMouse() override;

    // The mouse of the shipped device list, unscrambled.
    static DeviceRecord defaultDevice();

    // The virtual twin of a configured device.
    static Config configFor(const DeviceRecord& record, Family family);
    // The images the mouse starts with: varied, never zero.
    static QByteArray initialProfileImage(int number);

    QList<HidDeviceInfo> enumerate(uint16_t vendorId, uint16_t productId) override;
    HidHandle* open(const QByteArray& path) override;
    int setNonBlocking(HidHandle* handle, bool nonBlocking) override;
    int sendFeatureReport(HidHandle* handle, const unsigned char* data, size_t length) override;
    int getFeatureReport(HidHandle* handle, unsigned char* data, size_t length) override;
    int write(HidHandle* handle, const unsigned char* data, size_t length) override;
    int read(HidHandle* handle, unsigned char* data, size_t length) override;
    int readTimeout(HidHandle* handle, unsigned char* data, size_t length, int milliseconds) override;
    void close(HidHandle* handle) override;
    int lastOpenError() const override { return m_next ? m_next->lastOpenError() : 0; }

    QByteArray commandPath() const;
    QByteArray eventPath() const;
    const Config& config() const { return m_config; }

    State state() const;
    void setKeyboardOptions(const std::array<unsigned char, 4>& options);
    void setActiveStage(int stage);
    void setCurrentProfile(int profile);
    void setProfileImage(int number, const QByteArray& image);

    // The DPI button: moves to the next stage and reports it on the event interface.
    void pressDpiButton();
    // Any bytes on the event interface (odd reports for tests).
    void sendEventReport(const QByteArray& report);

    void unplug();
    void plug();
    bool isPlugged() const;
    // After `reports` more successful report exchanges the mouse is pulled out.
    void unplugAfterReports(int reports);
    // Called (without the mouse's lock) whenever it is plugged in or out.
    void setPlugListener(std::function<void()> listener);
    // Every report as it crosses the wire, in the trace's words ("feature-out 00 01 ...").
    void setWireLogger(std::function<void(const QByteArray&)> logger);
    // Number of handles currently open.
    int openHandles() const;

private:
    class Handle;

    bool ownsPath(const QByteArray& path) const;
    // Handles of other transports (or other virtual mice) are passed on to `next`.
    Handle* mine(HidHandle* handle) const;
    Handle* liveHandle(HidHandle* handle) const;
    bool countExchange();
    // One report on the command interface: checks the handle, counts down a planned unplug, runs
    // `exchange` under the lock.
    int commandExchange(HidHandle* handle, bool wellFormed, const std::function<int()>& exchange);
    void logWire(const char* kind, const unsigned char* bytes, int length);
    void handleCommand(const unsigned char* frame);
    void handle553(const unsigned char* frame);
    void handle560(const unsigned char* frame);
    void setReply(unsigned char code, std::initializer_list<unsigned char> values);
    void startBlock(unsigned char code, const unsigned char* frame);
    void finishBlock();
    int popReport(std::unique_lock<std::mutex>& lock,
                  QList<QByteArray>& queue,
                  unsigned char* data,
                  size_t length,
                  int milliseconds);
    void notifyPlug();

    Config m_config;
    HidTransport* m_next;
    // Standard primitives, so race checkers see the waits.
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    State m_state;
    unsigned char m_code[8] = {};
    bool m_plugged = true;
    int m_generation = 0;
    int m_unplugCountdown = -1;
    int m_openHandles = 0;
    unsigned char m_reply[9] = {};
    unsigned char m_blockCode = 0;
    unsigned char m_blockParam = 0;
    int m_blockExpected = 0;
    QByteArray m_block;
    QList<QByteArray> m_inputQueue;
    QList<QByteArray> m_eventQueue;
    std::function<void()> m_plugListener;
    std::function<void(const QByteArray&)> m_wireLogger;
};

#endif // QX7_VIRTUALMOUSE_H
