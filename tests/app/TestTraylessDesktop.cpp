// A desktop without a tray (as GNOME's is by default): the messages become desktop notifications,
// the window stays reachable, the tray menu is in the window, and the program starts with the
// desktop. A session bus and a notification server of the test's own stand in for the desktop's.
#include "NotificationDesk.h"
#include "PrivateXServer.h"
#include "SceneRig.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int ProgramMs = 30000;

QString configPath()
{
    return qEnvironmentVariable("QX7_BUILD_DIR") + QStringLiteral("/qx7-config");
}

bool waitForLine(QProcess& process, QString& seen, const QString& line)
{
    QElapsedTimer timer;
    timer.start();
    while (!seen.contains(line) && timer.elapsed() < ProgramMs) {
        process.waitForReadyRead(200);
        seen += QString::fromLocal8Bit(process.readAllStandardError());
    }
    return seen.contains(line);
}

} // namespace

class TestTraylessDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void windowWithAndWithoutTray_data();
    void windowWithAndWithoutTray();
    void trayMenuInTheWindow();
    void startedWithTheDesktopThenByHand();

private:
    QString autostartEntry() const { return m_config.filePath("autostart/qx7-config.desktop"); }

    NotificationDesk m_desk;
    QTemporaryDir m_config;
};

void TestTraylessDesktop::initTestCase()
{
    if (!NotificationDesk::available()) {
        QSKIP("dbus-daemon is not installed");
    }
    const QString failure = m_desk.start();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    // The autostart entries the test makes are its own.
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    SceneWarnings::install();
}

void TestTraylessDesktop::init()
{
    SceneWarnings::clear();
    m_desk.shown.clear();
}

void TestTraylessDesktop::cleanup()
{
    const QStringList warnings = SceneWarnings::take();
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
}

void TestTraylessDesktop::windowWithAndWithoutTray_data()
{
    QTest::addColumn<bool>("tray");
    QTest::addColumn<int>("notifications");
    QTest::addColumn<bool>("shownAfterClose");
    QTest::addColumn<int>("entriesInHelpMenu");

    // With a tray nothing changes: the balloon, the window hidden, the menu in the tray.
    QTest::newRow("tray") << true << 0 << false << 0;
    // "Start with the desktop", "Follow the application in front", a separator, "Quit".
    QTest::newRow("no tray") << false << 1 << true << 4;
}

void TestTraylessDesktop::windowWithAndWithoutTray()
{
    QFETCH(bool, tray);
    QFETCH(int, notifications);
    SceneRig scene(QStringLiteral("553"));
    QVERIFY(scene.settle());
    // "Detect Device", shown before the test could say whether there is a tray.
    QTRY_COMPARE(m_desk.shown.size(), 1);
    m_desk.shown.clear();
    scene.widget->setTrayCheck([tray] { return tray; });
    QSignalSpy balloons(scene.widget.get(), &Widget::trayMessage);
    scene.mouse.pressDpiButton();
    QTRY_COMPARE(balloons.count(), 1);
    // A notification that went out would be there by the time the next one is.
    scene.widget->setTrayCheck({});
    scene.mouse.pressDpiButton();
    QTRY_COMPARE(m_desk.shown.size(), notifications + 1);
    const NotificationDesk::Message& message = m_desk.shown.last();
    QCOMPARE(message.app, QStringLiteral("QX7 Config"));
    QCOMPARE(message.title, balloons.last().at(0).toString());
    QCOMPARE(message.body, balloons.last().at(1).toString());
    QCOMPARE(message.hints.value("desktop-entry").toString(), QStringLiteral("qx7-config"));
    scene.widget->setTrayCheck([tray] { return tray; });

    QVERIFY(scene.click(scene.item("menu_help")));
    QQuickItem* help = scene.item("helpMenu");
    QTRY_VERIFY(help->isVisible());
    QFETCH(int, entriesInHelpMenu);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(bool(scene.item("helpMenu", "trayEntry" + QString::number(i))), i < entriesInHelpMenu);
    }
    QVERIFY(scene.click(scene.item("menu_help")));

    QVERIFY(scene.click(scene.item("menu_close")));
    QFETCH(bool, shownAfterClose);
    QCOMPARE(scene.widget->isVisible(), shownAfterClose);
    QCOMPARE(scene.widget->isMinimized(), shownAfterClose);
}

