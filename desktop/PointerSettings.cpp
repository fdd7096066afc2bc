#include "PointerSettings.h"

bool PointerSettings::setPointerSpeed(uint32_t speed)
{
    return speed >= MinPointerSpeed && speed <= MaxPointerSpeed && writePointerSpeed(speed);
}

bool PointerSettings::setDoubleClickTime(uint32_t milliseconds)
{
    return milliseconds >= MinDoubleClickMs && milliseconds <= MaxDoubleClickMs && writeDoubleClickTime(milliseconds);
}

bool PointerSettings::setWheelScrollLines(uint32_t lines)
{
    const bool inRange = (lines >= MinScrollLines && lines <= MaxScrollLines) || lines == PageScrollLines;
    return inRange && writeWheelScrollLines(lines);
}
