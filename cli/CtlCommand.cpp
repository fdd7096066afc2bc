#include "CtlCommand.h"

#include "Autostart.h"

#include "ButtonFunction.h"
#include "ConfigStore.h"
#include "CtlAppRules.h"
#include "CtlArgs.h"
#include "CtlOutput.h"
#include "CtlOwner.h"
#include "CtlProfileCommands.h"
#include "DeviceOperations.h"
#include "DpiSettingScreen.h"
#include "GunControlScreen.h"
#include "Hid_Thread.h"
#include "KeyAssigmentScreen.h"
#include "KeyMatrixScreen.h"
#include "LightControlScreen.h"
#include "MacroEditorScreen.h"
#include "MacroEncoder.h"
#include "MacroLibrary.h"
#include "MainScreen.h"
#include "Qx7Ctl.h"
#include "Screens.h"
#include "VirtualMouse.h"

#include <QCoreApplication>
#include <QFileInfo>
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

int fileFailure(const QString& message)
{
    CtlOutput::error(message);
    return Qx7Ctl::FileFailed;
}

QString hex(const unsigned char* bytes, int length)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes), length).toHex(' '));
}

// "1 Static, 2 Breath, ...": a list as the commands number it.
QString numbered(const QStringList& names)
{
    QStringList out;
    for (int i = 0; i < names.size(); ++i) {
        out << QStringLiteral("%1 %2").arg(i + 1).arg(names.at(i));
    }
    return out.join(QStringLiteral(", "));
}

// Command bodies, one per command.

int printReportRate(Context& c)
{
    CtlOutput::line(MainScreen::reportRates().at(c.screens.main()->reportRateIndex()));
    return Qx7Ctl::Success;
}

int setReportRate(Context& c, int index)
{
    c.screens.main()->chooseReportRate(index);
    return Qx7Ctl::Success;
}

int printDpiStage(Context& c)
{
    const DpiSettingScreen* dpi = c.screens.dpiSetting();
    const int stage = c.ops.mouseGetCurrentDPI().toInt();
    const int value = dpi->values().value(stage - 1);
    CtlOutput::line(QStringLiteral("stage %1 of %2 in use: %3 DPI").arg(stage).arg(dpi->currentDpiCount()).arg(value));
    return Qx7Ctl::Success;
}

int setDpiStage(Context& c, int stage)
{
    c.ops.mouseSetCurrentDPI(static_cast<unsigned char>(stage));
    return Qx7Ctl::Success;
}

