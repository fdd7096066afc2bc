#include "InputHook.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <X11/Xlib.h>

namespace {

struct Reports
{
    QList<int> keys;    // usage, pressed, ...
    QList<int> buttons; // button, pressed, x, y, ...
};

void onKey(uint8_t code, uint8_t pressed, void* context)
{
    static_cast<Reports*>(context)->keys << code << pressed;
}

void onButton(uint8_t button, uint8_t pressed, int32_t x, int32_t y, void* context)
{
    static_cast<Reports*>(context)->buttons << button << pressed << x << y;
}

// Every typed sequence ends with Esc; once it arrives, everything before it has.
const QList<int> EndMark {0x29, 1, 0x29, 0};

} // namespace

// Real key and button events typed into a private X server arrive translated and in order.
class TestInputCaptureX11 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void typed_data();
    void typed();
    void reinstallReportsOnce();

private:
    bool xdotool(const QStringList& arguments);

    QProcess m_server;
    QString m_display;
    Display* m_listener = nullptr;
};

void TestInputCaptureX11::initTestCase()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
        QSKIP("Xvfb or xdotool is not installed");
    }
    // The server picks a free display itself and writes its number to the given descriptor.
    m_server.start(xvfb,
                   {QStringLiteral("-displayfd"),
                    QStringLiteral("1"),
                    QStringLiteral("-screen"),
                    QStringLiteral("0"),
                    QStringLiteral("800x600x24"),
                    QStringLiteral("-nolisten"),
                    QStringLiteral("tcp")});
    QVERIFY(m_server.waitForStarted());
    while (!m_server.canReadLine()) {
        QVERIFY2(m_server.waitForReadyRead(30000), qPrintable(m_server.readAllStandardError()));
    }
    const QByteArray number = m_server.readLine().trimmed();
    QVERIFY(!number.isEmpty());
    m_display = QStringLiteral(":") + QString::fromLatin1(number);
    qputenv("DISPLAY", m_display.toLatin1());

    // On a desktop some window always receives the input, and delivering it makes the server send
    // out what it recorded. Here the root window stands in for that window.
    m_listener = XOpenDisplay(nullptr);
    QVERIFY(m_listener);
    XSelectInput(
        m_listener, DefaultRootWindow(m_listener), KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask);
    XSync(m_listener, False);
}

void TestInputCaptureX11::cleanupTestCase()
{
    if (m_listener) {
        XCloseDisplay(m_listener);
    }
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        m_server.waitForFinished();
    }
}

bool TestInputCaptureX11::xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void TestInputCaptureX11::typed_data()
{
    QTest::addColumn<bool>("nonUsLayout");
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QList<int>>("buttons");

    QTest::newRow("A") << false << "key a" << QList<int> {0x04, 1, 0x04, 0} << QList<int> {};
    QTest::newRow("held key") << false << "keydown a keydown a keydown a keyup a" << QList<int> {0x04, 1, 0x04, 0}
                              << QList<int> {};
    QTest::newRow("order") << false << "key b key 1 key F12"
                           << QList<int> {0x05, 1, 0x05, 0, 0x1E, 1, 0x1E, 0, 0x45, 1, 0x45, 0} << QList<int> {};
    QTest::newRow("keypad 1, Num Lock off") << false << "key KP_End" << QList<int> {0x59, 1, 0x59, 0} << QList<int> {};
    QTest::newRow("Enter and keypad Enter")
        << false << "key Return key KP_Enter" << QList<int> {0x28, 1, 0x28, 0, 0x58, 1, 0x58, 0} << QList<int> {};
    QTest::newRow("Ctrl+Break") << false << "key ctrl+Pause" << QList<int> {0xE0, 1, 0x48, 1, 0xE0, 0, 0x48, 0}
                                << QList<int> {};
    QTest::newRow("Alt+Print Screen") << false << "key alt+Print" << QList<int> {0xE2, 1, 0x46, 1, 0xE2, 0, 0x46, 0}
                                      << QList<int> {};
    // For a modifier key xdotool also presses the first key of that modifier (the left one).
    QTest::newRow("right-hand modifiers")
        << false << "key Control_R Shift_R Alt_R" << QList<int> {0xE0, 1, 0xE4, 1, 0xE0, 0, 0xE4, 0, 0xE1, 1, 0xE5, 1,
                                                                 0xE1, 0, 0xE5, 0, 0xE2, 1, 0xE6, 1, 0xE2, 0, 0xE6, 0}
        << QList<int> {};
    QTest::newRow("backslash, US") << false << "key backslash" << QList<int> {0x31, 1, 0x31, 0} << QList<int> {};
    QTest::newRow("backslash, non-US") << true << "key backslash" << QList<int> {0x32, 1, 0x32, 0} << QList<int> {};
    QTest::newRow("Right Windows, only its partner")
        << false << "key Super_R" << QList<int> {0xE3, 1, 0xE3, 0} << QList<int> {};
    QTest::newRow("double click") << false << "mousemove 120 80 click --repeat 2 --delay 40 1" << QList<int> {}
                                  << QList<int> {240, 1, 120, 80, 240, 0, 120, 80, 240, 1, 120, 80, 240, 0, 120, 80};
    QTest::newRow("right and middle") << false << "mousemove 7 590 click 3 click 2" << QList<int> {}
                                      << QList<int> {241, 1, 7, 590, 241, 0, 7, 590, 242, 1, 7, 590, 242, 0, 7, 590};
    QTest::newRow("wheel and side buttons")
        << false << "click 4 click 5 click 6 click 7 click 8 click 9" << QList<int> {} << QList<int> {};
}

void TestInputCaptureX11::typed()
{
    QFETCH(bool, nonUsLayout);
    QFETCH(QString, actions);
    QFETCH(QList<int>, keys);
    QFETCH(QList<int>, buttons);

    InputHook hook(nonUsLayout);
    QVERIFY(hook.hooksInstalled());
    Reports seen;
    hook.setKeyboardCallback(onKey, &seen);
    hook.setMouseCallback(onButton, &seen);
    QVERIFY(xdotool(actions.split(QLatin1Char(' ')) + QStringList {QStringLiteral("key"), QStringLiteral("Escape")}));
    QTRY_COMPARE(seen.keys.mid(qMax(0, seen.keys.size() - EndMark.size())), EndMark);
    QCOMPARE(seen.keys, keys + EndMark);
    QCOMPARE(seen.buttons, buttons);
    hook.removeHooks();
}

void TestInputCaptureX11::reinstallReportsOnce()
{
    InputHook hook(false);
    QVERIFY(hook.installHooks());
    QVERIFY(hook.installHooks());
    Reports seen;
    hook.setKeyboardCallback(onKey, &seen);
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("z"), QStringLiteral("key"), QStringLiteral("Escape")}));
    QTRY_COMPARE(seen.keys, (QList<int> {0x1D, 1, 0x1D, 0} + EndMark));

    // After removal nothing arrives: a second hook sees the next keys, the first one does not.
    hook.removeHooks();
    QVERIFY(!hook.hooksInstalled());
    InputHook next(false);
    Reports nextSeen;
    next.setKeyboardCallback(onKey, &nextSeen);
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("y"), QStringLiteral("key"), QStringLiteral("Escape")}));
    QTRY_COMPARE(nextSeen.keys, (QList<int> {0x1C, 1, 0x1C, 0} + EndMark));
    QCOMPARE(seen.keys, (QList<int> {0x1D, 1, 0x1D, 0} + EndMark));
}

QTEST_MAIN(TestInputCaptureX11)
#include "TestInputCaptureX11.moc"
