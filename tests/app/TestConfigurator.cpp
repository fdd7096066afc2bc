// The configurator against the virtual mouse: device check, monitor, listener, tray and quitting.
#include "AppRulesScreen.h"
#include "CheckTimer.h"
#include "ConfigStore.h"
#include "DpiSettingScreen.h"
#include "DpiSwitchTexts.h"
#include "MainScreen.h"
#include "ProfileScreen.h"
#include "ScreenRig.h"
#include "Screens.h"
#include "TempModules.h"
#include "VirtualLink.h"
#include "Widget.h"
#include "myQQuickView.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMutex>
#include <QQuickItem>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <functional>
#include <memory>

namespace {

// The device-check timer on the test's own clock.
class ManualCheckTimer : public CheckTimer
{
public:
    ~ManualCheckTimer() override
    {
        if (onDestroyed) {
            onDestroyed();
        }
    }
    void restart() override
    {
        m_due = m_now + IntervalMs;
        m_active = true;
        ++restarts;
    }
    bool isActive() const override { return m_active; }
    void advance(int milliseconds)
    {
        m_now += milliseconds;
        if (m_active && m_now >= m_due) {
            m_active = false;
            emit timeout();
        }
    }
    int restarts = 0;
    // The widget owns the timer: this runs while the widget takes down what it owns.
    std::function<void()> onDestroyed;

private:
    qint64 m_now = 0;
    qint64 m_due = 0;
    bool m_active = false;
};

// A mouse whose interfaces are listed but may not be opened, as without the udev rule.
class DeniedMouse : public VirtualMouse
{
public:
    using VirtualMouse::VirtualMouse;
    HidHandle* open(const QByteArray&) override { return nullptr; }
    int lastOpenError() const override { return EACCES; }
};

// Counts the shell's diagnostic lines.
QMutex g_linesMutex;
QStringList g_lines;
QtMessageHandler g_previous = nullptr;

void collect(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    {
        QMutexLocker lock(&g_linesMutex);
        g_lines << message;
    }
    if (type != QtDebugMsg && g_previous) {
        g_previous(type, context, message);
    }
}

int linesSaying(const QString& text)
{
    QMutexLocker lock(&g_linesMutex);
    return int(g_lines.count(text));
}

struct Rig
{
    explicit Rig(HidTransport* transport = nullptr)
        : mouse(VirtualMouse::Config {})
    {
        QSettings global(modules.path("modules/setting/apConfig.bin"), QSettings::IniFormat);
        global.setValue("mouse/icType", "553");
        global.setValue("mouse/isGun", false);
        global.sync();
        timer = new ManualCheckTimer;
        widget = std::make_unique<Widget>(modules.baseDir(), transport ? transport : &mouse, &clock, timer);
    }
    ~Rig()
    {
        if (widget) {
            widget->hidThread.stopListen();
            widget->hidThread.waitListener();
        }
    }

    QQuickItem* root() const { return widget->view()->rootObject(); }
    MainScreen* main() const { return widget->view()->screens()->main(); }
    DpiSettingScreen* dpi() const { return widget->view()->screens()->dpiSetting(); }

    TempModules modules;
    VirtualMouse mouse;
    RecordingClock clock;
    ManualCheckTimer* timer;
    std::unique_ptr<Widget> widget;
};

} // namespace

class TestConfigurator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void startWithMouse();
    void startWithoutMouse();
    void burstOfNoticesGivesOneCheck();
    void noticesWhileListeningAreIgnored();
    void unplugAndPlugAgain();
    void mouseWithoutEventInterfaceIsWatched();
    void listenerEndsBeforeWidget();
    void checkWaitsForTransfer();
    void dpiEventReachesSceneAndTray();
    void restoreOnlyWhileConnected();
    void sceneGivenBackWhileHidden();
    void mouseFoundWhileSceneGivenBack();
    void deniedDeviceIsReportedOnce();
    void failedWriteIsReportedOnce();
    void failedSendReachesTheTrayWhenHidden_data();
    void failedSendReachesTheTrayWhenHidden();
    void quitEndsWithZero();
    void quitDuringTransferWaitsForIt();
    void trayFollowsApplications();
    void fileDialogsAreOpaqueInAFolderThatExists_data();
    void fileDialogsAreOpaqueInAFolderThatExists();
};

