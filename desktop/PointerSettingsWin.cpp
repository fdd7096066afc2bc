#include "PointerSettingsWin.h"

#include <windows.h>

namespace {

constexpr UINT StoreAndAnnounce = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;

} // namespace

std::unique_ptr<PointerSettings> PointerSettings::create()
{
    return std::make_unique<PointerSettingsWin>();
}

bool PointerSettingsWin::writePointerSpeed(uint32_t speed)
{
    // This action takes the value itself in the pointer parameter.
    return SystemParametersInfoW(
        SPI_SETMOUSESPEED, 0, reinterpret_cast<PVOID>(static_cast<UINT_PTR>(speed)), StoreAndAnnounce);
}

bool PointerSettingsWin::writeDoubleClickTime(uint32_t milliseconds)
{
    return SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, milliseconds, nullptr, StoreAndAnnounce);
}

bool PointerSettingsWin::writeWheelScrollLines(uint32_t lines)
{
    return SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, StoreAndAnnounce);
}
