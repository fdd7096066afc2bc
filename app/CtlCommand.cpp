#include "CtlCommand.h"

#include "ButtonFunction.h"
#include "ConfigStore.h"
#include "CtlOutput.h"
#include "CtlOwner.h"
#include "DeviceOperations.h"
#include "DpiSettingScreen.h"
#include "GunControlScreen.h"
#include "GunStore.h"
#include "Hid_Thread.h"
#include "KeyAssigmentScreen.h"
#include "KeyMatrixScreen.h"
#include "LightControlScreen.h"
#include "MacroEditorScreen.h"
#include "MacroEncoder.h"
#include "MacroLibrary.h"
#include "MainScreen.h"
#include "ProfileScreen.h"
#include "Qx7Ctl.h"
#include "Screens.h"
#include "VirtualMouse.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <limits>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

using Context = CtlCommand::Context;
using Parsed = CtlCommand::Parsed;
using Request = CtlCommand::Request;

constexpr int KeyEntries = 16;
constexpr int MacroSlots = 12;
constexpr int GunSlots = 3;
constexpr int ImageCount = 5;

int fileFailure(const QString& message)
{
    CtlOutput::error(message);
    return Qx7Ctl::FileFailed;
}

Parsed failure(const QString& message)
{
    return {{}, message};
}

Parsed ready(CtlCommand::Body body)
{
    return {std::move(body), {}};
}

// Reads the numbers of a command line in turn; after the first bad one the rest are skipped and
// error() says what was wrong.
class NumberArgs
{
public:
    explicit NumberArgs(const QStringList& args)
        : m_args(args)
    {
    }

    int next(const char* what, int min, int max)
    {
        const QString text = m_args.value(m_next++);
        bool ok = false;
        const int value = text.toInt(&ok);
        if (m_error.isEmpty() && (!ok || value < min || value > max)) {
            m_error = QStringLiteral("bad %1 '%2': expected %3 to %4").arg(QLatin1String(what), text).arg(min).arg(max);
        }
        return value;
    }

    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }

private:
    const QStringList& m_args;
    int m_next = 0;
    QString m_error;
};

// A command that takes nothing (print) or one number (set).
Parsed
optionalNumber(const Request& r, CtlCommand::Body print, const char* what, int min, int max, int (*set)(Context&, int))
{
    if (r.args.isEmpty()) {
        return ready(print);
    }
    NumberArgs n(r.args);
    const int value = n.next(what, min, max);
    if (!n.ok()) {
        return failure(n.error());
    }
    return ready([set, value](Context& c) { return set(c, value); });
}

QString hex(const unsigned char* bytes, int length)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes), length).toHex(' '));
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

// Command bodies, one per command.

int setReportRate(Context& c, int index)
{
    c.screens.main()->chooseReportRate(index);
    return Qx7Ctl::Success;
}

int printDpiStage(Context& c)
{
    CtlOutput::line(QString::number(c.ops.mouseGetCurrentDPI().toInt()));
    return Qx7Ctl::Success;
}

int setDpiStage(Context& c, int stage)
{
    c.ops.mouseSetCurrentDPI(static_cast<unsigned char>(stage));
    return Qx7Ctl::Success;
}

// What the DPI screen's sliders give for these values, stored and sent as its Save does.
int setDpi(Context& c, int count, const QList<int>& values)
{
    DpiSettingScreen* dpi = c.screens.dpiSetting();
    if (!dpi->placeValues(count, values)) {
        CtlOutput::error(QStringLiteral("dpi: this profile offers %1 stages").arg(dpi->dpiCount()));
        return Qx7Ctl::BadUsage;
    }
    dpi->saveData(true);
    return Qx7Ctl::Success;
}

// The mode as the lighting screen chooses it, then the two levels; its Save sends effect and colours.
int setLight(Context& c, int mode, int speed, int brightness)
{
    LightControlScreen* light = c.screens.lightControl();
    light->chooseMode(mode);
    light->setSpeed(speed);
    light->setBrightness(brightness);
    light->saveData(true, 0);
    return Qx7Ctl::Success;
}

