#include "ActiveWindowX11.h"
#include "AppRulesScreen.h"
#include "MainScreen.h"
#include "PrivateXServer.h"
#include "ScreenRig.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

// The test plays the window manager: it makes windows with their own class, process and title,
// and names the one in front in the root window's _NET_ACTIVE_WINDOW.
class TestActiveWindowX11 : public QObject
{
    Q_OBJECT

private:
    PrivateXServer m_server;
    Display* m_display = nullptr;
    QProcess m_game;

    Atom atom(const char* name) { return XInternAtom(m_display, name, False); }

    void setCardinals(Window window, const char* name, Atom type, const QList<long>& values)
    {
        XChangeProperty(m_display,
                        window,
                        atom(name),
                        type,
                        32,
                        PropModeReplace,
                        reinterpret_cast<const unsigned char*>(values.constData()),
                        int(values.size()));
    }

    // A window as an application makes it; pid 0 leaves _NET_WM_PID out.
    Window makeWindow(qint64 pid,
                      const QByteArray& windowClass,
                      const QByteArray& title,
                      const QByteArray& machine,
                      int screen = 0)
    {
        const Window window = XCreateSimpleWindow(m_display, RootWindow(m_display, screen), 0, 0, 10, 10, 0, 0, 0);
        XClassHint hint {const_cast<char*>("instance"), const_cast<char*>(windowClass.constData())};
        XSetClassHint(m_display, window, &hint);
        XChangeProperty(m_display,
                        window,
                        atom("_NET_WM_NAME"),
                        atom("UTF8_STRING"),
                        8,
                        PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title.constData()),
                        int(title.size()));
        if (!machine.isEmpty()) {
            XChangeProperty(m_display,
                            window,
                            XA_WM_CLIENT_MACHINE,
                            XA_STRING,
                            8,
                            PropModeReplace,
                            reinterpret_cast<const unsigned char*>(machine.constData()),
                            int(machine.size()));
        }
        if (pid > 0) {
            setCardinals(window, "_NET_WM_PID", XA_CARDINAL, {long(pid)});
        }
        XFlush(m_display);
        return window;
    }

    void activate(Window window, int screen = 0)
    {
        const Window root = RootWindow(m_display, screen);
        setCardinals(root, "_NET_ACTIVE_WINDOW", XA_WINDOW, {long(window)});
        setCardinals(root, "_NET_CLIENT_LIST", XA_WINDOW, {long(window)});
        XFlush(m_display);
    }