void TestConfigurator::initTestCase()
{
    g_previous = qInstallMessageHandler(collect);
}

void TestConfigurator::init()
{
    QMutexLocker lock(&g_linesMutex);
    g_lines.clear();
    Widget::deviceConnected = false;
}

void TestConfigurator::startWithMouse()
{
    Rig r;
    r.widget->showNormal();
    r.widget->checkDevice();
    QCOMPARE(linesSaying("Device Connect"), 1);
    QVERIFY(Widget::deviceConnected);
    QVERIFY(r.widget->hidThread.isListening());
    QVERIFY(r.widget->isVisible());
    // The scene starts from the event queue.
    QVERIFY(!r.main()->isPownOn());
    QTRY_VERIFY(r.main()->isPownOn());
    QVERIFY(r.root()->isVisible());
    QCOMPARE(r.widget->windowTitle(), QStringLiteral("QX7 Config"));
    QCOMPARE(r.widget->size(), QSize(1024, 640));
}

void TestConfigurator::startWithoutMouse()
{
    Rig r;
    r.mouse.unplug();
    QSignalSpy balloons(r.widget.get(), &Widget::trayMessage);
    r.widget->showNormal();
    r.widget->checkDevice();
    QCOMPARE(linesSaying("Device DisConnect"), 1);
    QVERIFY(!Widget::deviceConnected);
    QVERIFY(!r.widget->isVisible());
    QVERIFY(r.widget->tray()->isVisible());
    // Started by hand, the window vanishes: the message says why and where the program waits.
    QCOMPARE(balloons.count(), 1);
    QVERIFY(balloons.at(0).at(1).toString().startsWith("No mouse is connected. The program waits in the "));
}

void TestConfigurator::burstOfNoticesGivesOneCheck()
{
    Rig r;
    r.mouse.unplug();
    r.widget->checkDevice();
    for (int i = 0; i < 4; ++i) {
        r.widget->deviceChanged();
        r.timer->advance(500);
    }
    r.timer->advance(2048 - 500 - 1);
    QCOMPARE(linesSaying("Device DisConnect"), 1);
    r.timer->advance(1);
    QCOMPARE(linesSaying("Device DisConnect"), 2);
    r.timer->advance(10000);
    QCOMPARE(linesSaying("Device DisConnect"), 2);
}

void TestConfigurator::noticesWhileListeningAreIgnored()
{
    Rig r;
    r.widget->checkDevice();
    QVERIFY(r.widget->hidThread.isListening());
    r.widget->deviceChanged();
    QCOMPARE(r.timer->restarts, 0);
    QVERIFY(!r.timer->isActive());
}

void TestConfigurator::unplugAndPlugAgain()
{
    Rig r;
    r.widget->showNormal();
    r.widget->checkDevice();
    r.mouse.unplug();
    QTRY_VERIFY(!r.widget->hidThread.isListening());
    QCOMPARE(linesSaying("Device removed"), 1);
    QTRY_VERIFY(!r.widget->view()->isEnabled());
    // Still "connected" until the next check decides.
    QVERIFY(Widget::deviceConnected);
    r.widget->deviceChanged();
    r.timer->advance(2048);
    QCOMPARE(linesSaying("Device DisConnect"), 1);
    QVERIFY(!r.widget->isVisible());

    QSignalSpy balloons(r.widget.get(), &Widget::trayMessage);
    r.mouse.plug();
    r.widget->deviceChanged();
    r.timer->advance(2048);
    QCOMPARE(linesSaying("Device Connect"), 2);
    QCOMPARE(balloons.count(), 1);
    QCOMPARE(balloons.at(0), (QVariantList {"Info", "Detect Device"}));
    // Found while hidden: the window stays hidden, the view is usable again.
    QVERIFY(!r.widget->isVisible());
    QVERIFY(r.widget->view()->isEnabled());
}

