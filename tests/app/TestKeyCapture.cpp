// The desktop's keys reach the assignment dialog only while it captures: a private X server,
// xdotool typing into it, the program's hook armed and disarmed by the screens.
#include "InputHook.h"
#include "KeyAssigmentScreen.h"
#include "KeyCapture.h"
#include "KeyMatrixScreen.h"
#include "MacroEditorScreen.h"
#include "MainScreen.h"
#include "PrivateXServer.h"
#include "SceneRig.h"
#include "ScreenRig.h"

#include <QQuickItem>
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
    void captureEndsWhenTheUserTurnsAway_data();
    void captureEndsWhenTheUserTurnsAway();
    void recordingEndsWhenTheWindowGoes_data();
    void recordingEndsWhenTheWindowGoes();

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

namespace {

// What takes the user away from a capture in the real scene.
bool turnAway(SceneRig& scene, const QString& action)
{
    if (action == QLatin1String("window hidden")) {
        scene.widget->hide();
        return true;
    }
    if (action == QLatin1String("mouse unplugged")) {
        scene.mouse.unplug();
        return true;
    }
    if (action == QLatin1String("outside the dialog")) {
        return scene.clickAt(scene.item("mask"), QPointF(4, 4));
    }
    const QStringList item = action.split(QLatin1Char('/'));
    return scene.click(scene.item(item.at(0), item.at(1)));
}

} // namespace

void TestKeyCapture::captureEndsWhenTheUserTurnsAway_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("action"); // "dialog/item" clicked, or what happens
    const int fire = KeyAssigmentScreen::FireGroup;
    const int combination = KeyAssigmentScreen::CombinationGroup;
    // clang-format off
    QTest::newRow("another page")          << fire << "fireCapture" << "keyAssigment/group0";
    QTest::newRow("times field")           << fire << "fireCapture" << "keyAssigment/timesInput";
    QTest::newRow("outside the dialog")    << fire << "fireCapture" << "outside the dialog";
    QTest::newRow("window hidden")         << fire << "fireCapture" << "window hidden";
    QTest::newRow("mouse unplugged")       << fire << "fireCapture" << "mouse unplugged";
    QTest::newRow("combination, page")     << combination << "combinationCapture" << "keyAssigment/group6";
    // clang-format on
}

void TestKeyCapture::captureEndsWhenTheUserTurnsAway()
{
    QFETCH(int, page);
    QFETCH(QString, field);
    QFETCH(QString, action);
    SceneRig scene(QStringLiteral("553"));
    scene.captureDesktopKeys();
    QVERIFY(scene.settle());
    KeyAssigmentScreen* dialog = scene.screens()->keyAssigment();
    const ButtonFunction before = scene.screens()->keyMatrix()->record(1);

    QVERIFY(scene.click(scene.item("keyRow1")));
    QTRY_VERIFY(scene.item("keyAssigment") && scene.item("keyAssigment")->isVisible());
    QVERIFY(scene.click(scene.item("keyAssigment", QStringLiteral("group%1").arg(page))));
    QVERIFY(scene.click(scene.item("keyAssigment", field)));
    QTRY_VERIFY(scene.desktopRead());
    QVERIFY(dialog->capturesKeys());

    QVERIFY(turnAway(scene, action));
    QTRY_VERIFY(!scene.desktopRead());
    QCOMPARE(dialog->capture(), int(KeyAssigmentScreen::NoCapture));
    // Typed now, the key reaches nothing: the button keeps its function when the dialog closes.
    QVERIFY(PrivateXServer::xdotool("key b"));
    dialog->close();
    QCOMPARE(scene.screens()->keyMatrix()->record(1), before);
}

void TestKeyCapture::recordingEndsWhenTheWindowGoes_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("window hidden") << "window hidden";
    QTest::newRow("mouse unplugged") << "mouse unplugged";
}

void TestKeyCapture::recordingEndsWhenTheWindowGoes()
{
    QFETCH(QString, action);
    SceneRig scene(QStringLiteral("553"));
    scene.captureDesktopKeys();
    QVERIFY(scene.settle());
    MacroEditorScreen* editor = scene.screens()->macroEditor();
    QVERIFY(scene.click(scene.item("macroEditorButton")));
    QTRY_VERIFY(scene.item("macroEditor") && scene.item("macroEditor")->isVisible());
    QVERIFY(scene.click(scene.item("macroEditor", "macroRow0")));
    QVERIFY(scene.click(scene.item("macroEditor", "macroRecord")));
    QTRY_VERIFY(scene.desktopRead());
    QVERIFY(PrivateXServer::xdotool("key a"));
    QTRY_COMPARE(editor->actions().size(), 2);

    QVERIFY(turnAway(scene, action));
    QTRY_VERIFY(!scene.desktopRead());
    QVERIFY(!editor->isInputting());
    // What was recorded is kept; what is typed in another program afterwards is not.
    QVERIFY(PrivateXServer::xdotool("key b"));
    const QString name = editor->macroNames().at(0);
    QCOMPARE(scene.screens()->macros().loadMacroIni(name).size(), 3);
    QCOMPARE(editor->actions().size(), 2);
}

QTEST_MAIN(TestKeyCapture)
#include "TestKeyCapture.moc"
