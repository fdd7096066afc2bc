#include "InputCaptureX11.h"
#include "InputHook.h"
#include "InputReports.h"
#include "PrivateXServer.h"

#include <QTest>

namespace {

// Every typed sequence ends with Esc; once it arrives, everything before it has.
const QList<int> EndMark {0x29, 1, 0x29, 0};

} // namespace

// Real key and button events typed into a private X server arrive translated and in order.
class TestInputCaptureX11 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void typed_data();
    void typed();
    void removedHookReportsNothing();
    void startReturnsOnceRecording();
    void noServerNoCapture();

private:
    bool xdotool(const QString& actions);

    PrivateXServer m_server;
};

void TestInputCaptureX11::initTestCase()
{
    if (!PrivateXServer::available()) {
        QSKIP("Xvfb or xdotool is not installed");
    }
    const QString failure = m_server.start();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

// Runs xdotool with the given actions and a press of Esc after them.
bool TestInputCaptureX11::xdotool(const QString& actions)
{
    return PrivateXServer::xdotool(actions + QStringLiteral(" key Escape"));
}

void TestInputCaptureX11::typed_data()
{
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QList<int>>("buttons");
    const auto row = [](const char* name, const char* actions, const QList<int>& keys, const QList<int>& buttons) {
        QTest::newRow(name) << QString::fromLatin1(actions) << keys << buttons;
    };
    row("order", "key b key 1 key F12", {0x05, 1, 0x05, 0, 0x1E, 1, 0x1E, 0, 0x45, 1, 0x45, 0}, {});
    // For a modifier key xdotool also presses the first key of that modifier (the left one).
    row("right-hand modifiers",
        "key Control_R Shift_R Alt_R",
        {0xE0, 1, 0xE4, 1, 0xE0, 0, 0xE4, 0, 0xE1, 1, 0xE5, 1, 0xE1, 0, 0xE5, 0, 0xE2, 1, 0xE6, 1, 0xE2, 0, 0xE6, 0},
        {});
    row("Right Windows, only its partner", "key Super_R", {0xE3, 1, 0xE3, 0}, {});
    row("double click",
        "mousemove 120 80 click --repeat 2 --delay 40 1",
        {},
        {240, 1, 120, 80, 240, 0, 120, 80, 240, 1, 120, 80, 240, 0, 120, 80});
    row("right and middle",
        "mousemove 7 590 click 3 click 2",
        {},
        {241, 1, 7, 590, 241, 0, 7, 590, 242, 1, 7, 590, 242, 0, 7, 590});
    row("wheel and side buttons", "click 4 click 5 click 6 click 7 click 8 click 9", {}, {});
}

void TestInputCaptureX11::typed()
{
    QFETCH(QString, actions);
    QFETCH(QList<int>, keys);
    QFETCH(QList<int>, buttons);

    InputHook hook(false);
    QVERIFY(hook.hooksInstalled());
    // Installing again replaces the capture: each event still arrives once.
    QVERIFY(hook.installHooks());
    Reports seen;
    hook.setKeyboardCallback(onKey, &seen);
    hook.setMouseCallback(onButton, &seen);
    QVERIFY(xdotool(actions));
    QTRY_COMPARE(seen.keys.mid(qMax(0, seen.keys.size() - EndMark.size())), EndMark);
    QCOMPARE(seen.keys, keys + EndMark);
    QCOMPARE(seen.buttons, buttons);
    hook.removeHooks();
}

void TestInputCaptureX11::removedHookReportsNothing()
{
    InputHook removed(false);
    Reports removedSeen;
    removed.setKeyboardCallback(onKey, &removedSeen);
    // A capture replaced by installing again must not stay behind either.
    QVERIFY(removed.installHooks());
    removed.removeHooks();
    QVERIFY(!removed.hooksInstalled());
    InputHook next(false);
    Reports nextSeen;
    next.setKeyboardCallback(onKey, &nextSeen);
    QVERIFY(xdotool(QStringLiteral("key y")));
    QTRY_COMPARE(nextSeen.keys, (QList<int> {0x1C, 1, 0x1C, 0} + EndMark));
    QVERIFY(removedSeen.keys.isEmpty());
}

void TestInputCaptureX11::startReturnsOnceRecording()
{
    InputHook hook(false, InputCapture::Source::Desktop, InputHook::Installation::OnDemand);
    Reports seen;
    hook.setKeyboardCallback(onKey, &seen);
    // With no time limit only the recording's start (or its failure) lets start() return.
    const std::unique_ptr<InputCaptureX11> capture = InputCaptureX11::start(hook, -1);
    QVERIFY(capture);
    QVERIFY(xdotool(QStringLiteral("key y")));
    QTRY_COMPARE(seen.keys, (QList<int> {0x1C, 1, 0x1C, 0} + EndMark));
}

// Where no X server answers, the capture says it could not start instead of reporting nothing.
void TestInputCaptureX11::noServerNoCapture()
{
    const QByteArray display = qgetenv("DISPLAY");
    qputenv("DISPLAY", ":65000");
    InputHook hook(false, InputCapture::Source::Desktop, InputHook::Installation::OnDemand);
    const std::unique_ptr<InputCaptureX11> capture = InputCaptureX11::start(hook, 1000);
    qputenv("DISPLAY", display);
    QVERIFY(!capture);
}

QTEST_MAIN(TestInputCaptureX11)
#include "TestInputCaptureX11.moc"
