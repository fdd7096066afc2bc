#include "Qx7Ctl.h"

#include "ButtonFunction.h"
#include "ConfigStore.h"
#include "DeviceConnector.h"
#include "DeviceOperations.h"
#include "DeviceRecords.h"
#include "DpiEncoding.h"
#include "GunControlScreen.h"
#include "GunStore.h"
#include "HidClock.h"
#include "HidOwner.h"
#include "HidTrace.h"
#include "Hid_Thread.h"
#include "HidapiTransport.h"
#include "LanguageStore.h"
#include "MacroEncoder.h"
#include "MacroLibrary.h"
#include "MainScreen.h"
#include "ProfileScreen.h"
#include "Screens.h"
#include "VirtualMouse.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

constexpr int KeyEntries = 16;
constexpr int MacroSlots = 12;
constexpr int GunSlots = 3;
constexpr int ImageCount = 5;

void printLine(const QString& text, FILE* to = stdout)
{
    static QMutex mutex;
    QMutexLocker lock(&mutex);
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), to);
    std::fputc('\n', to);
    std::fflush(to);
}

void printError(const QString& text)
{
    printLine(QStringLiteral("qx7ctl: ") + text, stderr);
}

QString hex(const unsigned char* bytes, int length)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes), length).toHex(' '));
}

// The link's view of the program: device flags from the configuration; DPI events printed.
class CtlOwner : public HidOwner
{
public:
    CtlOwner(bool gun, const QString& type)
        : m_gun(gun)
        , m_type(type)
    {
    }
    bool isGun() const override { return m_gun; }
    QString icType() const override { return m_type; }
    void setCurrentDPI(int stage) override { printLine(QStringLiteral("dpi %1").arg(stage)); }
    void setViewEnabled(bool enabled) override { removed = !enabled; }
    void showMessage(const QString&, const QString&) override { }

    std::atomic<bool> removed {false};

private:
    bool m_gun;
    QString m_type;
};

struct Context
{
    ConfigStore& store;
    Hid_Thread& link;
    DeviceOperations& ops;
    MacroLibrary& macros;
    GunStore& guns;
    CtlOwner& owner;
    VirtualMouse* virtualMouse;
    int deviceIndex;
};

using Action = std::function<int(Context&)>;

struct Parsed
{
    Action action;
    QString error;
};

Parsed failure(const QString& message)
{
    return {{}, message};
}

