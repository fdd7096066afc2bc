#ifndef QX7_FUZZTRANSPORT_H
#define QX7_FUZZTRANSPORT_H

#include "HidTransport.h"

#include <QMutex>
#include <functional>
#include <set>

class FuzzedDataProvider;

// A mouse whose answers come from a fuzz input: feature-in replies, the input reports of blocks and
// the event reports all take the input's next bytes, and so do the results of sends and writes.
// Opening works while the input lasts, so every loop of the link ends with it. Without an input the
// mouse echoes: a reply repeats the last command, an input report is full of zeros.
//
// Handles are checked on every call: one that was closed, or never handed out, stops the process.
class FuzzTransport : public HidTransport
{
public:
    static const QByteArray CommandPath;
    static const QByteArray EventPath;

    explicit FuzzTransport(FuzzedDataProvider* input);
    ~FuzzTransport() override;

    // What enumerate offers; by default the command and event interfaces of the shipped device.
    void setInterfaces(const QList<HidDeviceInfo>& interfaces);
    // After this many event reads `stop` is called (from the reading thread).
    void stopEventsAfter(int reads, std::function<void()> stop);

    int openHandles() const;
    // Input reads on command interfaces since the transport was made.
    int commandInputReads() const;

    QList<HidDeviceInfo> enumerate(uint16_t vendorId, uint16_t productId) override;
    HidHandle* open(const QByteArray& path) override;
    int setNonBlocking(HidHandle* handle, bool nonBlocking) override;
    int sendFeatureReport(HidHandle* handle, const unsigned char* data, size_t length) override;
    int getFeatureReport(HidHandle* handle, unsigned char* data, size_t length) override;
    int write(HidHandle* handle, const unsigned char* data, size_t length) override;
    int read(HidHandle* handle, unsigned char* data, size_t length) override;
    int readTimeout(HidHandle* handle, unsigned char* data, size_t length, int milliseconds) override;
    void close(HidHandle* handle) override;

private:
    class Handle;

    Handle* live(HidHandle* handle) const;
    // -1 or `length`, as the input decides.
    int outcome(size_t length);
    // Fills up to `length` bytes from the input; the count, or -1.
    int answer(unsigned char* data, size_t length);

    FuzzedDataProvider* m_input;
    mutable QMutex m_mutex;
    std::set<Handle*> m_handles;
    QList<HidDeviceInfo> m_interfaces;
    QByteArray m_lastFeature;
    int m_commandInputReads = 0;
    int m_eventReadsLeft = -1;
    std::function<void()> m_stopEvents;
};

#endif // QX7_FUZZTRANSPORT_H