private slots:
    void initTestCase()
    {
        if (!PrivateXServer::available()) {
            QSKIP("Xvfb or xdotool is not installed");
        }
        QCOMPARE(m_server.start(), QString());
        m_display = XOpenDisplay(nullptr);
        QVERIFY(m_display);
        // The game: a process of its own, whose executable names it.
        m_game.start(QStringLiteral("sleep"), {QStringLiteral("600")});
        QVERIFY(m_game.waitForStarted());
    }

    void cleanupTestCase()
    {
        m_game.kill();
        m_game.waitForFinished();
        if (m_display) {
            XCloseDisplay(m_display);
        }
    }

    void applicationName_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("executable") << "/usr/games/supertux2" << "supertux2" << "supertux2";
        QTest::newRow("replaced since it started") << "/opt/game/game (deleted)" << "./game" << "game";
        QTest::newRow("Windows game through Wine") << "/usr/bin/wine64-preloader" << "Z:\\games\\Quake\\quake.exe" << "quake.exe";
        QTest::newRow("Wine's own tool") << "/usr/bin/wine64-preloader" << "wineserver" << "wine64-preloader";
        QTest::newRow("another user's process") << "" << "/usr/bin/steam" << "steam";
        // clang-format on
    }

    void applicationName()
    {
        QFETCH(QString, executable);
        QFETCH(QString, argument);
        QFETCH(QString, expected);
        QCOMPARE(ActiveWindow::applicationName(executable, argument), expected);
    }

    // What the source tells of the window the window manager names as active.
    void frontWindow_data()
    {
        QTest::addColumn<bool>("withPid");
        QTest::addColumn<QByteArray>("machine");
        QTest::addColumn<QString>("application");
        QTest::addColumn<QStringList>("running");
        const QString host = QSysInfo::machineHostName();
        QTest::newRow("process on this machine") << true << host.toLocal8Bit() << "sleep" << QStringList {"sleep"};
        QTest::newRow("machine not named") << true << QByteArray() << "sleep" << QStringList {"sleep"};
        QTest::newRow("no process") << false << QByteArray() << "" << QStringList {};
        // Its process number belongs to another machine's processes.
        QTest::newRow("remote client") << true << QByteArray("elsewhere") << "" << QStringList {};
    }

    void frontWindow()
    {
        QFETCH(bool, withPid);
        QFETCH(QByteArray, machine);
        QFETCH(QString, application);
        QFETCH(QStringList, running);
        const std::unique_ptr<ActiveWindowX11> source = ActiveWindowX11::start();
        QVERIFY(source);
        QSignalSpy changed(source.get(), &ActiveWindow::changed);
        const QByteArray title = QTest::currentDataTag();
        const Window window = makeWindow(withPid ? m_game.processId() : 0, "Game", title, machine);
        activate(window);
        QTRY_COMPARE(changed.size(), 1);
        const ActiveWindow::Info info = source->current();
        QCOMPARE(info.application, application);
        QCOMPARE(info.windowClass, QStringLiteral("Game"));
        QCOMPARE(info.title, QString::fromLatin1(title));
        QCOMPARE(source->runningApplications(), running);

        // No window in front.
        activate(None);
        QTRY_COMPARE(changed.size(), 2);
        QCOMPARE(source->current().windowClass, QString());
        XDestroyWindow(m_display, window);
    }

    // A session on the second screen of a display watches that screen's window manager.
    void secondScreen()
    {
        const QByteArray display = qgetenv("DISPLAY");
        qputenv("DISPLAY", display + ".1");
        const std::unique_ptr<ActiveWindowX11> source = ActiveWindowX11::start();
        qputenv("DISPLAY", display);
        QVERIFY(source);
        QSignalSpy changed(source.get(), &ActiveWindow::changed);
        const Window window = makeWindow(m_game.processId(), "Second", "Second", {}, 1);
        activate(window, 1);
        QTRY_COMPARE(source->current().windowClass, QStringLiteral("Second"));
        QTRY_VERIFY(!changed.isEmpty());
        activate(None, 1);
        XDestroyWindow(m_display, window);
    }

    // From the window manager's news to the mouse: the game in front for the settle time, by the
    // test's clock, switches to its profile.
    void gameInFrontSwitchesProfile()
    {
        ScreenRig rig;
        ManualClock clock;
        AppRulesScreen* rules = rig.screens->appRules();
        rules->setClock(&clock);
        rig.start(1);
        rig.store->setCurrentProfile(1);
        rig.writeProfile("mouse/dpiValueArray", QVariantList {800, 1600, 2400, 3200, 4800, 6400, 8000, 12000});
        rig.store->setCurrentProfile(0);
        QVERIFY(rules->addApplication("sleep", "Game", {}, 1));
        QVERIFY(rules->setEnabled(true));
        const std::unique_ptr<ActiveWindowX11> source = ActiveWindowX11::start();
        QVERIFY(source);
        // As the configurator wires them.
        connect(source.get(), &ActiveWindow::changed, rules, [&] {
            const ActiveWindow::Info info = source->current();
            rules->setFrontWindow(
                {info.application, info.windowClass, info.title, info.pid == QCoreApplication::applicationPid()});
        });
        const QByteArray tableBefore = rig.v.mouse.state().dpiTable;

        activate(makeWindow(m_game.processId(), "Game", "Game", {}));
        QTRY_COMPARE(rules->front(), QStringLiteral("sleep"));
        clock.advance(AppRulesScreen::SettleMs / TickClock::TickMs);
        rules->evaluate();
        QCOMPARE(rig.screens->main()->profileNo(), 1);
        QVERIFY(rig.v.mouse.state().dpiTable != tableBefore);
    }
};

QTEST_GUILESS_MAIN(TestActiveWindowX11)
#include "TestActiveWindowX11.moc"