std::optional<int> number(const QString& text, int min, int max, int base = 10)
{
    bool ok = false;
    const int value = text.toInt(&ok, base);
    if (!ok || value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

QString rangeError(const QString& what, const QString& text, int min, int max)
{
    return QStringLiteral("bad %1 '%2': expected %3 to %4").arg(what, text).arg(min).arg(max);
}

int globalInt(const ConfigStore& store, const char* key, int fallback)
{
    bool ok = false;
    const int value = store.getGlobalData(QString::fromLatin1(key)).toInt(&ok);
    return ok ? value : fallback;
}

int profileInt(const ConfigStore& store, const char* key, int fallback)
{
    bool ok = false;
    const int value = store.getData(QString::fromLatin1(key), false).toInt(&ok);
    return ok ? value : fallback;
}

QVariantList intList(const QVariantList& values, int count, int fallback = 0)
{
    QVariantList out;
    for (int i = 0; i < count; ++i) {
        bool ok = false;
        const int v = i < values.size() ? values.at(i).toInt(&ok) : 0;
        out << (ok ? v : fallback);
    }
    return out;
}

int rateValue(int index)
{
    static const int rates[] = {8, 4, 2};
    return index >= 0 && index < 3 ? rates[index] : 1;
}

int modeCount(const ConfigStore& store)
{
    return 4 + (store.isColorful() ? 7 : 0) + (store.is55328() ? 1 : 0);
}

// What the lighting screen stores and sends for its colours: colour 8 is dark on the 55328 variant
// unless the mode is "Breath Loop".
QVariantList screenColors(const ConfigStore& store, QVariantList colors)
{
    const QVariantList light = store.getDataList(QStringLiteral("mouse/lightValue"), false);
    const int mode = light.isEmpty() ? 0 : light.first().toInt();
    if (store.is55328() && mode != 4) {
        for (int i = 21; i < 24; ++i) {
            colors[i] = 0;
        }
    }
    return colors;
}

void sendStoredLighting(Context& c)
{
    const QVariantList light = intList(c.store.getDataList(QStringLiteral("mouse/lightValue"), false), 3);
    const QVariantList colors
        = screenColors(c.store, intList(c.store.getDataList(QStringLiteral("mouse/colorValue"), false), 24));
    c.store.setDataList(QStringLiteral("mouse/lightValue"), light);
    c.store.setDataList(QStringLiteral("mouse/colorValue"), colors);
    c.ops.mouseSetRGBEffect(light.at(0).toInt(), light.at(1).toInt(), light.at(2).toInt());
    c.ops.mouseSetRGBColor(c.store.isColorful() ? 0 : 1, colors);
}

void sendStoredDpi(Context& c)
{
    const int dpiCount = profileInt(c.store, "mouse/dpiCount", 4);
    if (dpiCount > 8) {
        return;
    }
    const int current = profileInt(c.store, "mouse/currentDpiCount", 4);
    const int minDpi = globalInt(c.store, "mouse/minDPI", 200);
    const int maxDpi = globalInt(c.store, "mouse/maxDPI", 6000);
    const int base = globalInt(c.store, "mouse/dpiBase", 50);
    const QString sensor = c.store.getGlobalData(QStringLiteral("mouse/sensorType")).toString();
    QVariantList values;
    for (const QVariant& v : intList(c.store.getDataList(QStringLiteral("mouse/dpiValueArray"), false), 8)) {
        values << DpiEncoding::sliderValue(v.toInt(), minDpi, maxDpi, base);
    }
    c.store.setDataList(QStringLiteral("mouse/dpiValueArray"), values);
    c.store.setData(QStringLiteral("mouse/currentDpiCount"), current);
    c.ops.mouseSetDpi(current, sensor, values);
}

void sendStoredReportRate(Context& c)
{
    c.ops.mouseSetReportRate(static_cast<unsigned char>(rateValue(profileInt(c.store, "mouse/reportRate", 3))));
}

QVariantList gunPeriods(Context& c)
{
    const QVariantList chosen = intList(c.store.getGlobalData(QStringLiteral("mouse/selectGun")).toList(), GunSlots);
    QVariantList periods;
    for (const QVariant& preset : chosen) {
        const QVariantList data = c.guns.getGunData(preset);
        periods << (data.size() > 2 ? data.at(2).toInt() : 0);
    }
    return periods;
}

QVariantList storedMatrix(Context& c)
{
    QVariantList src64;
    for (int n = 0; n < KeyEntries; ++n) {
        src64 += intList(c.store.getDataList(QStringLiteral("mouseKeyMatrix/%1").arg(n), false), 4);
    }
    return src64;
}

void sendStoredMatrix(Context& c)
{
    c.ops.mouseSetKeyMatrix(storedMatrix(c), true, gunPeriods(c));
}

// The screens re-initialised with sending after a profile change or reset.
void resendProfile(Context& c)
{
    sendStoredMatrix(c);
    sendStoredReportRate(c);
    sendStoredDpi(c);
    sendStoredLighting(c);
    if (c.ops.isGun()) {
        c.ops.mouseSwitchKeyMatrix(1);
    }
}

void sendGunSlot(Context& c, int slot)
{
    const QVariantList chosen = intList(c.store.getGlobalData(QStringLiteral("mouse/selectGun")).toList(), GunSlots);
    const QVariantList preset = c.guns.getGunData(chosen.at(slot - 1));
    if (preset.size() < GunStore::PresetFields) {
        return;
    }
    c.ops.mouseSendGundata(slot, {preset.at(5).toInt(), preset.at(3).toInt(), preset.at(4).toInt()});
}

Parsed parseReportRate(const QStringList& args)
{
    static const QStringList rates {"125", "250", "500", "1000"};
    if (args.size() != 1) {
        return failure(QStringLiteral("report-rate takes one of 125, 250, 500, 1000"));
    }
    const int index = rates.indexOf(args.first());
    if (index < 0) {
        return failure(QStringLiteral("bad report rate '%1': expected 125, 250, 500 or 1000").arg(args.first()));
    }
    return {[index](Context& c) {
                c.store.setData(QStringLiteral("mouse/reportRate"), index);
                c.ops.mouseSetReportRate(static_cast<unsigned char>(rateValue(index)));
                return 0;
            },
            {}};
}

Parsed parseDpiStage(const QStringList& args)
{
    if (args.isEmpty()) {
        return {[](Context& c) {
                    printLine(QString::number(c.ops.mouseGetCurrentDPI().toInt()));
                    return 0;
                },
                {}};
    }
    const auto stage = args.size() == 1 ? number(args.first(), 1, 8) : std::nullopt;
    if (!stage) {
        return failure(rangeError(QStringLiteral("stage"), args.join(' '), 1, 8));
    }
    return {[stage](Context& c) {
                c.ops.mouseSetCurrentDPI(static_cast<unsigned char>(*stage));
                return 0;
            },
            {}};
}

Parsed parseDpi(const QStringList& args, const ConfigStore& store)
{
    if (args.size() != 9) {
        return failure(QStringLiteral("dpi takes COUNT and eight values"));
    }
    const int stages = std::min(profileInt(store, "mouse/dpiCount", 8), 8);
    const auto count = number(args.first(), 1, stages);
    if (!count) {
        return failure(rangeError(QStringLiteral("stage count"), args.first(), 1, stages));
    }
    const int minDpi = globalInt(store, "mouse/minDPI", 200);
    const int maxDpi = globalInt(store, "mouse/maxDPI", 6000);
    QVariantList values;
    for (int i = 1; i < 9; ++i) {
        const auto v = number(args.at(i), minDpi, maxDpi);
        if (!v) {
            return failure(rangeError(QStringLiteral("DPI value"), args.at(i), minDpi, maxDpi));
        }
        values << *v;
    }
    return {[count, values](Context& c) {
                c.store.setDataList(QStringLiteral("mouse/dpiValueArray"), values);
                c.store.setData(QStringLiteral("mouse/currentDpiCount"), *count);
                c.ops.mouseSetDpi(*count, c.store.getGlobalData(QStringLiteral("mouse/sensorType")).toString(), values);
                return 0;
            },
            {}};
}

Parsed parseLight(const QStringList& args, const ConfigStore& store)
{
    if (args.size() != 3) {
        return failure(QStringLiteral("light takes MODE SPEED BRIGHTNESS"));
    }
    const int modes = modeCount(store);
    const auto mode = number(args.at(0), 0, modes - 1);
    if (!mode) {
        return failure(rangeError(QStringLiteral("mode"), args.at(0), 0, modes - 1));
    }
    const auto speed = number(args.at(1), 0, 4);
    if (!speed) {
        return failure(rangeError(QStringLiteral("speed"), args.at(1), 0, 4));
    }
    const auto brightness = number(args.at(2), 0, 4);
    if (!brightness) {
        return failure(rangeError(QStringLiteral("brightness"), args.at(2), 0, 4));
    }
    return {[=](Context& c) {
                c.store.setDataList(QStringLiteral("mouse/lightValue"), {*mode, *speed, *brightness});
                c.ops.mouseSetRGBEffect(static_cast<unsigned char>(*mode),
                                        static_cast<unsigned char>(*speed),
                                        static_cast<unsigned char>(*brightness));
                return 0;
            },
            {}};
}

Parsed parseColors(const QStringList& args)
{
    if (args.size() != 8) {
        return failure(QStringLiteral("colors takes eight colours #rrggbb"));
    }
    static const QRegularExpression pattern(QStringLiteral("^#([0-9a-fA-F]{6})$"));
    QVariantList values;
    for (const QString& arg : args) {
        const QRegularExpressionMatch m = pattern.match(arg);
        if (!m.hasMatch()) {
            return failure(QStringLiteral("bad colour '%1': expected #rrggbb").arg(arg));
        }
        const uint rgb = m.captured(1).toUInt(nullptr, 16);
        values << int((rgb >> 16) & 0xFF) << int((rgb >> 8) & 0xFF) << int(rgb & 0xFF);
    }
    return {[values](Context& c) {
                const QVariantList colors = screenColors(c.store, values);
                c.store.setDataList(QStringLiteral("mouse/colorValue"), colors);
                c.ops.mouseSetRGBColor(c.store.isColorful() ? 0 : 1, colors);
                return 0;
            },
            {}};
}

Parsed parseKey(const QStringList& args)
{
    if (args.size() != 2) {
        return failure(QStringLiteral("key takes N RECORD"));
    }
    const auto entry = number(args.at(0), 0, KeyEntries - 1);
    if (!entry) {
        return failure(rangeError(QStringLiteral("key entry"), args.at(0), 0, KeyEntries - 1));
    }
    QString why;
    const std::optional<ButtonFunction> record = ButtonFunction::fromKeyCode(args.at(1), &why);
    if (!record) {
        return failure(QStringLiteral("bad record '%1': %2").arg(args.at(1), why));
    }
    return {[entry, record](Context& c) {
                QVariantList src64 = storedMatrix(c);
                const QVariantList bytes = record->toList();
                for (int i = 0; i < ButtonFunction::RecordSize; ++i) {
                    src64[*entry * ButtonFunction::RecordSize + i] = bytes.at(i);
                }
                c.ops.mouseSetKeyMatrix(src64, true, gunPeriods(c));
                return 0;
            },
            {}};
}

Parsed parseMacro(const QStringList& args, const MacroLibrary& macros)
{
    if (args.size() != 2) {
        return failure(QStringLiteral("macro takes SLOT NAME"));
    }
    const auto slot = number(args.at(0), 0, MacroSlots - 1);
    if (!slot) {
        return failure(rangeError(QStringLiteral("macro slot"), args.at(0), 0, MacroSlots - 1));
    }
    const QString name = args.at(1);
    if (!macros.macroExists(name)) {
        return failure(QStringLiteral("no stored macro named '%1'").arg(name));
    }
    QStringList stored = macros.loadMacroIni(name);
    const int repeat = stored.isEmpty() ? 1 : stored.takeLast().toInt();
    const QByteArray encoded = MacroEncoder::deCode(MacroEncoder::parseActions(stored), repeat);
    if (encoded.size() > MacroEncoder::BlockSize) {
        return failure(QStringLiteral("macro '%1' takes %2 bytes; the mouse holds %3")
                           .arg(name)
                           .arg(encoded.size())
                           .arg(MacroEncoder::BlockSize));
    }
    QVariantList data;
    for (char byte : encoded) {
        data << int(static_cast<unsigned char>(byte));
    }
    return {[slot, data](Context& c) {
                c.ops.mouseSendMacroData(data, *slot);
                return 0;
            },
            {}};
}

// The screens as the configurator builds them at start-up, without device traffic; `action` then
// does what the user would do on them.
int onScreens(Context& c, const std::function<int(Screens&)>& action)
{
    LanguageStore languages(c.store.paths().baseDir());
    Screens screens(c.store, c.macros, c.guns, languages, c.ops);
    screens.main()->readFlags();
    screens.main()->initScreens();
    return action(screens);
}

Parsed parseGun(const QStringList& args, const ConfigStore& store)
{
    if (!store.isGun()) {
        return failure(QStringLiteral("this mouse has no gun functions"));
    }
    if (args.size() != 3 && args.size() != 4) {
        return failure(QStringLiteral("gun takes SLOT TIMES Y [PRESET]"));
    }
    const auto slot = number(args.at(0), 1, GunSlots);
    if (!slot) {
        return failure(rangeError(QStringLiteral("gun slot"), args.at(0), 1, GunSlots));
    }
    const auto times = number(args.at(1), 0, GunControlScreen::MaxTimes);
    if (!times) {
        return failure(rangeError(QStringLiteral("times"), args.at(1), 0, GunControlScreen::MaxTimes));
    }
    const auto y = number(args.at(2), 0, GunControlScreen::MaxY);
    if (!y) {
        return failure(rangeError(QStringLiteral("Y"), args.at(2), 0, GunControlScreen::MaxY));
    }
    const auto preset = args.size() == 4 ? number(args.at(3), 0, GunControlScreen::PresetCount - 1) : std::nullopt;
    if (args.size() == 4 && !preset) {
        return failure(rangeError(QStringLiteral("preset"), args.at(3), 0, GunControlScreen::PresetCount - 1));
    }
    return {[=](Context& c) {
                return onScreens(c, [&](Screens& screens) {
                    // As on the gun screen: the slot, its preset, the preset's values, then closing.
                    GunControlScreen* gun = screens.gunControl();
                    gun->chooseSlot(*slot - 1);
                    if (preset) {
                        gun->choosePreset(*preset);
                    }
                    gun->setTimes(*times);
                    gun->setY(*y);
                    gun->close();
                    return 0;
                });
            },
            {}};
}

Parsed parseProfile(const QStringList& args)
{
    if (args.isEmpty()) {
        return {[](Context& c) {
                    printLine(QString::number(c.store.getGlobalData(QStringLiteral("mouse/profileNo")).toInt()));
                    return 0;
                },
                {}};
    }
    const auto slot = args.size() == 1 ? number(args.first(), 0, ProfileScreen::MaxEntries - 1) : std::nullopt;
    if (!slot) {
        return failure(rangeError(QStringLiteral("profile"), args.join(' '), 0, ProfileScreen::MaxEntries - 1));
    }
    return {[slot](Context& c) {
                return onScreens(c, [&](Screens& screens) {
                    const int entries = int(screens.profile()->names().size());
                    if (*slot >= entries) {
                        printError(
                            QStringLiteral("profile %1: the list has profiles 0 to %2").arg(*slot).arg(entries - 1));
                        return int(Qx7Ctl::BadUsage);
                    }
                    screens.main()->changeProfile(*slot);
                    return 0;
                });
            },
            {}};
}

int factoryReset(Context& c)
{
    if (!c.store.resetProfile(c.store.currentProfile())) {
        printError(QStringLiteral("reset: the profile could not be restored from its default"));
        return Qx7Ctl::BadUsage;
    }
    resendProfile(c);
    c.ops.mouseSetCurrentDPI(2);
    // The gun screen's reset: slots back to presets 0-2, those presets to their factory tuning.
    if (c.ops.isGun()) {
        c.store.setGlobalData(QStringLiteral("mouse/selectGun"), QVariantList {0, 1, 2});
        static const int ys[] = {5, 7, 8};
        for (int preset = 0; preset < GunSlots; ++preset) {
            QVariantList data = c.guns.getGunData(preset);
            if (data.size() >= GunStore::PresetFields) {
                data[2] = 9;
                data[4] = ys[preset];
                c.guns.mouseSaveGundata(preset, data);
            }
        }
        for (int slot = 1; slot <= GunSlots; ++slot) {
            sendGunSlot(c, slot);
        }
    }
    return 0;
}

Parsed parseReadProfile(const QStringList& args)
{
    const auto image = args.size() == 1 ? number(args.first(), 0, ImageCount - 1) : std::nullopt;
    if (!image) {
        return failure(rangeError(QStringLiteral("profile image"), args.join(' '), 0, ImageCount - 1));
    }
    return {[image](Context& c) {
                c.ops.mouseReadProfile(static_cast<uint>(*image));
                printLine(hex(c.ops.profileImage(*image).data(), DeviceOperations::ImageSize));
                return 0;
            },
            {}};
}

std::atomic<bool> g_interrupted {false};
int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    g_interrupted = true;
    const char byte = 1;
    if (g_signalPipe[1] >= 0) {
        [[maybe_unused]] const auto written = ::write(g_signalPipe[1], &byte, 1);
    }
}

int listen(Context& c)
{
    if (::pipe(g_signalPipe) != 0) {
        printError(QStringLiteral("listen: cannot watch for signals"));
        return Qx7Ctl::ExchangeFailed;
    }
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    QSocketNotifier signalNotifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, [] { QCoreApplication::exit(0); });

    // With the virtual mouse, each line typed presses its DPI button.
    std::unique_ptr<QSocketNotifier> input;
    if (c.virtualMouse) {
        input = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(input.get(), &QSocketNotifier::activated, [&c, &input] {
            char buffer[256];
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0) {
                input->setEnabled(false);
                return;
            }
            for (ssize_t i = 0; i < n; ++i) {
                if (buffer[i] == '\n') {
                    c.virtualMouse->pressDpiButton();
                }
            }
        });
    }
    QTimer removal;
    QObject::connect(&removal, &QTimer::timeout, [&c] {
        if (c.owner.removed || !c.link.isListening) {
            QCoreApplication::exit(Qx7Ctl::ExchangeFailed);
        }
    });
    removal.start(100);

    c.link.initKeyboardoption(c.deviceIndex);
    const int status = g_interrupted ? 0 : QCoreApplication::exec();
    c.link.stopListen();
    c.link.waitListener();
    if (status != 0) {
        printError(QStringLiteral("listen: the device went away"));
    }
    return status;
}

