// Links the Windows layer so that a missing definition shows up here and not on a Windows build.
#include "InputHook.h"
#include "PointerSettings.h"

int main(int argc, char**)
{
    // The program installs the hooks only while a screen captures keys.
    InputHook hook(false, InputCapture::Source::Desktop, InputHook::Installation::OnDemand);
    const bool idle = !hook.hooksInstalled();
    const bool installed = hook.installHooks() && hook.hooksInstalled();
    hook.removeHooks();
    auto settings = PointerSettings::create();
    return idle && installed && argc > 1 && settings->setWheelScrollLines(3) ? 0 : 1;
}
