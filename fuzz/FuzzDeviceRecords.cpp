// Device records: the input is the global configuration. The records it lists are found among
// interfaces made after them and used on a mouse that echoes every command.
#include "DeviceRecords.h"
#include "FuzzFolder.h"
#include "FuzzSupport.h"
#include "FuzzTransport.h"
#include "HidClock.h"
#include "Hid_Thread.h"

#include <array>

namespace {

// Records beyond these are read but not used on the link; each costs a handshake and two blocks.
constexpr int RecordsUsed = 4;

// Every used record is present with both interfaces; the last of them only with its command one.
QList<HidDeviceInfo> interfacesFor(const QList<DeviceRecord*>& records)
{
    QList<HidDeviceInfo> interfaces;
    for (int i = 0; i < records.size() && i < RecordsUsed; ++i) {
        const DeviceRecord& r = *records.at(i);
        HidDeviceInfo command;
        command.path = QByteArrayLiteral("command-") + QByteArray::number(i);
        command.vendorId = r.vid;
        command.productId = r.pid;
        command.usagePage = r.usagePage;
        command.usage = r.usage;
        interfaces.append(command);
        if (i + 1 < RecordsUsed) {
            HidDeviceInfo event = command;
            event.path = QByteArrayLiteral("event-") + QByteArray::number(i);
            event.usagePage = r.usagePage2;
            event.usage = r.usage2;
            interfaces.append(event);
        }
    }
    return interfaces;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::quietQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzFolder folder;
    const QString config = folder.write(QStringLiteral("modules/setting/apConfig.bin"), data, size);
    const QList<DeviceRecord*> records = DeviceRecords::load(config);

    FuzzTransport transport(nullptr);
    transport.setInterfaces(interfacesFor(records));
    DeviceRecords::discover(records, transport);
    NoWaitClock clock;
    Hid_Thread link(&transport, &clock);
    link.setDeviceList(records);
    for (int i = 0; i < link.deviceCount() && i < RecordsUsed; ++i) {
        const bool present = !link.deviceRecord(i).path.isEmpty();
        const bool verified = link.chkDeviceIsEnCode(i);
        // An echo of the challenge, scrambled or not, is the right answer.
        FUZZ_CHECK(verified || !present);
        std::array<unsigned char, 128> block {};
        link.hid560_8CH_readProfile(block.data(), 1);
        link.hid553_13H_SetMacroKey(1, block.data());
        FUZZ_CHECK(transport.openHandles() == 0);
    }
    return 0;
}