void TestConfigurator::mouseWithoutEventInterfaceIsWatched()
{
    Rig r;
    {
        QSettings global(r.modules.path("modules/setting/apConfig.bin"), QSettings::IniFormat);
        global.setValue("0/usagePage2", "ff77");
    }
    r.widget->checkDevice();
    QCOMPARE(linesSaying("Device Connect"), 1);
    // No event interface: the listener ends at once, and unplugging is noticed by the device check.
    r.widget->hidThread.waitListener();
    r.mouse.unplug();
    r.widget->deviceChanged();
    r.timer->advance(2048);
    QCOMPARE(linesSaying("Device DisConnect"), 1);
    r.mouse.plug();
    r.widget->deviceChanged();
    r.timer->advance(2048);
    QCOMPARE(linesSaying("Device Connect"), 2);
}

void TestConfigurator::listenerEndsBeforeWidget()
{
    Rig r;
    r.widget->checkDevice();
    QVERIFY(r.widget->hidThread.isListenerRunning());
    const Hid_Thread& link = r.widget->hidThread;
    bool listenerRunning = true;
    r.timer->onDestroyed = [&] { listenerRunning = link.isListenerRunning(); };
    // The listener calls into the widget from its own thread, so it has to be over by then.
    r.widget.reset();
    QVERIFY(!listenerRunning);
}

void TestConfigurator::checkWaitsForTransfer()
{
    Rig r;
    r.widget->checkDevice();
    r.widget->hidThread.stopListen();
    r.widget->hidThread.waitListener();
    r.clock.turnEvents = true;
    QByteArray macro(128, '\x11');
    // The check comes due while the transfer pauses: the link is taken, so it waits its turn.
    QTimer::singleShot(0, [&] {
        r.widget->deviceChanged();
        r.timer->advance(2048);
    });
    r.widget->hidThread.hid553_13H_SetMacroKey(1, TestSupport::raw(macro));
    QCOMPARE(linesSaying("Device DisConnect"), 0);
    QCOMPARE(r.mouse.state().macros.value(1), macro);
    QVERIFY(r.timer->isActive());
    r.timer->advance(2048);
    QCOMPARE(linesSaying("Device Connect"), 2);
}

// Which text and scene stage a stage number gives is TestHidListener's and TestMainScreen's.
void TestConfigurator::dpiEventReachesSceneAndTray()
{
    Rig r;
    r.widget->checkDevice();
    QTRY_VERIFY(r.main()->isPownOn());
    DpiSwitchTexts::set({"first", "second", "third", "fourth", "fifth", "sixth", "seventh", "eighth"});
    r.dpi()->setCurrentDPI(-2);
    QSignalSpy balloons(r.widget.get(), &Widget::trayMessage);
    r.mouse.sendEventReport(QByteArray("\x06\x07\x00\x03", 4));
    QTRY_COMPARE(balloons.count(), 1);
    QCOMPARE(balloons.at(0), (QVariantList {"Info", "third "}));
    QTRY_COMPARE(r.dpi()->currentDPI(), 2);
    DpiSwitchTexts::reset();
}

void TestConfigurator::restoreOnlyWhileConnected()
{
    Rig r;
    r.mouse.unplug();
    r.widget->checkDevice();
    QSignalSpy restored(r.widget.get(), &Widget::restored);
    QSignalSpy balloons(r.widget.get(), &Widget::trayMessage);
    r.widget->receiveMessage(QString());
    r.widget->trayIconActivated(QSystemTrayIcon::DoubleClick);
    QCoreApplication::processEvents();
    QCOMPARE(restored.count(), 0);
    QVERIFY(!r.widget->isVisible());
    // The second start says what the hidden first one waits for.
    QCOMPARE(balloons.count(), 1);
    QVERIFY(balloons.at(0).at(1).toString().startsWith("No mouse is connected."));

    r.mouse.plug();
    r.widget->checkDevice();
    r.widget->trayIconActivated(QSystemTrayIcon::Trigger);
    r.widget->trayIconActivated(QSystemTrayIcon::Context);
    QCoreApplication::processEvents();
    QCOMPARE(restored.count(), 0);
    r.widget->receiveMessage(QString());
    // Posted: nothing happens before the event loop runs.
    QCOMPARE(restored.count(), 0);
    QTRY_COMPARE(restored.count(), 1);
    QVERIFY(r.widget->isVisible());
    r.widget->hide();
    r.widget->trayIconActivated(QSystemTrayIcon::DoubleClick);
    QTRY_COMPARE(restored.count(), 2);
    QVERIFY(r.widget->isVisible());
}

