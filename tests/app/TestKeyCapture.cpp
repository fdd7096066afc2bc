// The desktop's keys reach the assignment dialog only while it captures: a private X server,
// xdotool typing into it, the program's hook armed and disarmed by the screens.
#include "InputHook.h"
#include "KeyAssigmentScreen.h"
#include "KeyCapture.h"
#include "KeyMatrixScreen.h"
#include "MainScreen.h"
#include "PrivateXServer.h"
#include "ScreenRig.h"

#include <QTest>

namespace {

constexpr int KeyB = 0x05;
constexpr int KeyC = 0x06;

// The screens with the program's own capture: the hook installed on demand, every key it reports
// recorded and handed to the scene in an event of its own, as the main widget does.
struct CaptureRig
{
    CaptureRig()
        : hook(false, InputCapture::Source::Desktop, InputHook::Installation::OnDemand)
        , capture(hook)
    {
        rig.screens->setCapture(&capture);
        rig.screens->main()->readFlags();
        rig.screens->main()->initScreens();
        hook.setKeyboardCallback(onKey, this);
        dialog = rig.screens->keyAssigment();
    }

    static void onKey(uint8_t code, uint8_t pressed, void* context)
    {
        auto* self = static_cast<CaptureRig*>(context);
        self->seen << code << pressed;
        MainScreen* main = self->rig.screens->main();
        QMetaObject::invokeMethod(
            main, [main, code, pressed] { main->routeKeyboard(pressed != 0, code); }, Qt::QueuedConnection);
    }

    ScreenRig rig;
    InputHook hook;
    KeyCapture capture;
    KeyAssigmentScreen* dialog = nullptr;
    QList<int> seen; // usage, pressed, ...
};

} // namespace

class TestKeyCapture : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void desktopReadOnlyWhileArmed();
    void keyHeldAcrossCapturesCountsAgain();

private:
    PrivateXServer m_server;
};

void TestKeyCapture::initTestCase()
{
    if (!PrivateXServer::available()) {
        QSKIP("Xvfb or xdotool is not installed");
    }
    const QString failure = m_server.start();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestKeyCapture::desktopReadOnlyWhileArmed()
{
    CaptureRig c;
    QVERIFY(!c.hook.hooksInstalled());
    QVERIFY(c.dialog->openButton(1));
    QVERIFY(!c.hook.hooksInstalled());
    QVERIFY(PrivateXServer::xdotool("key c"));

    c.dialog->startFireCapture();
    QVERIFY(c.hook.hooksInstalled());
    QVERIFY(PrivateXServer::xdotool("key b"));
    QTRY_COMPARE(c.dialog->keyCode(), QStringLiteral("01050a00"));
    QCOMPARE(c.dialog->fireText(), QStringLiteral("B"));
    // The capture ended with its key: the recording is gone, and what was typed before it never
    // reached the program.
    QVERIFY(!c.hook.hooksInstalled());
    QCOMPARE(c.seen.mid(0, 2), (QList<int> {KeyB, 1}));
    QVERIFY(!c.seen.contains(KeyC));

    c.dialog->close();
    QCOMPARE(c.rig.screens->keyMatrix()->record(1), *ButtonFunction::fromKeyCode("01050a00"));
    QVERIFY(!c.hook.hooksInstalled());
}

void TestKeyCapture::keyHeldAcrossCapturesCountsAgain()
{
    CaptureRig c;
    QVERIFY(c.dialog->openButton(1));
    c.dialog->startFireCapture();
    QVERIFY(PrivateXServer::xdotool("keydown b"));
    QTRY_COMPARE(c.dialog->keyCode(), QStringLiteral("01050a00"));
    // Released while nothing reads the desktop: the next capture must still see its next press.
    QVERIFY(PrivateXServer::xdotool("keyup b"));
    c.dialog->startCombinationCapture();
    QVERIFY(PrivateXServer::xdotool("key b"));
    QTRY_COMPARE(c.dialog->groupText(), QStringLiteral("B"));
    c.dialog->confirmCombination();
    QCOMPARE(c.dialog->keyCode(), QStringLiteral("02000500"));
    QVERIFY(!c.hook.hooksInstalled());
}

QTEST_MAIN(TestKeyCapture)
#include "TestKeyCapture.moc"
