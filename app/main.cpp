#include "ConfigStore.h"
#include "CopyDataMessage.h"
#include "DataLocation.h"
#include "DeviceChangeMonitor.h"
#include "HidClock.h"
#include "HidapiTransport.h"
#include "InputHook.h"
#include "KeyCapture.h"
#include "MainScreen.h"
#include "SceneScreenshot.h"
#include "SingleInstance.h"
#include "StorePaths.h"
#include "VirtualMouse.h"
#include "VirtualMouseSetup.h"
#include "Widget.h"
#include "myQQuickView.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLibraryInfo>
#include <QMenu>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

struct Options
{
    bool virtualMouse = false;
    bool autostart = false;
    std::optional<QString> virtualCode;
    QString screenshot;
    QString screen;
    QString language;
};

const char* const ProgramName = "qx7-config";

void addOptions(QCommandLineParser& parser)
{
    // "-platform" and Qt's other one-dash options stay Qt's; so do their two-dash spellings.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Configures the QX7 mouse: DPI stages, report rate, buttons, macros, lighting and gun "
                       "presets, in up to six profiles."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("virtual-mouse"), QStringLiteral("Demo mode: a virtual mouse stands in for the real one.")},
        {QStringLiteral("autostart"),
         QStringLiteral("Started with the desktop session: no window until a mouse is found.")},
        {QStringLiteral("virtual-scode"),
         QStringLiteral("Give the virtual mouse another secrecy code."),
         QStringLiteral("CODE")},
        {QStringLiteral("language"),
         QStringLiteral("Show the texts of language file CODE.ini."),
         QStringLiteral("CODE")},
        {QStringLiteral("screenshot"),
         QStringLiteral("Write a picture of the scene to FILE (PNG) and exit."),
         QStringLiteral("FILE")},
        {QStringLiteral("screen"),
         QStringLiteral("With --screenshot: the screen shown (main, reset, help, profiles, apps, gun, system, "
                        "assign, macro)."),
         QStringLiteral("NAME")},
    });
    const char* const qtValueOptions[] = {"platform",
                                          "platformpluginpath",
                                          "platformtheme",
                                          "plugin",
                                          "qwindowgeometry",
                                          "qwindowicon",
                                          "qwindowtitle",
                                          "session",
                                          "display",
                                          "geometry",
                                          "style",
                                          "stylesheet",
                                          "qmljsdebugger"};
    for (const char* name : qtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    const char* const qtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    for (const char* name : qtFlags) {
        QCommandLineOption option(QString::fromLatin1(name), QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

Options readOptions(const QCommandLineParser& parser)
{
    Options o;
    o.virtualMouse = parser.isSet(QStringLiteral("virtual-mouse"));
    if (parser.isSet(QStringLiteral("virtual-scode"))) {
        o.virtualCode = parser.value(QStringLiteral("virtual-scode"));
    }
    o.autostart = parser.isSet(QStringLiteral("autostart"));
    // Start-up changes the working directory: a relative file is the one the user meant from here.
    if (parser.isSet(QStringLiteral("screenshot"))) {
        o.screenshot = QFileInfo(parser.value(QStringLiteral("screenshot"))).absoluteFilePath();
    }
    o.screen = parser.value(QStringLiteral("screen"));
    o.language = parser.value(QStringLiteral("language"));
    return o;
}

// The desktop's own file dialogs, through its portal, where Qt's portal theme is installed and the
// user has chosen no theme. The scene draws itself; the theme only decides the dialogs.
void preferPortalDialogs()
{
#ifdef Q_OS_LINUX
    const QString theme
        = QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platformthemes/libqxdgdesktopportal.so");
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORMTHEME") && QFileInfo::exists(theme)) {
        qputenv("QT_QPA_PLATFORMTHEME", "xdgdesktopportal");
    }
#endif
}

// --help, --version and mistakes are answered without a window system: 0 or 1 when the program
// ends here, -1 to go on.
int answerCommandLine(int argc, char** argv, QCommandLineParser& parser)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const bool parsed = parser.parse(arguments);
    QString error = parsed ? QString() : parser.errorText();
    if (parsed && parser.isSet(QStringLiteral("screen")) && !parser.isSet(QStringLiteral("screenshot"))) {
        error = QStringLiteral("--screen goes with --screenshot");
    }
    if (parsed && !parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().constFirst());
    }
    const bool help = parsed && parser.isSet(QStringLiteral("help"));
    const bool version = parsed && parser.isSet(QStringLiteral("version"));
    if (error.isEmpty() && !help && !version) {
        return -1;
    }
    QCoreApplication core(argc, argv);
    if (help) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (version) {
        std::printf("%s %s\n", ProgramName, QX7_VERSION);
        return 0;
    }
    const QString usage = parser.helpText().section(QLatin1Char('\n'), 0, 0);
    std::fprintf(stderr, "%s: %s\n%s\n", ProgramName, qPrintable(error), qPrintable(usage));
    return 1;
}

