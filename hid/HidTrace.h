#ifndef QX7_HIDTRACE_H
#define QX7_HIDTRACE_H

#include <QByteArray>
#include <functional>

// The link's wire trace: one line per report ("hid output 00 1f ...") and per pause ("hid sleep 120").
// Off by default; other tools read the format, so it stays fixed.
namespace HidTrace {

using Sink = std::function<void(const QByteArray& line)>;

// Writes to standard error while on.
void setEnabled(bool enabled);
bool enabled();
// Replaces standard error as the destination (tests); an empty sink restores it.
void setSink(Sink sink);

void report(const char* kind, const unsigned char* bytes, int length);
void sleep(int milliseconds);
void note(const QByteArray& line);

} // namespace HidTrace

#endif // QX7_HIDTRACE_H