int printDpi(Context& c)
{
    const DpiSettingScreen* dpi = c.screens.dpiSetting();
    QStringList values;
    for (int value : dpi->values()) {
        values << QString::number(value);
    }
    CtlOutput::line(QStringLiteral("%1 of %2 stages in use; DPI of stages 1 to %3: %4")
                        .arg(dpi->currentDpiCount())
                        .arg(dpi->dpiCount())
                        .arg(values.size())
                        .arg(values.join(QLatin1Char(' '))));
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

int printLight(Context& c)
{
    const LightControlScreen* light = c.screens.lightControl();
    const int top = LightControlScreen::levelSteps();
    CtlOutput::line(QStringLiteral("mode %1 %2, speed %3 of 0-%4, brightness %5 of 0-%4")
                        .arg(light->modeIndex() + 1)
                        .arg(light->modes().value(light->modeIndex()))
                        .arg(light->speedIndex())
                        .arg(top)
                        .arg(light->brightnessIndex()));
    CtlOutput::line(QStringLiteral("modes: ") + numbered(light->modes()));
    return Qx7Ctl::Success;
}

// The mode as the lighting screen chooses it, then the two levels; its Save sends effect and colours.
int setLight(Context& c, int mode, int speed, int brightness)
{
    LightControlScreen* light = c.screens.lightControl();
    light->chooseMode(mode);
    const QString name = light->modes().value(mode);
    if (!light->setSpeed(speed)) {
        CtlOutput::line(QStringLiteral("%1 keeps its own speed (%2)").arg(name).arg(light->speedIndex()));
    }
    if (!light->setBrightness(brightness)) {
        CtlOutput::line(QStringLiteral("%1 keeps its own brightness (%2)").arg(name).arg(light->brightnessIndex()));
    }
    light->saveData(true, 0);
    return Qx7Ctl::Success;
}

int printColors(Context& c)
{
    CtlOutput::line(c.screens.lightControl()->colors().join(QLatin1Char(' ')));
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

int printKeys(Context& c)
{
    const KeyMatrixScreen* keys = c.screens.keyMatrix();
    for (int entry = 0; entry < c.screens.main()->keyCount(); ++entry) {
        CtlOutput::line(
            QStringLiteral("Key %1  %2  %3").arg(entry + 1, 2).arg(keys->record(entry).keyCode(), keys->text(entry)));
    }
    return Qx7Ctl::Success;
}

// As the assignment dialog does: open the button, take the record, close, then Save.
int setKey(Context& c, int entry, const ButtonFunction& record, const QString& macroName)
{
    KeyAssigmentScreen* dialog = c.screens.keyAssigment();
    if (!dialog->openButton(entry)) {
        CtlOutput::error(dialog->notice());
        return Qx7Ctl::BadUsage;
    }
    dialog->setRecord(record, macroName);
    dialog->close();
    c.screens.main()->save();
    return Qx7Ctl::Success;
}

int printFunctions(Context& c)
{
    const KeyAssigmentScreen* dialog = c.screens.keyAssigment();
    const QStringList groups = dialog->groupTitles();
    for (const ButtonFunction::FixedChoice& choice : ButtonFunction::fixedChoices()) {
        const ButtonFunction record(choice.bytes);
        CtlOutput::line(QStringLiteral("%1  %2  (%3)")
                            .arg(record.keyCode(),
                                 dialog->choiceText(choice.label),
                                 groups.value(KeyAssigmentScreen::groupOf(record))));
    }
    return Qx7Ctl::Success;
}

int sendKeys(Context& c)
{
    c.screens.keyMatrix()->saveData();
    return Qx7Ctl::Success;
}

int printMacros(Context& c)
{
    for (const QString& name : c.screens.macroEditor()->macroNames()) {
        CtlOutput::line(name);
    }
    return Qx7Ctl::Success;
}

// A macro too long for the mouse is refused before anything is sent; a send that fails is an
// exchange that failed, which the caller reports.
int sendMacro(Context& c, int slot, const QString& name)
{
    MacroEditorScreen* editor = c.screens.macroEditor();
    if (!editor->fitsBlock(name)) {
        CtlOutput::error(
            QStringLiteral("macro '%1' is longer than the mouse's %2 bytes").arg(name).arg(MacroEncoder::BlockSize));
        return Qx7Ctl::BadUsage;
    }
    editor->sendMacro(slot, name);
    return Qx7Ctl::Success;
}

int printGun(Context& c)
{
    const GunControlScreen* gun = c.screens.gunControl();
    const QStringList names = gun->gunNames();
    for (int slot = 0; slot < GunControlScreen::SlotCount; ++slot) {
        const int index = gun->slotPreset(slot);
        const GunControlScreen::Preset p = gun->preset(index);
        CtlOutput::line(QStringLiteral("gun slot %1: preset %2 %3, fire period %4 ms, %5, Y correction %6")
                            .arg(slot + 1)
                            .arg(index + 1)
                            .arg(names.value(index))
                            .arg(p.period)
                            .arg(p.times == 0 ? QStringLiteral("endless") : QStringLiteral("%1 times").arg(p.times))
                            .arg(p.y));
    }
    CtlOutput::line(QStringLiteral("presets: ") + numbered(names));
    return Qx7Ctl::Success;
}

// As on the gun screen: the slot, its preset (-1: the one it uses), the preset's values, closing.
int setGun(Context& c, int slot, int preset, int times, int y, int period)
{
    GunControlScreen* gun = c.screens.gunControl();
    gun->chooseSlot(slot - 1);
    if (preset >= 0) {
        gun->choosePreset(preset);
    }
    gun->setTimes(times);
    gun->setY(y);
    if (period > 0) {
        gun->setPeriod(period);
    }
    gun->close();
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
    CtlOutput::line(hex(c.ops.profileImage(image).data(), WireSizes::Block));
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

    // With the virtual mouse, each line typed presses its DPI button; the end of the input ends
    // the command once the presses have been reported.
    std::unique_ptr<QSocketNotifier> input;
    if (c.virtualMouse) {
        input = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(input.get(), &QSocketNotifier::activated, [&c, &input] {
            char buffer[256];
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0) {
                input->setEnabled(false);
                QTimer::singleShot(500, [] { QCoreApplication::exit(0); });
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
        CtlOutput::error(QStringLiteral("listen: the mouse went away"));
    }
    return status;
}

// The configurator beside this program, started with the desktop session.
int autostart(const QString& what)
{
    Autostart entry(Autostart::besideThisProgram());
    if (what == QLatin1String("status")) {
        CtlOutput::line(entry.isOn() ? QStringLiteral("on: %1 starts %2").arg(entry.location(), entry.command())
                                     : QStringLiteral("off"));
        return Qx7Ctl::Success;
    }
    const bool on = what == QLatin1String("on");
    if (on && !QFileInfo(Autostart::besideThisProgram()).isExecutable()) {
        return fileFailure(
            QStringLiteral("autostart: no configurator to start: %1").arg(Autostart::besideThisProgram()));
    }
    QString error;
    if (!entry.setOn(on, &error)) {
        return fileFailure(QStringLiteral("autostart: ") + error);
    }
    return Qx7Ctl::Success;
}

// Argument parsers, one per command.

template <int (*Body)(Context&), bool NeedsDevice = true>
Parsed noArguments(const Request&)
{
    return CtlArgs::ready(Body, NeedsDevice);
}

// "125|250|500|1000": the report-rate box's entries without their unit.
QStringList reportRates()
{
    QStringList rates = MainScreen::reportRates();
    rates.replaceInStrings(QStringLiteral("Hz"), QString());
    return rates;
}

// "C1 C2 ... C8": `count` numbered words.
QString numberedWords(const char* word, int count)
{
    QStringList words;
    for (int i = 1; i <= count; ++i) {
        words << QLatin1String(word) + QString::number(i);
    }
    return words.join(QLatin1Char(' '));
}

Parsed parseReportRate(const Request& r)
{
    if (r.args.isEmpty()) {
        return CtlArgs::ready(printReportRate, false);
    }
    const QStringList rates = reportRates();
    const int index = int(rates.indexOf(r.args.first()));
    if (index < 0) {
        return CtlArgs::failure(
            QStringLiteral("bad report rate '%1': expected %2").arg(r.args.first(), rates.join(QStringLiteral(", "))));
    }
    return CtlArgs::ready([index](Context& c) { return setReportRate(c, index); });
}

Parsed parseDpiStage(const Request& r)
{
    if (r.args.isEmpty()) {
        return CtlArgs::ready(printDpiStage);
    }
    CtlArgs a(r.args);
    const int stage = a.number("stage", 1, r.screens.dpiSetting()->currentDpiCount());
    return a.result([stage](Context& c) { return setDpiStage(c, stage); });
}

Parsed parseDpi(const Request& r)
{
    if (r.args.isEmpty()) {
        return CtlArgs::ready(printDpi, false);
    }
    const DpiSettingScreen* dpi = r.screens.dpiSetting();
    CtlArgs a(r.args);
    const int count = a.number("stage count", 1, dpi->dpiCount());
    QList<int> values;
    for (int i = 0; i < DpiSettingScreen::Stages; ++i) {
        values << a.number("DPI value", std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    }
    a.require(r.args.size() == 1 + DpiSettingScreen::Stages,
              QStringLiteral("dpi takes the stage count and %1 values").arg(DpiSettingScreen::Stages));
    // Stored exactly as typed, so only a value a slider could give is taken.
    for (int value : values) {
        if (!a.ok()) {
            break;
        }
        const QList<int> nearest = DpiSettingScreen::nearestValues(value, dpi->minDPI(), dpi->maxDPI(), dpi->dpiBase());
        QStringList texts;
        for (int v : nearest) {
            texts << QString::number(v);
        }
        a.require(nearest == QList<int> {value},
                  QStringLiteral("bad DPI value '%1': expected %2 to %3 in steps of %4; nearest: %5")
                      .arg(value)
                      .arg(dpi->minDPI())
                      .arg(dpi->maxDPI())
                      .arg(dpi->dpiBase())
                      .arg(texts.join(QStringLiteral(" or "))));
    }
    return a.result([count, values](Context& c) { return setDpi(c, count, values); });
}

Parsed parseLight(const Request& r)
{
    if (r.args.isEmpty()) {
        return CtlArgs::ready(printLight, false);
    }
    CtlArgs a(r.args);
    const int mode = a.entry("mode", r.screens.lightControl()->modes());
    const int speed = a.number("speed", 0, LightControlScreen::levelSteps());
    const int brightness = a.number("brightness", 0, LightControlScreen::levelSteps());
    a.require(r.args.size() == 3, QStringLiteral("light takes MODE SPEED BRIGHTNESS"));
    return a.result([=](Context& c) { return setLight(c, mode, speed, brightness); });
}

Parsed parseColors(const Request& r)
{
    if (r.args.isEmpty()) {
        return CtlArgs::ready(printColors, false);
    }
    if (r.args.size() != LightControlScreen::ColorCount) {
        return CtlArgs::failure(QStringLiteral("colors takes %1 colours").arg(LightControlScreen::ColorCount));
    }
    static const QRegularExpression pattern(QStringLiteral("^#[0-9a-fA-F]{6}$"));
    for (const QString& arg : r.args) {
        if (!pattern.match(arg).hasMatch()) {
            return CtlArgs::failure(QStringLiteral("bad colour '%1': expected #rrggbb").arg(arg));
        }
    }
    const QStringList colors = r.args;
    return CtlArgs::ready([colors](Context& c) { return setColors(c, colors); });
}

// A fixed choice by its name, as the dialog or the defaults call it, or a record in hex.
std::optional<ButtonFunction> functionOf(const KeyAssigmentScreen& dialog, const QString& text, QString* why)
{
    for (const ButtonFunction::FixedChoice& choice : ButtonFunction::fixedChoices()) {
        if (choice.label.compare(text, Qt::CaseInsensitive) == 0
            || dialog.choiceText(choice.label).compare(text, Qt::CaseInsensitive) == 0) {
            return ButtonFunction(choice.bytes);
        }
    }
    const std::optional<ButtonFunction> record = ButtonFunction::fromKeyCode(text, why);
    if (!record) {
        *why = QStringLiteral(
                   "'%1' is neither a function's name (see qx7ctl functions) nor a record of eight hex digits")
                   .arg(text);
        return std::nullopt;
    }
    if (KeyAssigmentScreen::groupOf(*record) < 0) {
        *why = QStringLiteral("bad record '%1': no function has type %2").arg(text, text.left(2));
        return std::nullopt;
    }
    return record;
}

Parsed parseKey(const Request& r)
{
    if (r.args.isEmpty()) {
        return CtlArgs::ready(printKeys, false);
    }
    if (r.args.size() == 1) {
        return CtlArgs::failure(QStringLiteral("key takes a button and its function (see qx7ctl --help)"));
    }
    CtlArgs a(r.args);
    const int entry = a.number("button", 1, r.screens.main()->keyCount()) - 1;
    if (!a.ok()) {
        return CtlArgs::failure(a.error());
    }
    const KeyAssigmentScreen& dialog = *r.screens.keyAssigment();
    QString why;
    std::optional<ButtonFunction> record = functionOf(dialog, r.args.at(1), &why);
    // A stored macro's name: the macro runs once per press, from the button's own slot.
    const bool macroByName = !record && r.args.size() == 2 && r.macros.macroExists(r.args.at(1));
    if (macroByName) {
        record = ButtonFunction(ButtonFunction::Macro, 0, static_cast<quint8>(entry), 0);
    }
    if (!record) {
        return CtlArgs::failure(why);
    }
    // The rule the dialog follows when it is asked to open on this button.
    if (r.screens.keyMatrix()->isLastLeftButton(entry)) {
        return CtlArgs::failure(dialog.lastLeftButtonText(entry));
    }
    // The dialog offers gun slots only on mice with gun functions.
    if (record->type() == ButtonFunction::Gun
        && (!r.screens.main()->isGun() || record->param2() < 1 || record->param2() > GunControlScreen::SlotCount)) {
        return CtlArgs::failure(r.screens.main()->isGun()
                                    ? QStringLiteral("bad record '%1': gun slots are 01 to %2")
                                          .arg(r.args.at(1))
                                          .arg(GunControlScreen::SlotCount, 2, 10, QLatin1Char('0'))
                                    : QStringLiteral("this mouse has no gun functions"));
    }
    QString name;
    if (record->type() == ButtonFunction::Macro) {
        // As the dialog makes them: the run mode, the button's own slot, the macro's name.
        if (r.args.size() != 3 && !macroByName) {
            return CtlArgs::failure(QStringLiteral("a macro record needs the macro's NAME"));
        }
        if (entry >= WireSizes::MacroSlots) {
            return CtlArgs::failure(
                QStringLiteral("the mouse keeps macros for Key 1 to Key %1 only").arg(WireSizes::MacroSlots));
        }
        if (record->param1() >= KeyAssigmentScreen::MacroModes || record->param2() != entry || record->param3() != 0) {
            return CtlArgs::failure(QStringLiteral("bad macro record '%1': expected 04 MM %2 00, with the run mode "
                                                   "MM 00 to %4 and Key %3's slot %2")
                                        .arg(r.args.at(1))
                                        .arg(entry, 2, 16, QLatin1Char('0'))
                                        .arg(entry + 1)
                                        .arg(KeyAssigmentScreen::MacroModes - 1, 2, 10, QLatin1Char('0')));
        }
        name = r.args.last();
        if (!r.macros.macroExists(name)) {
            return CtlArgs::failure(QStringLiteral("no stored macro named '%1'").arg(name));
        }
    } else if (r.args.size() == 3) {
        return CtlArgs::failure(QStringLiteral("NAME goes only with a macro record (type 04)"));
    }
    return CtlArgs::ready([entry, record, name](Context& c) { return setKey(c, entry, *record, name); });
}

Parsed parseMacro(const Request& r)
{
    if (r.args.isEmpty()) {
        return CtlArgs::ready(printMacros, false);
    }
    CtlArgs a(r.args);
    const int slot = a.number("key", 1, qMin(int(WireSizes::MacroSlots), r.screens.main()->keyCount())) - 1;
    const QString name = a.text();
    a.require(r.macros.macroExists(name), QStringLiteral("no stored macro named '%1'").arg(name));
    return a.result([slot, name](Context& c) { return sendMacro(c, slot, name); });
}

Parsed parseGun(const Request& r)
{
    if (!r.screens.main()->isGun()) {
        return CtlArgs::failure(QStringLiteral("this mouse has no gun functions"));
    }
    if (r.args.isEmpty()) {
        return CtlArgs::ready(printGun, false);
    }
    CtlArgs a(r.args);
    const int slot = a.number("gun slot", 1, GunControlScreen::SlotCount);
    const int times = a.number("times", 0, WireSizes::MaxTimes);
    const int y = a.number("Y", 0, GunControlScreen::MaxY);
    const int preset = a.remaining() > 0 ? a.entry("preset", r.screens.gunControl()->gunNames()) : -1;
    const int period
        = a.remaining() > 0 ? a.number("fire period", GunControlScreen::MinPeriod, GunControlScreen::MaxPeriod) : 0;
    a.require(r.args.size() >= 3, QStringLiteral("gun takes SLOT TIMES Y, then optionally PRESET and PERIOD"));
    return a.result([=](Context& c) { return setGun(c, slot, preset, times, y, period); });
}

Parsed parseAutostart(const Request& r)
{
    const QString what = r.args.first();
    if (what != QLatin1String("on") && what != QLatin1String("off") && what != QLatin1String("status")) {
        return CtlArgs::failure(QStringLiteral("autostart takes on|off|status"));
    }
    return CtlArgs::ready([what](Context&) { return autostart(what); }, false);
}

Parsed parseReadProfile(const Request& r)
{
    CtlArgs a(r.args);
    const int image = a.number("profile image", 0, WireSizes::ProfileImages - 1);
    return a.result([image](Context& c) { return readProfile(c, image); });
}

} // namespace

// clang-format off
const QList<CtlCommand>& CtlCommand::all()
{
    static const QList<CtlCommand> commands = {
        {"report-rate", "[" + reportRates().join(QLatin1Char('|')) + "]", "no rate: print the report rate; a rate: set it, in Hz",
         parseReportRate, {"report-rate 1000"}},
        {"dpi", "[COUNT " + numberedWords("V", DpiSettingScreen::Stages) + "]",
         QStringLiteral("no values: print the stages; values: the number of stages in use\n"
                        "and the DPI of stages 1 to %1, each one a DPI slider can give")
             .arg(DpiSettingScreen::Stages),
         parseDpi, {"dpi 4 400 800 1600 3200 4800 6400 8000 12000  # four stages in use"}},
        {"dpi-stage", "[N]", "no N: print the active stage and its DPI; N: make stage N\n"
                             "active, 1 up to the number in use",
         parseDpiStage, {"dpi-stage  # the active stage and its DPI", "dpi-stage 2  # the second stage active"}},
        {"light", "[MODE SPEED BRIGHTNESS]",
         QStringLiteral("no arguments: print the lighting and the modes by name; MODE by\n"
                        "name or number in that list, SPEED and BRIGHTNESS 0-%1")
             .arg(LightControlScreen::levelSteps()),
         parseLight, {"light  # the lighting, and the modes by number and name", "light Breath 2 4"}},
        {"colors", "[" + numberedWords("C", LightControlScreen::ColorCount) + "]", "no colours: print them; eight colours #rrggbb: set them",
         parseColors,
         {"colors \"#ff0000\" \"#00ff00\" \"#0000ff\" \"#ffffff\" \"#000000\" \"#000000\" \"#000000\" \"#000000\""}},
        {"functions", "", "list the functions a button can take by name, with their records",
         noArguments<printFunctions, false>, {"functions"}},
        {"key", "[N FUNCTION [NAME]]",
         "no arguments: list the buttons, Key 1 on, and what each does;\n"
         "Key N takes FUNCTION as the dialog assigns it, and the changed\n"
         "matrix is sent. FUNCTION: a name that functions lists, a record\n"
         "of eight hex digits, or a stored macro's name (run once per\n"
         "press). A macro record 04MMSS00 (run mode MM 00-02, SS = N - 1\n"
         "in hex) takes the macro NAME",
         parseKey,
         {"key 4 Next  # Key 4 plays \"Next\"", "key 5 Macro_0  # Key 5 runs Macro_0 once per press",
          "key 6 04020500 Macro_1  # Key 6 runs Macro_1 until it is released",
          "key  # every button and its function"}},
        {"keys", "", "send the stored key matrix", noArguments<sendKeys>, {"keys"}},
        {"macro", "[N NAME]",
         QStringLiteral("no arguments: list the stored macros; N NAME: send macro NAME\n"
                        "to the slot of Key N (1-%1)")
             .arg(WireSizes::MacroSlots),
         parseMacro, {"macro 2 Macro_1  # Macro_1 to Key 2's macro slot", "macro  # the stored macros"}},
        {"gun", "[SLOT TIMES Y [PRESET [PERIOD]]]",
         QStringLiteral("no arguments: print the gun slots and the presets; gun slot\n"
                        "1-%1 takes PRESET (by number or name; else the one it uses),\n"
                        "whose repeat count becomes TIMES (0-%2, 0 endless), its Y\n"
                        "correction Y (0-%3) and its fire period PERIOD (%4-%5 ms)")
             .arg(GunControlScreen::SlotCount)
             .arg(WireSizes::MaxTimes)
             .arg(GunControlScreen::MaxY)
             .arg(GunControlScreen::MinPeriod)
             .arg(GunControlScreen::MaxPeriod),
         parseGun, {"gun 2 5 9 AKM 20  # gun slot 2 uses AKM: 5 shots, Y correction 9, every 20 ms", "gun"}},
        {"profile-new", "[NAME]", "add a profile made from the defaults", CtlProfileCommands::parseNew,
         {"profile-new FPS  # prints its number and name: profile 2: FPS"}},
        {"profile", "[P]", "no P: list the profiles, * marking the one in use; P (number\n"
                           "or name): switch to that profile and send it",
         CtlProfileCommands::parseProfile, {"profile FPS  # the same as: profile 2", "profile  # * 2 FPS"}},
        {"profile-rename", "P NAME", "rename profile P (not the first)", CtlProfileCommands::parseRename,
         {"profile-rename FPS Shooter"}},
        {"profile-export", "P FILE", "write profile P to FILE (.pf added when missing)",
         CtlProfileCommands::parseExport, {"profile-export Shooter shooter.pf"}},
        {"profile-import", "FILE [NAME]", "add a profile read from FILE", CtlProfileCommands::parseImport,
         {"profile-import shooter.pf Copy"}},
        {"profile-delete", "P", "delete profile P (not the first, nor the one in use)",
         CtlProfileCommands::parseDelete, {"profile-delete Copy"}},
        {"app-rules", "[ACTION [APP|N|P] [P] [CLASS] [TITLE]]",
         "profiles that follow the application in front; no ACTION or\n"
         "list: print the switch, the rules by number and the choice for\n"
         "every other application; add APP P [CLASS [TITLE]]: a rule for\n"
         "the executable named APP (narrowed to a window class, and a\n"
         "title holding TITLE); remove N; on; off; other P|leave: the\n"
         "profile for every other application, or none",
         CtlAppRules::parse,
         {"app-rules add cs2 Shooter  # cs2 in front: the profile Shooter",
          "app-rules add RocketLeague.exe 2 steam_app_252950",
          "app-rules other leave  # other applications keep the profile they find",
          "app-rules on", "app-rules  # the switch, each rule with its number, the choice for the others",
          "app-rules remove 2"}},
        {"reset", "", "factory reset of the current profile", noArguments<factoryReset>, {}},
        {"options", "", "print the four keyboard option bytes in hex", noArguments<printOptions>, {"options"}},
        {"read-profile", "N",
         QStringLiteral("print the mouse's on-board profile image N (0-%1, as the mouse\n"
                        "numbers them) in hex")
             .arg(WireSizes::ProfileImages - 1),
         parseReadProfile, {"read-profile 1"}},
        {"listen", "", "print \"dpi N\" for each change of the active stage until\n"
                       "interrupted (with --virtual-mouse, each input line presses\n"
                       "the DPI button, and the end of the input ends it)",
         noArguments<listen>, {"--virtual-mouse listen  # \"dpi N\" for each line typed"}},
        {"autostart", "on|off|status", "on: start the configurator with the desktop session;\n"
                                       "off: no longer; status: print which",
         parseAutostart, {"autostart status  # off, or the entry and the program it starts"}},
    };
    return commands;
}
// clang-format on

CtlCommand::Parsed CtlCommand::parseArguments(const Request& request) const
{
    // The argument form says how many there may be: words inside brackets are optional.
    int required = 0;
    int total = 0;
    int depth = 0;
    for (const QString& word : arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        depth += int(word.count(QLatin1Char('[')));
        required += depth == 0 ? 1 : 0;
        ++total;
        depth -= int(word.count(QLatin1Char(']')));
    }
    if (request.args.size() > total || request.args.size() < required) {
        return CtlArgs::failure(total == 0 ? name + QStringLiteral(" takes no arguments")
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