Parsed
parseCommand(const QString& command, const QStringList& args, const ConfigStore& store, const MacroLibrary& macros)
{
    auto noArguments = [&](Action action) -> Parsed {
        if (!args.isEmpty()) {
            return failure(command + QStringLiteral(" takes no arguments"));
        }
        return {action, {}};
    };
    if (command == QLatin1String("report-rate")) {
        return parseReportRate(args);
    }
    if (command == QLatin1String("dpi-stage")) {
        return parseDpiStage(args);
    }
    if (command == QLatin1String("dpi")) {
        return parseDpi(args, store);
    }
    if (command == QLatin1String("light")) {
        return parseLight(args, store);
    }
    if (command == QLatin1String("colors")) {
        return parseColors(args);
    }
    if (command == QLatin1String("key")) {
        return parseKey(args);
    }
    if (command == QLatin1String("macro")) {
        return parseMacro(args, macros);
    }
    if (command == QLatin1String("keys")) {
        return noArguments([](Context& c) {
            sendStoredMatrix(c);
            return 0;
        });
    }
    if (command == QLatin1String("gun")) {
        return parseGun(args, store);
    }
    if (command == QLatin1String("profile")) {
        return parseProfile(args);
    }
    if (command == QLatin1String("reset")) {
        return noArguments(factoryReset);
    }
    if (command == QLatin1String("options")) {
        return noArguments([](Context& c) {
            const QVariantList o = c.ops.GetKeyboardoption();
            const unsigned char b[4] = {static_cast<unsigned char>(o.at(0).toInt()),
                                        static_cast<unsigned char>(o.at(1).toInt()),
                                        static_cast<unsigned char>(o.at(2).toInt()),
                                        static_cast<unsigned char>(o.at(3).toInt())};
            printLine(hex(b, 4));
            return 0;
        });
    }
    if (command == QLatin1String("read-profile")) {
        return parseReadProfile(args);
    }
    if (command == QLatin1String("listen")) {
        return noArguments(listen);
    }
    return failure(QStringLiteral("unknown command '%1' (see --help)").arg(command));
}

} // namespace

