#ifndef QX7_DPISWITCHTEXTS_H
#define QX7_DPISWITCHTEXTS_H

#include <QString>
#include <QStringList>

// The eight balloon texts of a DPI-stage event. Written on the GUI thread when a language
// is loaded, read by the listener thread, so every access takes a lock.
namespace DpiSwitchTexts {

constexpr int Count = 8;

// Replaces the texts with the first eight of `texts`; missing ones keep the default.
void set(const QStringList& texts);
// Restores the start-up texts ("DPI Switch to" each).
void reset();
// All eight texts.
QStringList all();
// The text for an event's stage byte: stages 1-7 pick their own, everything else the eighth.
QString forStage(int stage);

} // namespace DpiSwitchTexts

#endif // QX7_DPISWITCHTEXTS_H
