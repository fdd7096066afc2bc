#include "HidTrace.h"

#include <QMutex>
#include <QMutexLocker>
#include <atomic>
#include <cstdio>

namespace {

std::atomic<bool> g_enabled {false};
QMutex g_mutex;
HidTrace::Sink g_sink;

void emitLine(const QByteArray& line)
{
    QMutexLocker lock(&g_mutex);
    if (g_sink) {
        g_sink(line);
        return;
    }
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

} // namespace

namespace HidTrace {

void setEnabled(bool on)
{
    g_enabled = on;
}

bool enabled()
{
    return g_enabled;
}

void setSink(Sink sink)
{
    QMutexLocker lock(&g_mutex);
    g_sink = std::move(sink);
}

void report(const char* kind, const unsigned char* bytes, int length)
{
    if (!g_enabled) {
        return;
    }
    QByteArray line("hid ");
    line += kind;
    if (length > 0) {
        line += ' ';
        line += QByteArray(reinterpret_cast<const char*>(bytes), length).toHex(' ');
    }
    emitLine(line);
}

void sleep(int milliseconds)
{
    if (g_enabled) {
        emitLine("hid sleep " + QByteArray::number(milliseconds));
    }
}

void note(const QByteArray& line)
{
    if (g_enabled) {
        emitLine(line);
    }
}

} // namespace HidTrace
