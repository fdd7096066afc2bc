// The link's reply and block handling: every reply feature report, block input report and event
// report comes from the input, for either command family, plain or scrambled.
#include "FuzzSupport.h"
#include "FuzzTransport.h"
#include "HidClock.h"
#include "HidOwner.h"
#include "HidTrace.h"
#include "Hid_Thread.h"

#include <array>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

class Owner : public HidOwner
{
public:
    bool isGun() const override { return gun; }
    ControllerFamily family() const override { return set; }
    void setCurrentDPI(int) override { }
    void setViewEnabled(bool) override { }

    bool gun = false;
    ControllerFamily set = ControllerFamily::Set553;
};

enum Op {
    Handshake,
    SecrecyCode,
    Options553,
    Dpi553,
    Options560,
    Profile560,
    Dpi560,
    ReadProfile560,
    UpdateOptions,
    Listen,
    BlockWrite,
    LastOp = BlockWrite,
};

constexpr int MaxRecords = 3;
// Each listener is a task on the thread pool; a few per input are enough.
constexpr int MaxListeners = 3;
constexpr int MaxEventReads = 8;

int reportLength(FuzzedDataProvider& input)
{
    if (input.ConsumeBool()) {
        return input.PickValueInArray({-1, 0, 1, 7, 8, 32, 33, 64, 128, 129, 512, 4096, 4097});
    }
    return input.ConsumeIntegralInRange<int>(-1, 600);
}

QList<DeviceRecord*> records(FuzzedDataProvider& input)
{
    QList<DeviceRecord*> list;
    const int count = input.ConsumeIntegralInRange<int>(1, MaxRecords);
    for (int i = 0; i < count; ++i) {
        auto* r = new DeviceRecord;
        r->reportLength = reportLength(input);
        r->isEncode = input.ConsumeBool();
        r->sCode = QString::fromLatin1(input.ConsumeRandomLengthString(8));
        r->path = input.ConsumeIntegral<uint8_t>() < 16 ? QString() : QString::fromLatin1(FuzzTransport::CommandPath);
        r->path2 = input.ConsumeIntegral<uint8_t>() < 16 ? QString() : QString::fromLatin1(FuzzTransport::EventPath);
        list.append(r);
    }
    return list;
}

// A read that failed hands the caller its own values back.
template <size_t N>
void checkReplyRead(const Hid_Thread& link,
                    const std::array<unsigned char, N>& before,
                    const std::array<unsigned char, N>& after)
{
    if (link.lastOutcome() != Hid_Thread::Outcome::Ok) {
        FUZZ_CHECK(before == after);
    }
}

template <size_t N>
std::array<unsigned char, N> callerValues(FuzzedDataProvider& input)
{
    std::array<unsigned char, N> values {};
    for (unsigned char& v : values) {
        v = input.ConsumeIntegral<uint8_t>();
    }
    return values;
}

// A reply read into values the caller filled: changed only by a reply that arrived.
template <size_t N, typename Read>
void replyCase(FuzzedDataProvider& input, const Hid_Thread& link, Read read)
{
    const auto before = callerValues<N>(input);
    auto v = before;
    read(v);
    checkReplyRead(link, before, v);
}

void run(FuzzedDataProvider& input, Hid_Thread& link, FuzzTransport& transport, int recordCount)
{
    int listeners = 0;
    link.chkDeviceIsEnCode(input.ConsumeIntegralInRange<int>(0, recordCount));
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange<int>(0, LastOp)) {
            case Handshake:
                link.chkDeviceIsEnCode(input.ConsumeIntegralInRange<int>(0, recordCount));
                break;
            case SecrecyCode: {
                auto v = callerValues<4>(input);
                link.hid553_00H_GetSecrecyCode(v[0], v[1], v[2], v[3]);
                // The challenge never comes back by itself.
                if (link.lastOutcome() == Hid_Thread::Outcome::Failed) {
                    FUZZ_CHECK((v == std::array<unsigned char, 4> {}));
                }
                break;
            }
            case Options553:
                replyCase<4>(input, link, [&](auto& v) { link.hid553_83H_GetKeyboardoption(v[0], v[1], v[2], v[3]); });
                break;
            case Dpi553:
                replyCase<1>(input, link, [&](auto& v) { link.hid553_8BH_GetCurrentDPI(v[0]); });
                break;
            case Options560:
                replyCase<2>(input, link, [&](auto& v) { link.hid560_81H_GetKeyboardoption(v[0], v[1]); });
                break;
            case Profile560:
                replyCase<1>(input, link, [&](auto& v) { link.hid560_82H_GetCurrentProfile(v[0]); });
                break;
            case Dpi560:
                replyCase<2>(input, link, [&](auto& v) { link.hid560_84H_GetCurrentDPI(v[0], v[1]); });
                break;
            case ReadProfile560: {
                const auto before = callerValues<128>(input);
                auto image = before;
                const int readsBefore = transport.commandInputReads();
                link.hid560_8CH_readProfile(image.data(), input.ConsumeIntegral<uint8_t>());
                // Until the first block report arrives the image is the caller's.
                if (transport.commandInputReads() == readsBefore) {
                    checkReplyRead(link, before, image);
                }
                break;
            }
            case UpdateOptions:
                link.updateKeyboardoption();
                break;
            case Listen:
                if (listeners++ < MaxListeners) {
                    transport.stopEventsAfter(input.ConsumeIntegralInRange<int>(1, MaxEventReads),
                                              [&link] { link.stopListen(); });
                    link.initKeyboardoption(input.ConsumeIntegralInRange<int>(0, recordCount));
                    link.waitListener();
                }
                break;
            case BlockWrite: {
                auto block = callerValues<128>(input);
                const unsigned char param = input.ConsumeIntegral<uint8_t>();
                switch (input.ConsumeIntegralInRange<int>(0, 4)) {
                    case 0:
                        link.hid553_11H_SetDPISet(param, block.data());
                        break;
                    case 1:
                        link.hid553_12H_SetKeyMatrix(block.data(), param);
                        break;
                    case 2:
                        link.hid553_10H_SetLED8StageColor(param, block.data());
                        break;
                    case 3:
                        link.hid560_0DH_SetKeyMatrix(block.data(), param);
                        break;
                    default:
                        link.hid560_0CH_setProfile(block.data(), param);
                        break;
                }
                break;
            }
        }
        // Every command gives the token back and ends with its interfaces closed.
        FUZZ_CHECK(link.lastOutcome() != Hid_Thread::Outcome::TokenBusy);
        FUZZ_CHECK(transport.openHandles() == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::quietQt();
    // To see what one input does on the wire: QX7_FUZZ_TRACE=1 FuzzHidLink FILE
    HidTrace::setEnabled(qEnvironmentVariableIsSet("QX7_FUZZ_TRACE"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    Owner owner;
    owner.set = input.ConsumeBool() ? ControllerFamily::Set560 : ControllerFamily::Set553;
    owner.gun = input.ConsumeBool();
    FuzzTransport transport(&input);
    NoWaitClock clock;
    Hid_Thread link(&transport, &clock);
    link.setOwnerWidget(&owner);
    const QList<DeviceRecord*> list = records(input);
    link.setDeviceList(list);
    run(input, link, transport, int(list.size()));
    return 0;
}