void TestConfigurator::sceneGivenBackWhileHidden()
{
    Rig r;
    r.widget->showNormal();
    r.widget->checkDevice();
    QTRY_VERIFY(r.main()->revealed() && !r.main()->busy());
    const QImage before = r.widget->view()->grabFramebuffer();
    r.widget->hide();
    QTRY_VERIFY_WITH_TIMEOUT(r.widget->view()->sceneReleased(), 15000);
    QVERIFY(!r.root());
    // DPI changes the mouse reports meanwhile reach the screens without a scene.
    const int stage = r.dpi()->currentDPI();
    r.widget->setCurrentDPI(stage == 0 ? 2 : 1);
    QTRY_COMPARE(r.dpi()->currentDPI(), stage == 0 ? 1 : 0);
    r.widget->setCurrentDPI(stage + 1);
    QTRY_COMPARE(r.dpi()->currentDPI(), stage);
    r.widget->showNormal();
    QVERIFY(!r.widget->view()->sceneReleased());
    QVERIFY(r.root() && r.root()->isVisible());
    QCOMPARE(r.widget->view()->grabFramebuffer(), before);
}

void TestConfigurator::mouseFoundWhileSceneGivenBack()
{
    Rig r;
    r.mouse.unplug();
    r.widget->showNormal();
    r.widget->checkDevice();
    QTRY_VERIFY_WITH_TIMEOUT(r.widget->view()->sceneReleased(), 15000);
    r.mouse.plug();
    r.widget->checkDevice();
    // The screens start without a scene; the window shows the scene they hold.
    QTRY_VERIFY(r.main()->isPownOn());
    QCOMPARE(linesSaying("Scene started"), 1);
    QVERIFY(r.widget->view()->sceneReleased());
    r.widget->showNormal();
    QVERIFY(r.root() && r.root()->isVisible());
    QTRY_VERIFY(r.main()->revealed() && !r.main()->busy());
}

void TestConfigurator::deniedDeviceIsReportedOnce()
{
    DeniedMouse denied(VirtualMouse::Config {});
    Rig r(&denied);
    QSignalSpy balloons(r.widget.get(), &Widget::trayMessage);
    r.widget->checkDevice();
    r.widget->checkDevice();
    QCOMPARE(linesSaying("Device DisConnect"), 2);
    QCOMPARE(balloons.count(), 1);
    QVERIFY(balloons.at(0).at(1).toString().contains("udev"));
}

void TestConfigurator::failedWriteIsReportedOnce()
{
    Rig r;
    r.widget->checkDevice();
    QSignalSpy balloons(r.widget.get(), &Widget::trayMessage);
    const QString profile = r.modules.path("modules/setting/p1.bin");
    // A folder in the profile's place: no file can be written there, not even by root.
    QVERIFY(QFile::remove(profile));
    QVERIFY(QDir().mkpath(profile));
    r.main()->chooseReportRate(2);
    r.main()->chooseReportRate(3);
    QCOMPARE(linesSaying("setData: cannot write " + profile), 2);
    QCOMPARE(balloons.count(), 1);
    QVERIFY(balloons.at(0).at(1).toString().contains(profile));
}

void TestConfigurator::failedSendReachesTheTrayWhenHidden_data()
{
    QTest::addColumn<bool>("hidden");
    QTest::newRow("window shown") << false;
    QTest::newRow("window hidden") << true;
}

// The scene shows its own messages; only a hidden window needs the tray.
void TestConfigurator::failedSendReachesTheTrayWhenHidden()
{
    QFETCH(bool, hidden);
    Rig r;
    r.widget->checkDevice();
    r.widget->setVisible(!hidden);
    QSignalSpy balloons(r.widget.get(), &Widget::trayMessage);
    QSignalSpy notices(r.main(), &MainScreen::noticeShown);
    r.mouse.unplug();
    r.main()->chooseReportRate(1);
    QCOMPARE(notices.count(), 1);
    QCOMPARE(balloons.count(), hidden ? 1 : 0);
    if (hidden) {
        QCOMPARE(balloons.at(0).at(1).toString(), r.main()->notice());
    }
}

