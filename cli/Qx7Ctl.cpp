#include "Qx7Ctl.h"

#include "ConfigStore.h"
#include "Core.h"
#include "CtlCommand.h"
#include "CtlDocs.h"
#include "CtlOutput.h"
#include "CtlOwner.h"
#include "DataLocation.h"
#include "DeviceConnector.h"
#include "DeviceOperations.h"
#include "HidClock.h"
#include "HidTrace.h"
#include "Hid_Thread.h"
#include "HidapiTransport.h"
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

// Options may stand anywhere on the line; "--" ends them, for arguments that begin with "-".
bool parseOptions(const QStringList& arguments, Settings& s, QString& error)
{
    QCommandLineParser parser;
    for (const Qx7Ctl::Option& option : Qx7Ctl::options()) {
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
        error = error.left(1).toLower() + error.mid(1) + QStringLiteral(" (see qx7ctl --help)");
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
        return QStringLiteral("no command given (see qx7ctl --help)");
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

// The core's log lines are for the configurator's debug log; qx7ctl words what went wrong itself.
void quietLog(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        CtlOutput::error(message);
    }
}

} // namespace

const QList<Qx7Ctl::Option>& Qx7Ctl::options()
{
    // clang-format off
    static const QList<Option> list = {
        {"data-dir", "DIR", "use the modules/ folder in DIR as it is (default: see FILES)"},
        {"virtual-mouse", nullptr, "add the virtual mouse, imitating the first configured device"},
        {"virtual-scode", "CODE", "give the virtual mouse another secrecy code"},
        {"virtual-unplug", "N", "unplug the virtual mouse after the command's first N reports"},
        {"trace", nullptr, "write every report and pause of the link to standard error"},
        {"fast", nullptr, "with the virtual mouse: trace pauses but do not wait for them"},
        {"help", nullptr, "show this text"},
    };
    // clang-format on
    return list;
}

int Qx7Ctl::run(const QStringList& arguments)
{
    qInstallMessageHandler(quietLog);
    Settings settings;
    QString error;
    if (!parseOptions(arguments, settings, error)) {
        CtlOutput::error(error);
        return BadUsage;
    }
    if (settings.help) {
        CtlOutput::line(CtlDocs::helpText().trimmed());
        return Success;
    }
    error = checkSettings(settings);
    if (!error.isEmpty()) {
        CtlOutput::error(error);
        return BadUsage;
    }
    const CtlCommand* command = CtlCommand::find(settings.command);
    if (!command) {
        CtlOutput::error(QStringLiteral("unknown command '%1' (see qx7ctl --help)").arg(settings.command));
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
    // The configuration lists the devices and their flags: without it nothing can be done.
    const QString configFile = StorePaths(settings.dataDir).globalConfig();
    if (!QFileInfo(configFile).isFile() || !QFileInfo(configFile).isReadable()) {
        CtlOutput::error(QStringLiteral("%1: a settings file could not be read: %2").arg(command->name, configFile));
        return FileFailed;
    }

    HidTrace::setEnabled(settings.trace);
    HidapiTransport hidapi;
    std::unique_ptr<VirtualMouse> virtualDevice;
    if (settings.virtualMouse) {
        virtualDevice = VirtualMouseSetup::imitateConfigured(configFile, &hidapi, settings.virtualCode);
    }
    RealClock realClock;
    NoWaitClock noWait;
    Hid_Thread link(virtualDevice ? static_cast<HidTransport*>(virtualDevice.get()) : &hidapi,
                    settings.fast ? static_cast<HidClock*>(&noWait) : &realClock);
    Core core(settings.dataDir);
    ConfigStore& store = core.store();
    MacroLibrary& macros = core.macros();
    CtlOwner owner(store.isGun(), controllerFamilyOf(store.icType()));
    link.setOwnerWidget(&owner);
    // The screens as the configurator shows them at start, before any device is opened: the
    // arguments are checked against their rules and limits.
    core.attach(&link);
    DeviceOperations& ops = *core.operations();
    Screens& screens = *core.screens();
    screens.main()->readFlags();
    screens.main()->initScreens();

    const CtlCommand::Parsed parsed = command->parseArguments({command->name, settings.args, store, macros, screens});
    if (!parsed.body) {
        CtlOutput::error(parsed.error);
        return BadUsage;
    }

    int index = -1;
    if (parsed.needsDevice) {
        if (settings.virtualMouse && !virtualDevice) {
            CtlOutput::error(QStringLiteral("--virtual-mouse: the configuration lists no device to imitate"));
            return NoDevice;
        }
        index = DeviceConnector::findAndVerify(link, configFile);
        if (index < 0) {
            CtlOutput::error(QStringLiteral(
                "no verified device. Check that the mouse is plugged in, and that the udev rule\n"
                "70-qx7-config.rules is installed (it lets the user at the seat open the mouse; plug the\n"
                "mouse in again after installing it). To try without a mouse, add --virtual-mouse."));
            return NoDevice;
        }
        ops.connectDevice(index, false);
    }

    CtlCommand::Context context {store, link, ops, macros, core.guns(), owner, virtualDevice.get(), index, screens};
    if (settings.unplugAfter >= 0 && virtualDevice) {
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
        CtlOutput::error(QStringLiteral("%1: an exchange with the mouse failed").arg(command->name));
    }
    if (!unwritten.isEmpty()) {
        return FileFailed;
    }
    return exchangeFailed ? ExchangeFailed : Success;
}
