#include "Autostart.h"
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

Options parseOptions(const QStringList& arguments)
{
    Options o;
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--virtual-mouse")) {
            o.virtualMouse = true;
        } else if (arguments.at(i) == QLatin1String(Autostart::Option)) {
            o.autostart = true;
        } else if (arguments.at(i) == QLatin1String("--virtual-scode") && i + 1 < arguments.size()) {
            o.virtualCode = arguments.at(++i);
        } else if (arguments.at(i) == QLatin1String("--screenshot") && i + 1 < arguments.size()) {
            o.screenshot = arguments.at(++i);
        } else if (arguments.at(i) == QLatin1String("--screen") && i + 1 < arguments.size()) {
            o.screen = arguments.at(++i);
        } else if (arguments.at(i) == QLatin1String("--language") && i + 1 < arguments.size()) {
            o.language = arguments.at(++i);
        }
    }
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
    preferPortalDialogs();
    QApplication app(argc, argv);
    // Names the per-user data folder, which qx7ctl shares.
    QCoreApplication::setApplicationName(QStringLiteral("qx7-config"));
    // The scene's font family, and on desktops without it the CJK family that renders every text.
    QFont::insertSubstitutions(QStringLiteral("\u5fae\u8f6f\u96c5\u9ed1"),
                               {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans")});
    const Options options = parseOptions(QCoreApplication::arguments());
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
            new SceneScreenshot(widget, options.screenshot, options.screen);
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
