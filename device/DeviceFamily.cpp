#include "DeviceFamily.h"

#include "DeviceFamily553.h"
#include "DeviceFamily560.h"

std::unique_ptr<DeviceFamily> DeviceFamily::create(ControllerFamily family, DeviceOperations& ops)
{
    if (family == ControllerFamily::Set560) {
        return std::make_unique<DeviceFamily560>(ops);
    }
    return std::make_unique<DeviceFamily553>(ops);
}
