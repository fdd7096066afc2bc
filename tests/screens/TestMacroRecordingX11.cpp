// Recording end to end: keys typed into a private X server reach the macro editor through the
// desktop capture and the main screen's routing, and the recorded macro reaches the button bound
// to it on the virtual mouse. The clock moves only between the typed steps, so delays are exact.
#include "InputHook.h"
#include "MacroEditorScreen.h"
#include "MainScreen.h"
#include "ScreenRig.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <X11/Xlib.h>

namespace {

constexpr int BoundEntry = 2;

// The desktop capture as the configurator arms it: installed while a screen captures.
class HookCapture : public CaptureControl
{
public:
    explicit HookCapture(MainScreen& main)
        : m_main(main)
    {
    }

    void setCapturing(bool capturing) override
    {
        if (!capturing) {
            m_hook.reset();
            return;
        }
        m_hook = std::make_unique<InputHook>(false);
        m_hook->setKeyboardCallback(onKey, this);
    }
    bool armed() const { return m_hook && m_hook->hooksInstalled(); }

private:
    static void onKey(uint8_t code, uint8_t pressed, void* context)
    {
        static_cast<HookCapture*>(context)->m_main.routeKeyboard(pressed != 0, code);
    }

    MainScreen& m_main;
    std::unique_ptr<InputHook> m_hook;
};

} // namespace

class TestMacroRecordingX11 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void typedKeysReachTheBoundButton();

private:
    static bool type(const QString& actions);

    QProcess m_server;
    Display* m_listener = nullptr;
};

void TestMacroRecordingX11::initTestCase()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
        QSKIP("Xvfb or xdotool is not installed");
    }
    m_server.start(xvfb, QStringLiteral("-displayfd 1 -screen 0 800x600x24 -nolisten tcp").split(QLatin1Char(' ')));
    QVERIFY(m_server.waitForStarted());
    while (!m_server.canReadLine()) {
        QVERIFY2(m_server.waitForReadyRead(30000), qPrintable(m_server.readAllStandardError()));
    }
    const QByteArray number = m_server.readLine().trimmed();
    QVERIFY(!number.isEmpty());
    qputenv("DISPLAY", ":" + number);
    // The root window stands in for the desktop's focused window, which makes the server deliver
    // what it recorded.
    m_listener = XOpenDisplay(nullptr);
    QVERIFY(m_listener);
    XSelectInput(m_listener, DefaultRootWindow(m_listener), KeyPressMask | KeyReleaseMask);
    XSync(m_listener, False);
}

void TestMacroRecordingX11::cleanupTestCase()
{
    if (m_listener) {
        XCloseDisplay(m_listener);
    }
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        m_server.waitForFinished();
    }
}

bool TestMacroRecordingX11::type(const QString& actions)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), actions.split(QLatin1Char(' ')));
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void TestMacroRecordingX11::typedKeysReachTheBoundButton()
{
    ScreenRig rig;
    QSettings* profile = rig.store->currentProfileSettings();
    profile->setValue(QStringLiteral("mouseKeyMatrix/%1").arg(BoundEntry), QVariantList {4, 0, BoundEntry, 0});
    profile->setValue(QStringLiteral("mouseMacroKey/%1").arg(BoundEntry), QStringLiteral("Macro_1"));
    profile->sync();
    MainScreen* main = rig.screens->main();
    HookCapture capture(*main);
    rig.screens->setCapture(&capture);
    ManualClock clock;
    MacroEditorScreen* editor = rig.screens->macroEditor();
    editor->setClock(&clock);
    main->initUI();
    editor->selectMacro(editor->macroNames().indexOf(QStringLiteral("Macro_1")));
    editor->setRecordDelay(true);
    QVERIFY(!capture.armed());

    editor->startRecord();
    QVERIFY(capture.armed());
    QVERIFY(type(QStringLiteral("keydown a")));
    QTRY_COMPARE(editor->actions().size(), 1);
    clock.advance(12);
    QVERIFY(type(QStringLiteral("keyup a")));
    QTRY_COMPARE(editor->actions().size(), 3);
    clock.advance(30);
    // Press and release with no tick between them.
    QVERIFY(type(QStringLiteral("key b")));
    QTRY_COMPARE(editor->actions().size(), 7);
    rig.v.clearLog();
    editor->stopRecord();
    QVERIFY(!capture.armed());

    QStringList recorded;
    for (const MacroEncoder::Action& action : editor->actions()) {
        recorded << action.toStoredText();
    }
    const QStringList expected {"1,A", "0,120", "2,A", "0,300", "1,B", "0,0", "2,B"};
    QCOMPARE(recorded, expected);
    QCOMPARE(rig.macros->loadMacroIni("Macro_1"), expected + QStringList {"1"});
    QCOMPARE(rig.commandCodes(), QStringList {"13"});
    QByteArray block = QByteArray::fromHex("0001 0c04 9e04 0105 8105 0000");
    block.resize(MacroEncoder::BlockSize, '\0');
    QCOMPARE(rig.v.mouse.state().macros.value(BoundEntry + 1).toHex(' '), block.toHex(' '));
}

QTEST_GUILESS_MAIN(TestMacroRecordingX11)
#include "TestMacroRecordingX11.moc"
