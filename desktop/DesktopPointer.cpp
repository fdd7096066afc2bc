#include "DesktopPointer.h"

#include <QDebug>

#include <limits>

namespace {

constexpr uint32_t SlowestDoubleClickMs = 900;
constexpr uint32_t DoubleClickStepMs = 70;

} // namespace

DesktopPointer::DesktopPointer(std::unique_ptr<PointerSettings> settings)
    : m_settings(std::move(settings))
{
}

bool DesktopPointer::offers(PointerSettings::Setting setting) const
{
    return m_settings && m_settings->offers(setting);
}

uint32_t DesktopPointer::pointerSpeed(uint32_t cursorSpeed)
{
    if (cursorSpeed > std::numeric_limits<uint32_t>::max() / 2) {
        return std::numeric_limits<uint32_t>::max();
    }
    return cursorSpeed == 0 ? 1 : 2 * cursorSpeed;
}

uint32_t DesktopPointer::doubleClickTime(uint32_t speed)
{
    if (speed > SlowestDoubleClickMs / DoubleClickStepMs) {
        return 0;
    }
    return SlowestDoubleClickMs - DoubleClickStepMs * speed;
}

bool DesktopPointer::mouseSetCursorSpeed(uint32_t cursorSpeed)
{
    const bool done = m_settings && m_settings->setPointerSpeed(pointerSpeed(cursorSpeed));
    if (!done) {
        qDebug("setCursorSpeed Failed");
    }
    return done;
}

bool DesktopPointer::mouseSetVerticalScrollLines(uint32_t lines)
{
    const bool done = m_settings && m_settings->setWheelScrollLines(lines);
    if (!done) {
        qDebug("setVerticalScrollLines Failed");
    }
    return done;
}

bool DesktopPointer::mouseSetDoubleClickSpeed(uint32_t speed)
{
    const bool done = m_settings && m_settings->setDoubleClickTime(doubleClickTime(speed));
    if (!done) {
        qDebug("setDoubleClickSpeed Failed");
    }
    return done;
}