int setColors(Context& c, const QStringList& colors)
{
    LightControlScreen* light = c.screens.lightControl();
    for (int i = 0; i < colors.size(); ++i) {
        light->setColor(i, colors.at(i));
    }
    light->saveData(true, 0);
    return Qx7Ctl::Success;
}

// As the assignment dialog does: open the button, take the record, close, then Save.
int setKey(Context& c, int entry, const ButtonFunction& record, const QString& macroName)
{
    KeyAssigmentScreen* dialog = c.screens.keyAssigment();
    if (!dialog->openButton(entry)) {
        CtlOutput::error(QStringLiteral("button %1 is the only left button; give another button the left button first")
                             .arg(entry + 1));
        return Qx7Ctl::BadUsage;
    }
    dialog->setRecord(record, macroName);
    dialog->close();
    c.screens.main()->save();
    return Qx7Ctl::Success;
}

int sendKeys(Context& c)
{
    c.screens.keyMatrix()->saveData();
    return Qx7Ctl::Success;
}

int sendMacro(Context& c, int slot, const QString& name)
{
    if (!c.screens.macroEditor()->sendMacro(slot, name)) {
        CtlOutput::error(
            QStringLiteral("macro '%1' is longer than the mouse's %2 bytes").arg(name).arg(MacroEncoder::BlockSize));
        return Qx7Ctl::BadUsage;
    }
    return Qx7Ctl::Success;
}

// As on the gun screen: the slot, its preset (-1: the one it uses), the preset's values, closing.
int setGun(Context& c, int slot, int preset, int times, int y)
{
    GunControlScreen* gun = c.screens.gunControl();
    gun->chooseSlot(slot - 1);
    if (preset >= 0) {
        gun->choosePreset(preset);
    }
    gun->setTimes(times);
    gun->setY(y);
    gun->close();
    return Qx7Ctl::Success;
}

int printProfile(Context& c)
{
    CtlOutput::line(QString::number(c.store.getGlobalData(QStringLiteral("mouse/profileNo")).toInt()));
    return Qx7Ctl::Success;
}

// The profile at position `entry` of the profile list, as the top menu chooses it.
int switchProfile(Context& c, int entry)
{
    const int entries = int(c.screens.profile()->names().size());
    if (entry >= entries) {
        CtlOutput::error(QStringLiteral("profile %1: the list has profiles 0 to %2").arg(entry).arg(entries - 1));
        return Qx7Ctl::BadUsage;
    }
    c.screens.main()->changeProfile(entry);
    return Qx7Ctl::Success;
}

int factoryReset(Context& c)
{
    if (!c.screens.main()->factoryReset()) {
        return fileFailure(QStringLiteral("reset: the profile could not be restored from its default"));
    }
    return Qx7Ctl::Success;
}

int printOptions(Context& c)
{
    const QVariantList o = c.ops.GetKeyboardoption();
    unsigned char bytes[4];
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<unsigned char>(o.at(i).toInt());
    }
    CtlOutput::line(hex(bytes, 4));
    return Qx7Ctl::Success;
}

int readProfile(Context& c, int image)
{
    c.ops.mouseReadProfile(static_cast<uint>(image));
    CtlOutput::line(hex(c.ops.profileImage(image).data(), DeviceOperations::ImageSize));
    return Qx7Ctl::Success;
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
        CtlOutput::error(QStringLiteral("listen: cannot watch for signals"));
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
        if (c.owner.removed || !c.link.isListening()) {
            QCoreApplication::exit(Qx7Ctl::ExchangeFailed);
        }
    });
    removal.start(100);

    c.link.initKeyboardoption(c.deviceIndex);
    const int status = g_interrupted ? 0 : QCoreApplication::exec();
    c.link.stopListen();
    c.link.waitListener();
    if (status != 0) {
        CtlOutput::error(QStringLiteral("listen: the device went away"));
    }
    return status;
}

// Argument parsers, one per command.

template <int (*Body)(Context&)>
Parsed noArguments(const Request&)
{
    return ready(Body);
}

Parsed parseReportRate(const Request& r)
{
    static const QStringList rates {"125", "250", "500", "1000"};
    const int index = rates.indexOf(r.args.first());
    if (index < 0) {
        return failure(QStringLiteral("bad report rate '%1': expected 125, 250, 500 or 1000").arg(r.args.first()));
    }
    return ready([index](Context& c) { return setReportRate(c, index); });
}