QString Qx7Ctl::helpText()
{
    return QStringLiteral(
        "Usage: qx7ctl [--data-dir DIR] [--virtual-mouse] [--virtual-scode CODE] [--trace] [--fast] COMMAND [ARGS]\n"
        "\n"
        "Configures the mouse from a terminal. Each command acts on the current profile as the\n"
        "configurator's screens do: it stores what they store, then sends what they send.\n"
        "\n"
        "Options:\n"
        "  --data-dir DIR        the folder that holds modules/ (default: the program's folder)\n"
        "  --virtual-mouse       add the virtual mouse, imitating the first configured device\n"
        "  --virtual-scode CODE  give the virtual mouse another secrecy code\n"
        "  --trace               write every report and pause of the link to standard error\n"
        "  --fast                with the virtual mouse: trace pauses but do not wait for them\n"
        "  --help                show this text\n"
        "\n"
        "Commands:\n"
        "  report-rate 125|250|500|1000\n"
        "  dpi-stage [N]                       no N: print the active stage; N: 1-8\n"
        "  dpi COUNT V1 V2 V3 V4 V5 V6 V7 V8   stages in use and the eight DPI values\n"
        "  light MODE SPEED BRIGHTNESS         mode index as in the lighting list, speed and brightness 0-4\n"
        "  colors C1 C2 C3 C4 C5 C6 C7 C8      eight colours #rrggbb\n"
        "  key N RECORD                        N 0-15, RECORD eight hex digits; stores it, sends the matrix\n"
        "  keys                                send the stored key matrix\n"
        "  macro SLOT NAME                     send the stored macro NAME to slot 0-11\n"
        "  gun SLOT TIMES Y [PRESET]           gun slot 1-3 (its preset 0-5): times 0-255, Y 0-64\n"
        "  profile [N]                         no N: print the current profile; N: switch to entry N of the list\n"
        "  reset                               factory reset of the current profile\n"
        "  options                             print the four keyboard option bytes in hex\n"
        "  read-profile N                      print on-board profile image N (0-4) in hex\n"
        "  listen                              print \"dpi N\" for each DPI event until interrupted\n"
        "                                      (with --virtual-mouse, each input line presses its DPI button)\n"
        "\n"
        "Exit status: 0 success, 1 bad usage or argument (nothing stored or sent), 2 no verified\n"
        "device, 3 an exchange with the device failed.\n");
}