void TestConfigurator::quitEndsWithZero()
{
    Rig r;
    r.widget->checkDevice();
    QVERIFY(r.widget->hidThread.isListening());
    const QList<QAction*> actions = r.widget->tray()->contextMenu()->actions();
    QCOMPARE(actions.size(), 4);
    QCOMPARE(actions.first()->text(), QStringLiteral("Start with the desktop"));
    QCOMPARE(actions.at(1), r.widget->followAction());
    QVERIFY(actions.at(2)->isSeparator());
    QCOMPARE(actions.last()->text(), QStringLiteral("Quit (&Q)"));
    QTimer::singleShot(0, actions.last(), &QAction::trigger);
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!r.widget->hidThread.isListening());
}

// The tray's switch turns following on and off, and a switch made for the application in front
// shows its message.
void TestConfigurator::trayFollowsApplications()
{
    Rig r;
    r.widget->checkDevice();
    QTRY_VERIFY(r.main()->isPownOn());
    r.main()->controlUIEnable(true);
    AppRulesScreen* rules = r.widget->view()->screens()->appRules();
    ManualClock clock;
    rules->setClock(&clock);
    QVERIFY(r.widget->view()->screens()->profile()->newProfile());
    QVERIFY(rules->addApplication("game", {}, {}, 1));
    QSignalSpy balloons(r.widget.get(), &Widget::trayMessage);

    r.widget->followAction()->setChecked(true);
    QVERIFY(rules->enabled());
    QVERIFY(r.modules.read("modules/setting/appRules.bin").contains("enabled=true"));
    rules->setFrontWindow({"game", {}, {}, false});
    clock.advance(AppRulesScreen::SettleMs / TickClock::TickMs);
    rules->evaluate();
    QCOMPARE(r.main()->profileNo(), 1);
    QCOMPARE(balloons.size(), 1);
    QCOMPARE(balloons.first().at(1).toString(), QStringLiteral("profile_0 - game"));

    QVERIFY(rules->setEnabled(false));
    QVERIFY(!r.widget->followAction()->isChecked());
}

void TestConfigurator::quitDuringTransferWaitsForIt()
{
    Rig r;
    r.widget->checkDevice();
    r.clock.turnEvents = true;
    QByteArray macro(128, '\x5a');
    int probed = 0;
    bool transferred = false;
    QTimer::singleShot(0, [&] {
        // The tray's Quit comes in during the first pause (a menu shown by the desktop reaches the
        // program as an event that pauses let through); a later pause runs an event loop of its own.
        QTimer::singleShot(0, r.widget->quitAction(), &QAction::trigger);
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(0, [&] {
                QEventLoop probe;
                QTimer::singleShot(0, &probe, [&probe] { probe.exit(1); });
                probed = probe.exec();
            });
        });
        r.widget->hidThread.hid553_13H_SetMacroKey(1, TestSupport::raw(macro));
        transferred = true;
    });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(transferred);
    // Not yet told to quit while the transfer ran: a nested loop inside it still worked.
    QCOMPARE(probed, 1);
    QCOMPARE(r.mouse.state().macros.value(1), macro);
    QVERIFY(!r.widget->hidThread.isListening());
}

void TestConfigurator::fileDialogsAreOpaqueInAFolderThatExists_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("export") << true;
    QTest::newRow("import") << false;
}

void TestConfigurator::fileDialogsAreOpaqueInAFolderThatExists()
{
    QFETCH(bool, save);
    // A home without a desktop folder.
    QTemporaryDir home;
    const QByteArray homeBefore = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    Rig r;
    QColor background;
    QString folder;
    QString fileName;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()));
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        dialog->resize(600, 400);
        background = dialog->grab().toImage().pixelColor(2, dialog->height() - 2);
        folder = dialog->directory().absolutePath();
        fileName = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
        dialog->reject();
    });
    ConfigStore& store = r.widget->view()->screens()->store();
    QVERIFY(!(save ? store.saveProfile(0) : store.loadProfile(0)));
    qputenv("HOME", homeBefore);
    // Drawn in the dialog's own colours, not in the scene window's transparency.
    QCOMPARE(background.alpha(), 255);
    QCOMPARE(folder, QDir(home.path()).absolutePath());
    QVERIFY2(fileName.isEmpty(), qPrintable(fileName));
}

QTEST_MAIN(TestConfigurator)
#include "TestConfigurator.moc"
