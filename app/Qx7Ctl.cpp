#include "Qx7Ctl.h"

#include "ConfigStore.h"
#include "CtlCommand.h"
#include "CtlOutput.h"
#include "CtlOwner.h"
#include "DataLocation.h"
#include "DeviceConnector.h"
#include "DeviceOperations.h"
#include "GunStore.h"
#include "HidClock.h"
#include "HidTrace.h"
#include "Hid_Thread.h"
#include "HidapiTransport.h"
#include "LanguageStore.h"
#include "MacroLibrary.h"
#include "MainScreen.h"
#include "Screens.h"
#include "VirtualMouse.h"
#include "VirtualMouseSetup.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <memory>
#include <optional>

namespace {

struct OptionText
{
    const char* name;
    const char* value;
    const char* description;
};

// clang-format off
constexpr OptionText Options[] = {
    {"data-dir", "DIR", "use the modules/ folder in DIR as it is (default: see Settings)"},
    {"virtual-mouse", nullptr, "add the virtual mouse, imitating the first configured device"},
    {"virtual-scode", "CODE", "give the virtual mouse another secrecy code"},
    {"virtual-unplug", "N", "unplug the virtual mouse after the command's first N reports"},
    {"trace", nullptr, "write every report and pause of the link to standard error"},
    {"fast", nullptr, "with the virtual mouse: trace pauses but do not wait for them"},
    {"help", nullptr, "show this text"},
};
// clang-format on

constexpr int OptionColumn = 24;
constexpr int CommandColumn = 38;

QString column(const QString& left, const QString& text, int width)
{
    QString out;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString head = QStringLiteral("  ") + (i == 0 ? left : QString());
        out += lines.at(i).isEmpty() ? head : head.leftJustified(width) + lines.at(i);
        out += QLatin1Char('\n');
    }
    return out;
}

QString optionName(const OptionText& option)
{
    QString name = QStringLiteral("--") + QLatin1String(option.name);
    if (option.value) {
        name += QLatin1Char(' ') + QLatin1String(option.value);
    }
    return name;
}

struct Settings
{
    QString dataDir;
    bool help = false;
    bool virtualMouse = false;
    bool trace = false;
    bool fast = false;
    std::optional<QString> virtualCode;
    int unplugAfter = -1;
    QString command;
    QStringList args;
};

// Options stand before the command; everything from the command on is its arguments.
bool parseOptions(const QStringList& arguments, Settings& s, QString& error)
{
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    for (const OptionText& option : Options) {
        QCommandLineOption o(QLatin1String(option.name), QLatin1String(option.description));
        if (option.value) {
            o.setValueName(QLatin1String(option.value));
        }
        parser.addOption(o);
    }
    if (!parser.parse(QStringList {QStringLiteral("qx7ctl")} + arguments)) {
        error = parser.errorText();
        if (error.endsWith(QLatin1Char('.'))) {
            error.chop(1);
        }
        error += QStringLiteral(" (see --help)");
        return false;
    }
    s.help = parser.isSet(QStringLiteral("help"));
    if (parser.isSet(QStringLiteral("data-dir"))) {
        s.dataDir = parser.value(QStringLiteral("data-dir"));
    }
    s.virtualMouse = parser.isSet(QStringLiteral("virtual-mouse"));
    s.trace = parser.isSet(QStringLiteral("trace"));
    s.fast = parser.isSet(QStringLiteral("fast"));
    if (parser.isSet(QStringLiteral("virtual-scode"))) {
        s.virtualCode = parser.value(QStringLiteral("virtual-scode"));
    }
    if (parser.isSet(QStringLiteral("virtual-unplug"))) {
        bool ok = false;
        s.unplugAfter = parser.value(QStringLiteral("virtual-unplug")).toInt(&ok);
        if (!ok || s.unplugAfter < 0) {
            error = QStringLiteral("--virtual-unplug takes a number of reports, 0 or more");
            return false;
        }
    }
    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty()) {
        s.command = positional.first();
        s.args = positional.mid(1);
    }
    return true;
}

QString checkSettings(const Settings& s)
{
    if (s.command.isEmpty()) {
        return QStringLiteral("no command given (see --help)");
    }
    if (s.fast && !s.virtualMouse) {
        return QStringLiteral("--fast works only with --virtual-mouse");
    }
    if (s.virtualCode && !s.virtualMouse) {
        return QStringLiteral("--virtual-scode works only with --virtual-mouse");
    }
    if (s.unplugAfter >= 0 && !s.virtualMouse) {
        return QStringLiteral("--virtual-unplug works only with --virtual-mouse");
    }
    if (!s.dataDir.isEmpty() && !QFileInfo(QDir(s.dataDir).filePath(QStringLiteral("modules"))).isDir()) {
        return QStringLiteral("no modules folder in '%1'").arg(s.dataDir);
    }
    return {};
}

} // namespace