// In demo mode the tray menu stands in for the mouse's own DPI button and its cable.
void addDemoActions(Widget& widget, VirtualMouse& mouse)
{
    QMenu* menu = widget.tray()->contextMenu();
    auto* press = new QAction(QObject::tr("Virtual mouse: press the DPI button"), menu);
    QObject::connect(press, &QAction::triggered, menu, [&mouse] { mouse.pressDpiButton(); });
    auto* cable = new QAction(QObject::tr("Virtual mouse: unplug"), menu);
    QObject::connect(cable, &QAction::triggered, menu, [&mouse, cable] {
        if (mouse.isPlugged()) {
            mouse.unplug();
            cable->setText(QObject::tr("Virtual mouse: plug in"));
        } else {
            mouse.plug();
            cable->setText(QObject::tr("Virtual mouse: unplug"));
        }
    });
    menu->insertAction(widget.quitAction(), press);
    menu->insertAction(widget.quitAction(), cable);
    menu->insertSeparator(widget.quitAction());
}

} // namespace

int main(int argc, char** argv)
{
    // Names the per-user data folder, which qx7ctl shares.
    QCoreApplication::setApplicationName(QString::fromLatin1(ProgramName));
    QCoreApplication::setApplicationVersion(QStringLiteral(QX7_VERSION));
    QCommandLineParser parser;
    addOptions(parser);
    if (const int answered = answerCommandLine(argc, argv, parser); answered >= 0) {
        return answered;
    }
    const Options options = readOptions(parser);
    preferPortalDialogs();
    QApplication app(argc, argv);
    // The scene's font family, and on desktops without it the CJK family that renders every text.
    QFont::insertSubstitutions(QStringLiteral("\u5fae\u8f6f\u96c5\u9ed1"),
                               {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans")});
    SingleInstance instance;
    // A screenshot run is a tool of its own, beside a running configurator.
    if (options.screenshot.isEmpty() && instance.isRunning()) {
        instance.sendMessage(QString(), 5000);
        return 1;
    }
    // Every relative path is resolved against the program's own folder; the user's settings live
    // where the data location puts them.
    const QString path = QCoreApplication::applicationFilePath();
    QDir::setCurrent(path.left(path.lastIndexOf(QLatin1Char('/'))));
    DataLocation location = DataLocation::forProgram();
    QString locationError;
    if (!location.prepare(&locationError)) {
        qWarning().noquote() << "settings folder:" << locationError;
    }
    QString dataDir = location.dataDir();
    // A screenshot records its sample macro and may change what it shows: it works on a copy.
    QTemporaryDir scratch;
    if (!options.screenshot.isEmpty()) {
        QString copyError;
        if (!DataLocation::copyStoreFiles(dataDir, scratch.path(), &copyError)) {
            std::fprintf(stderr, "qx7-config: --screenshot: %s\n", qPrintable(copyError));
            return 1;
        }
        dataDir = scratch.path();
    }
    if (!options.language.isEmpty() && !QFileInfo::exists(StorePaths(dataDir).language(options.language))) {
        std::fprintf(stderr, "qx7-config: unknown language '%s'\n", qPrintable(options.language));
        return 1;
    }
    HidapiTransport hidapi;
    std::unique_ptr<VirtualMouse> virtualMouse;
    if (options.virtualMouse) {
        // The demo mouse imitates the first configured device.
        virtualMouse
            = VirtualMouseSetup::imitateConfigured(StorePaths(dataDir).globalConfig(), &hidapi, options.virtualCode);
        if (!virtualMouse) {
            qWarning() << "--virtual-mouse: the configuration lists no device to imitate";
        }
    }
    HidTransport* transport = virtualMouse ? static_cast<HidTransport*>(virtualMouse.get()) : &hidapi;

    int result = 0;
    {
        Widget widget(dataDir, transport, nullptr, nullptr, location.shippedDir());
        QObject::connect(&instance, &SingleInstance::messageReceived, &widget, &Widget::receiveMessage);
        std::unique_ptr<DeviceChangeMonitor> monitor(DeviceChangeMonitor::create());
        QObject::connect(monitor.get(), &DeviceChangeMonitor::devicesChanged, &widget, &Widget::deviceChanged);
        if (virtualMouse) {
            virtualMouse->setPlugListener(
                [&widget] { QMetaObject::invokeMethod(&widget, &Widget::deviceChanged, Qt::QueuedConnection); });
            addDemoActions(widget, *virtualMouse);
        }
        // The desktop's keys are read only while a screen captures them.
        InputHook hook(false, InputCapture::Source::Desktop, InputHook::Installation::OnDemand);
        hook.setKeyboardCallback(Widget::onHookKeyboard, &widget);
        hook.setMouseCallback(Widget::onHookMouse, &widget);
        KeyCapture capture(hook);
        Screens* screens = widget.view()->screens();
        screens->setCapture(&capture);
        // Told in the tray like any other file that could not be written.
        for (const QString& file : location.failedFiles()) {
            screens->store().noteFailedWrite(file);
        }
#ifdef Q_OS_WIN
        hook.setCopyDataCallback(CopyDataMessage::onCopyData, &app, &widget);
#endif
        if (!options.language.isEmpty()) {
            screens->main()->overrideLanguage(options.language);
        }
        if (!options.screenshot.isEmpty()) {
            new SceneScreenshot(
                &widget, [&widget] { return widget.view(); }, options.screenshot, options.screen);
        }
        // Started with the desktop, the window shows only for a mouse; started by hand, it shows
        // and the check hides it again without one.
        if (!options.autostart) {
            widget.showNormal();
        }
        widget.checkDevice();
        if (options.autostart && Widget::deviceConnected) {
            widget.showNormal();
        }
        result = QApplication::exec();
        screens->setCapture(nullptr);
        hook.removeHooks();
        if (virtualMouse) {
            virtualMouse->setPlugListener({});
        }
    }
    return result;
}