Parsed parseDpiStage(const Request& r)
{
    return optionalNumber(r, printDpiStage, "stage", 1, 8, setDpiStage);
}

Parsed parseDpi(const Request& r)
{
    const int stages = std::min(profileInt(r.store, "mouse/dpiCount", 8), 8);
    const int minDpi = globalInt(r.store, "mouse/minDPI", 200);
    const int maxDpi = globalInt(r.store, "mouse/maxDPI", 6000);
    const int base = globalInt(r.store, "mouse/dpiBase", 50);
    NumberArgs n(r.args);
    const int count = n.next("stage count", 1, stages);
    if (!n.ok()) {
        return failure(n.error());
    }
    QList<int> values;
    for (int i = 0; i < DpiSettingScreen::Stages; ++i) {
        values << n.next("DPI value", std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    }
    if (!n.ok()) {
        return failure(QStringLiteral("%1 DPI values expected after the stage count").arg(DpiSettingScreen::Stages));
    }
    // Stored exactly as typed, so only a value a slider could give is taken.
    for (int value : values) {
        const QList<int> nearest = DpiSettingScreen::nearestValues(value, minDpi, maxDpi, base);
        if (nearest != QList<int> {value}) {
            QStringList texts;
            for (int v : nearest) {
                texts << QString::number(v);
            }
            return failure(QStringLiteral("bad DPI value '%1': expected %2 to %3 in steps of %4; nearest: %5")
                               .arg(value)
                               .arg(minDpi)
                               .arg(maxDpi)
                               .arg(base)
                               .arg(texts.join(QStringLiteral(" or "))));
        }
    }
    return ready([count, values](Context& c) { return setDpi(c, count, values); });
}

Parsed parseLight(const Request& r)
{
    NumberArgs n(r.args);
    const int mode = n.next("mode", 0, LightControlScreen::modeCount(r.store.isColorful(), r.store.is55328()) - 1);
    const int speed = n.next("speed", 0, 4);
    const int brightness = n.next("brightness", 0, 4);
    if (!n.ok()) {
        return failure(n.error());
    }
    return ready([=](Context& c) { return setLight(c, mode, speed, brightness); });
}

Parsed parseColors(const Request& r)
{
    static const QRegularExpression pattern(QStringLiteral("^#[0-9a-fA-F]{6}$"));
    for (const QString& arg : r.args) {
        if (!pattern.match(arg).hasMatch()) {
            return failure(QStringLiteral("bad colour '%1': expected #rrggbb").arg(arg));
        }
    }
    const QStringList colors = r.args;
    return ready([colors](Context& c) { return setColors(c, colors); });
}

Parsed parseKey(const Request& r)
{
    NumberArgs n(r.args);
    const int entry = n.next("key entry", 0, KeyEntries - 1);
    if (!n.ok()) {
        return failure(n.error());
    }
    QString why;
    const std::optional<ButtonFunction> record = ButtonFunction::fromKeyCode(r.args.at(1), &why);
    if (!record) {
        return failure(QStringLiteral("bad record '%1': %2").arg(r.args.at(1), why));
    }
    QString name;
    if (record->type() == ButtonFunction::Macro) {
        // As the dialog makes them: the run mode, the button's own slot, the macro's name.
        if (r.args.size() != 3) {
            return failure(QStringLiteral("a macro record needs the macro's NAME"));
        }
        if (entry >= MacroSlots) {
            return failure(QStringLiteral("the mouse keeps macros for buttons 0-%1 only").arg(MacroSlots - 1));
        }
        if (record->param1() >= KeyAssigmentScreen::MacroModes || record->param2() != entry || record->param3() != 0) {
            return failure(QStringLiteral("bad macro record '%1': expected 04 MM %2 00 with run mode MM 00-02")
                               .arg(r.args.at(1))
                               .arg(entry, 2, 16, QLatin1Char('0')));
        }
        name = r.args.at(2);
        if (!r.macros.macroExists(name)) {
            return failure(QStringLiteral("no stored macro named '%1'").arg(name));
        }
    } else if (r.args.size() == 3) {
        return failure(QStringLiteral("NAME goes only with a macro record (type 04)"));
    }
    return ready([entry, record, name](Context& c) { return setKey(c, entry, *record, name); });
}

Parsed parseMacro(const Request& r)
{
    NumberArgs n(r.args);
    const int slot = n.next("macro slot", 0, MacroSlots - 1);
    if (!n.ok()) {
        return failure(n.error());
    }
    const QString name = r.args.at(1);
    if (!r.macros.macroExists(name)) {
        return failure(QStringLiteral("no stored macro named '%1'").arg(name));
    }
    return ready([slot, name](Context& c) { return sendMacro(c, slot, name); });
}

Parsed parseGun(const Request& r)
{
    if (!r.store.isGun()) {
        return failure(QStringLiteral("this mouse has no gun functions"));
    }
    NumberArgs n(r.args);
    const int slot = n.next("gun slot", 1, GunSlots);
    const int times = n.next("times", 0, GunControlScreen::MaxTimes);
    const int y = n.next("Y", 0, GunControlScreen::MaxY);
    const int preset = r.args.size() > 3 ? n.next("preset", 0, GunControlScreen::PresetCount - 1) : -1;
    if (!n.ok()) {
        return failure(n.error());
    }
    return ready([=](Context& c) { return setGun(c, slot, preset, times, y); });
}

Parsed parseProfile(const Request& r)
{
    return optionalNumber(r, printProfile, "profile", 0, ProfileScreen::MaxEntries - 1, switchProfile);
}

Parsed parseReadProfile(const Request& r)
{
    return optionalNumber(r, {}, "profile image", 0, ImageCount - 1, readProfile);
}

} // namespace