int Qx7Ctl::run(const QStringList& arguments)
{
    QString dataDir = QCoreApplication::applicationDirPath();
    bool virtualMouse = false;
    std::optional<QString> virtualCode;
    bool trace = false;
    bool fast = false;
    int i = 0;
    for (; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (!a.startsWith(QLatin1String("--"))) {
            break;
        }
        if (a == QLatin1String("--help")) {
            printLine(helpText().trimmed());
            return Success;
        }
        if (a == QLatin1String("--virtual-mouse")) {
            virtualMouse = true;
        } else if (a == QLatin1String("--trace")) {
            trace = true;
        } else if (a == QLatin1String("--fast")) {
            fast = true;
        } else if ((a == QLatin1String("--data-dir") || a == QLatin1String("--virtual-scode"))
                   && i + 1 < arguments.size()) {
            (a == QLatin1String("--data-dir") ? dataDir : virtualCode.emplace()) = arguments.at(++i);
        } else {
            printError(QStringLiteral("unknown or incomplete option '%1' (see --help)").arg(a));
            return BadUsage;
        }
    }
    if (i >= arguments.size()) {
        printError(QStringLiteral("no command given (see --help)"));
        return BadUsage;
    }
    if (fast && !virtualMouse) {
        printError(QStringLiteral("--fast works only with --virtual-mouse"));
        return BadUsage;
    }
    if (virtualCode && !virtualMouse) {
        printError(QStringLiteral("--virtual-scode works only with --virtual-mouse"));
        return BadUsage;
    }
    if (!QFileInfo(QDir(dataDir).filePath(QStringLiteral("modules"))).isDir()) {
        printError(QStringLiteral("no modules folder in '%1'").arg(dataDir));
        return BadUsage;
    }
    const QString command = arguments.at(i);
    const QStringList args = arguments.mid(i + 1);

    ConfigStore store(dataDir);
    MacroLibrary macros(store);
    GunStore guns(store);
    const Parsed parsed = parseCommand(command, args, store, macros);
    if (!parsed.action) {
        printError(parsed.error);
        return BadUsage;
    }

    HidTrace::setEnabled(trace);
    HidapiTransport hidapi;
    std::unique_ptr<VirtualMouse> virtualDevice;
    HidTransport* transport = &hidapi;
    if (virtualMouse) {
        const QList<DeviceRecord*> records = DeviceRecords::load(store.paths().globalConfig());
        if (records.isEmpty()) {
            printError(QStringLiteral("--virtual-mouse: the configuration lists no device to imitate"));
            return NoDevice;
        }
        VirtualMouse::Config config = VirtualMouse::configFor(
            *records.first(),
            store.icType() == QLatin1String("560") ? VirtualMouse::Family::Set560 : VirtualMouse::Family::Set553);
        qDeleteAll(records);
        if (virtualCode) {
            config.sCode = *virtualCode;
        }
        virtualDevice = std::make_unique<VirtualMouse>(config, &hidapi);
        transport = virtualDevice.get();
    }
    RealClock realClock;
    NoWaitClock noWait;
    Hid_Thread link(transport, fast ? static_cast<HidClock*>(&noWait) : &realClock);
    CtlOwner owner(store.isGun(), store.icType());
    link.ownerWidget = &owner;
    DeviceOperations ops(&link, &store);

    const int index = DeviceConnector::findAndVerify(link, store.paths().globalConfig());
    if (index < 0) {
        printError(QStringLiteral("no verified device"));
        return NoDevice;
    }
    ops.connectDevice(index, false);

    Context context {store, link, ops, macros, guns, owner, virtualDevice.get(), index};
    const int before = link.failedExchanges();
    const int status = parsed.action(context);
    store.sync();
    if (status != 0) {
        return status;
    }
    if (link.failedExchanges() != before) {
        printError(QStringLiteral("%1: an exchange with the device failed").arg(command));
        return ExchangeFailed;
    }
    return Success;
}
