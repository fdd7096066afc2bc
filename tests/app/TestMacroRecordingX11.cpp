// Recording end to end: keys typed into a private X server reach the macro editor through the
// program's own capture and the main screen's routing, and the recorded macro reaches the button
// bound to it on the virtual mouse. The clock moves only between the typed steps, so the recorded
// delays are exact.
#include "InputHook.h"
#include "KeyCapture.h"
#include "MacroEditorScreen.h"
#include "MainScreen.h"
#include "PrivateXServer.h"
#include "ScreenRig.h"

#include <QTest>

namespace {

constexpr int BoundEntry = 2;

// The screens with the program's capture: the hook installed on demand, each key handed to the
// scene in an event of its own, as the main widget does.
struct RecordingRig
{
    RecordingRig()
        : hook(false, InputCapture::Source::Desktop, InputHook::Installation::OnDemand)
        , capture(hook)
    {
        QSettings* profile = rig.store->currentProfileSettings();
        profile->setValue(QStringLiteral("mouseKeyMatrix/%1").arg(BoundEntry), QVariantList {4, 0, BoundEntry, 0});
        profile->setValue(QStringLiteral("mouseMacroKey/%1").arg(BoundEntry), QStringLiteral("Macro_1"));
        profile->sync();
        rig.screens->setCapture(&capture);
        hook.setKeyboardCallback(onKey, this);
        rig.screens->main()->initUI();
        editor = rig.screens->macroEditor();
        editor->setClock(&clock);
    }

    static void onKey(uint8_t code, uint8_t pressed, void* context)
    {
        MainScreen* main = static_cast<RecordingRig*>(context)->rig.screens->main();
        QMetaObject::invokeMethod(
            main, [main, code, pressed] { main->routeKeyboard(pressed != 0, code); }, Qt::QueuedConnection);
    }

    ScreenRig rig;
    InputHook hook;
    KeyCapture capture;
    ManualClock clock;
    MacroEditorScreen* editor = nullptr;
};

} // namespace

class TestMacroRecordingX11 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void typedKeysReachTheBoundButton();

private:
    PrivateXServer m_server;
};

void TestMacroRecordingX11::initTestCase()
{
    if (!PrivateXServer::available()) {
        QSKIP("Xvfb or xdotool is not installed");
    }
    const QString failure = m_server.start();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestMacroRecordingX11::typedKeysReachTheBoundButton()
{
    RecordingRig r;
    MacroEditorScreen* editor = r.editor;
    editor->selectMacro(editor->macroNames().indexOf(QStringLiteral("Macro_1")));
    editor->setRecordDelay(true);
    QVERIFY(!r.hook.hooksInstalled());

    editor->startRecord();
    QVERIFY(r.hook.hooksInstalled());
    QVERIFY(PrivateXServer::xdotool(QStringLiteral("keydown a")));
    QTRY_COMPARE(editor->actions().size(), 1);
    r.clock.advance(12);
    QVERIFY(PrivateXServer::xdotool(QStringLiteral("keyup a")));
    QTRY_COMPARE(editor->actions().size(), 3);
    r.clock.advance(30);
    // Press and release with no tick between them.
    QVERIFY(PrivateXServer::xdotool(QStringLiteral("key b")));
    QTRY_COMPARE(editor->actions().size(), 7);
    r.rig.v.clearLog();
    editor->stopRecord();
    QVERIFY(!r.hook.hooksInstalled());

    QStringList recorded;
    for (const MacroEncoder::Action& action : editor->actions()) {
        recorded << action.toStoredText();
    }
    const QStringList expected {"1,A", "0,120", "2,A", "0,300", "1,B", "0,0", "2,B"};
    QCOMPARE(recorded, expected);
    QCOMPARE(r.rig.macros->loadMacroIni("Macro_1"), expected + QStringList {"1"});
    QCOMPARE(r.rig.commandCodes(), QStringList {"13"});
    QByteArray block = QByteArray::fromHex("0001 0c04 9e04 0105 8105 0000");
    block.resize(MacroEncoder::BlockSize, '\0');
    QCOMPARE(r.rig.v.mouse.state().macros.value(BoundEntry + 1).toHex(' '), block.toHex(' '));
}

QTEST_MAIN(TestMacroRecordingX11)
#include "TestMacroRecordingX11.moc"