void TestTraylessDesktop::trayMenuInTheWindow()
{
    SceneRig scene(QStringLiteral("560"));
    QVERIFY(scene.settle());
    // Found while the window is hidden: a click on the message opens it, as a double click on the
    // tray icon would.
    QTRY_COMPARE(m_desk.shown.size(), 1);
    QCOMPARE(m_desk.shown.first().body, QStringLiteral("Detect Device"));
    QVERIFY(m_desk.shown.first().actions.contains("default"));
    scene.widget->hide();
    QSignalSpy restored(scene.widget.get(), &Widget::restored);
    m_desk.invoke(m_desk.shown.first().id, "default");
    QTRY_COMPARE(restored.count(), 1);
    QVERIFY(scene.settle());

    const QString exec = "Exec=" + QCoreApplication::applicationFilePath() + " --autostart";
    for (const bool on : {true, false}) {
        QVERIFY(scene.click(scene.item("menu_help")));
        QQuickItem* entry = scene.item("helpMenu", "trayEntry0");
        QVERIFY(entry);
        QCOMPARE(entry->property("text").toString(), QStringLiteral("Start with the desktop"));
        QCOMPARE(entry->property("checked").toBool(), !on);
        QVERIFY(scene.click(entry));
        QTRY_COMPARE(QFile::exists(autostartEntry()), on);
        QCOMPARE(scene.widget->startWithDesktopAction()->isChecked(), on);
        if (on) {
            QFile file(autostartEntry());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(QString::fromUtf8(file.readAll()).split('\n').contains(exec));
        }
    }

    QVERIFY(scene.click(scene.item("menu_help")));
    // The switch for following applications, greyed where the desktop does not tell the front.
    QQuickItem* follow = scene.item("helpMenu", "trayEntry1");
    QVERIFY(follow);
    QCOMPARE(follow->property("text").toString(), scene.widget->followAction()->text());
    QCOMPARE(follow->property("available").toBool(), scene.widget->followAction()->isEnabled());
    QQuickItem* quit = scene.item("helpMenu", "trayEntry3");
    QVERIFY(quit);
    QCOMPARE(quit->property("text").toString(), QStringLiteral("Quit"));
    QVERIFY(scene.click(quit));
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!scene.widget->hidThread.isListening());
}

// The program itself on an X server without a tray, as the autostart entry and the user start it.
void TestTraylessDesktop::startedWithTheDesktopThenByHand()
{
    if (!PrivateXServer::available()) {
        QSKIP("Xvfb or xdotool is not installed");
    }
    PrivateXServer server;
    const QString failure = server.start();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");

    // No mouse: started with the desktop it says nothing and shows nothing.
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(configPath(), {"--autostart"});
    QVERIFY(first.waitForStarted());
    QString seen;
    QVERIFY2(waitForLine(first, seen, "Device DisConnect"), qPrintable(seen));

    // Started by hand, it tells where it waits, and the message offers the way out.
    QProcess second;
    second.setProcessEnvironment(env);
    second.start(configPath());
    QVERIFY(second.waitForFinished(ProgramMs));
    QCOMPARE(second.exitCode(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(m_desk.shown.size(), 1, ProgramMs);
    const NotificationDesk::Message message = m_desk.shown.first();
    QVERIFY2(message.body.startsWith("No mouse is connected. The program waits in the background"),
             qPrintable(message.body));
    QVERIFY(message.actions.contains("quit"));
    m_desk.invoke(message.id, "quit");
    QVERIFY(first.waitForFinished(ProgramMs));
    QCOMPARE(first.exitStatus(), QProcess::NormalExit);
    QCOMPARE(first.exitCode(), 0);
}

QTEST_MAIN(TestTraylessDesktop)
#include "TestTraylessDesktop.moc"