// clang-format off
const QList<CtlCommand>& CtlCommand::all()
{
    static const QList<CtlCommand> commands = {
        {"report-rate", "125|250|500|1000", "", parseReportRate},
        {"dpi-stage", "[N]", "no N: print the active stage; N: 1-8", parseDpiStage},
        {"dpi", "COUNT V1 V2 V3 V4 V5 V6 V7 V8", "stages in use and the eight DPI values", parseDpi},
        {"light", "MODE SPEED BRIGHTNESS", "mode index as in the lighting list, speed and brightness 0-4", parseLight},
        {"colors", "C1 C2 C3 C4 C5 C6 C7 C8", "eight colours #rrggbb", parseColors},
        {"key", "N RECORD [NAME]", "N 0-15, RECORD eight hex digits: assigns it as the dialog does\n"
                                   "and sends the changed matrix; a macro record 04MMNN00 (run\n"
                                   "mode MM, NN = N) takes the macro NAME, sent to slot N", parseKey},
        {"keys", "", "send the stored key matrix", noArguments<sendKeys>},
        {"macro", "SLOT NAME", "send the stored macro NAME to slot 0-11", parseMacro},
        {"gun", "SLOT TIMES Y [PRESET]", "gun slot 1-3 (its preset 0-5): times 0-255, Y 0-64", parseGun},
        {"profile", "[N]", "no N: print the current profile; N: switch to entry N of the list", parseProfile},
        {"reset", "", "factory reset of the current profile", noArguments<factoryReset>},
        {"options", "", "print the four keyboard option bytes in hex", noArguments<printOptions>},
        {"read-profile", "N", "print on-board profile image N (0-4) in hex", parseReadProfile},
        {"listen", "", "print \"dpi N\" for each DPI event until interrupted\n"
                       "(with --virtual-mouse, each input line presses its DPI button)", noArguments<listen>},
    };
    return commands;
}
// clang-format on

CtlCommand::Parsed CtlCommand::parseArguments(const Request& request) const
{
    // The argument form says how many there are: one word each, optional ones in brackets.
    const QStringList words = arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const int optional = int(words.filter(QRegularExpression(QStringLiteral("^\\["))).size());
    if (request.args.size() > words.size() || request.args.size() < words.size() - optional) {
        return failure(words.isEmpty() ? name + QStringLiteral(" takes no arguments")
                                       : name + QStringLiteral(" takes ") + arguments);
    }
    return parse(request);
}

const CtlCommand* CtlCommand::find(const QString& name)
{
    for (const CtlCommand& command : all()) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}
