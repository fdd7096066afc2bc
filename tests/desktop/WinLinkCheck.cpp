// Links the Windows layer so that a missing definition shows up here and not on a Windows build.
#include "InputHook.h"
#include "PointerSettings.h"

int main(int argc, char**)
{
    InputHook hook(false);
    const bool installed = hook.hooksInstalled();
    hook.removeHooks();
    auto settings = PointerSettings::create();
    return installed && argc > 1 && settings->setWheelScrollLines(3) ? 0 : 1;
}