QString Qx7Ctl::helpText()
{
    QString usage = QStringLiteral("Usage: qx7ctl");
    QString options;
    for (const OptionText& option : Options) {
        if (QLatin1String(option.name) != QLatin1String("help")) {
            usage += QStringLiteral(" [") + optionName(option) + QLatin1Char(']');
        }
        options += column(optionName(option), QLatin1String(option.description), OptionColumn);
    }
    QString commands;
    for (const CtlCommand& command : CtlCommand::all()) {
        commands
            += column((command.name + QLatin1Char(' ') + command.arguments).trimmed(), command.summary, CommandColumn);
    }
    return usage + QStringLiteral(" COMMAND [ARGS]\n\n")
           + QStringLiteral("Configures the mouse from a terminal. Each command acts on the current profile as the\n"
                            "configurator's screens do: it stores what they store, then sends what they send.\n\n")
           + QStringLiteral("Options:\n") + options + QStringLiteral("\nCommands:\n") + commands
           + QStringLiteral(
               "\nSettings: the configurator's. They are in modules/ beside the program when that folder may\n"
               "be written, otherwise in the user's data folder ($XDG_DATA_HOME/qx7-config/modules/, by\n"
               "default ~/.local/share/qx7-config/modules/), which the first start fills from the files\n"
               "installed with the program.\n"
               "\nExit status: 0 success, 1 bad usage or argument (nothing stored or sent), 2 no verified\n"
               "device, 3 an exchange with the device failed, 4 a settings file could not be read or\n"
               "written (the message names it; what was sent to the mouse stays sent).\n");
}

int Qx7Ctl::run(const QStringList& arguments)
{
    Settings settings;
    QString error;
    if (!parseOptions(arguments, settings, error)) {
        CtlOutput::error(error);
        return BadUsage;
    }
    if (settings.help) {
        CtlOutput::line(helpText().trimmed());
        return Success;
    }
    error = checkSettings(settings);
    if (!error.isEmpty()) {
        CtlOutput::error(error);
        return BadUsage;
    }
    const CtlCommand* command = CtlCommand::find(settings.command);
    if (!command) {
        CtlOutput::error(QStringLiteral("unknown command '%1' (see --help)").arg(settings.command));
        return BadUsage;
    }

    if (settings.dataDir.isEmpty()) {
        DataLocation location = DataLocation::forProgram();
        if (!location.prepare(&error)) {
            CtlOutput::error(QStringLiteral("the settings folder could not be set up: %1").arg(error));
            return FileFailed;
        }
        settings.dataDir = location.dataDir();
    }
    ConfigStore store(settings.dataDir);
    MacroLibrary macros(store);
    GunStore guns(store);
    const CtlCommand::Parsed parsed = command->parseArguments({command->name, settings.args, store, macros});
    if (!parsed.body) {
        CtlOutput::error(parsed.error);
        return BadUsage;
    }

    HidTrace::setEnabled(settings.trace);
    HidapiTransport hidapi;
    std::unique_ptr<VirtualMouse> virtualDevice;
    HidTransport* transport = &hidapi;
    if (settings.virtualMouse) {
        virtualDevice
            = VirtualMouseSetup::imitateConfigured(store.paths().globalConfig(), &hidapi, settings.virtualCode);
        if (!virtualDevice) {
            CtlOutput::error(QStringLiteral("--virtual-mouse: the configuration lists no device to imitate"));
            return NoDevice;
        }
        transport = virtualDevice.get();
    }
    RealClock realClock;
    NoWaitClock noWait;
    Hid_Thread link(transport, settings.fast ? static_cast<HidClock*>(&noWait) : &realClock);
    CtlOwner owner(store.isGun(), store.icType());
    link.setOwnerWidget(&owner);
    DeviceOperations ops(&link, &store);

    const int index = DeviceConnector::findAndVerify(link, store.paths().globalConfig());
    if (index < 0) {
        CtlOutput::error(QStringLiteral("no verified device"));
        return NoDevice;
    }
    ops.connectDevice(index, false);

    LanguageStore languages(settings.dataDir);
    Screens screens(store, macros, guns, languages, ops);
    screens.main()->readFlags();
    screens.main()->initScreens();

    CtlCommand::Context context {store, link, ops, macros, guns, owner, virtualDevice.get(), index, screens};
    if (settings.unplugAfter >= 0) {
        virtualDevice->unplugAfterReports(settings.unplugAfter);
    }
    const int exchangesBefore = link.failedExchanges();
    const int status = parsed.body(context);
    // Start-up writes count too (the screens tidy the name list): every change must have been kept.
    QStringList unwritten = store.failedFiles();
    unwritten.removeDuplicates();
    for (const QString& file : unwritten) {
        CtlOutput::error(QStringLiteral("%1: a settings file could not be written: %2").arg(command->name, file));
    }
    if (status != Success) {
        return status;
    }
    const bool exchangeFailed = link.failedExchanges() != exchangesBefore;
    if (exchangeFailed) {
        CtlOutput::error(QStringLiteral("%1: an exchange with the device failed").arg(command->name));
    }
    if (!unwritten.isEmpty()) {
        return FileFailed;
    }
    return exchangeFailed ? ExchangeFailed : Success;
}
