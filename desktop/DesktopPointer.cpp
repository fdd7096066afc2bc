#include "DesktopPointer.h"

#include <QDebug>

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
    const uint32_t speed = 2 * cursorSpeed;
    return speed == 0 ? 1 : speed;
}

uint32_t DesktopPointer::doubleClickTime(uint32_t speed)
{
    return 900 - 70 * speed;
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
