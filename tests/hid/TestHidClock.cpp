// The link's real pause and its exchanges on the application's thread, against a private X server:
// the window keeps answering the window manager while user input waits until they are over.
#include "HidClock.h"
#include "PrivateXServer.h"
#include "VirtualLink.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QRasterWindow>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <functional>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
// Xlib's name for the event type would hide Qt's.
#undef KeyPress

using XAction = std::function<void(Display*, Window)>;
Q_DECLARE_METATYPE(XAction)

// What turns the event loop while input arrives: a real pause, or the commands of an exchange,
// each of which turns it without waiting.
enum class Waiter { Pause, Exchange };
Q_DECLARE_METATYPE(Waiter)

namespace {

bool g_haveServer = false;

class InputWindow : public QRasterWindow
{
public:
    QList<QEvent::Type> received;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::Wheel || e->type() == QEvent::KeyPress) {
            received << e->type();
        }
        return QRasterWindow::event(e);
    }
    void closeEvent(QCloseEvent* e) override
    {
        received << QEvent::Close;
        e->ignore();
    }
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(QRect(QPoint(), size()), Qt::white); }
};

Atom atom(Display* display, const char* name)
{
    return XInternAtom(display, name, False);
}

void sendProtocol(Display* display, Window window, const char* protocol)
{
    XEvent e {};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = atom(display, "WM_PROTOCOLS");
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(atom(display, protocol));
    e.xclient.data.l[1] = CurrentTime;
    e.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(display, window, False, NoEventMask, &e);
}

// A window answers a ping by sending it on to the root window, where this connection listens.
bool pongArrived(Display* display)
{
    XEvent e;
    while (XCheckTypedEvent(display, ClientMessage, &e)) {
        if (e.xclient.message_type == atom(display, "WM_PROTOCOLS")
            && static_cast<Atom>(e.xclient.data.l[0]) == atom(display, "_NET_WM_PING")) {
            return true;
        }
    }
    return false;
}

} // namespace

class TestHidClock : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void pauseAnswersPingAndHoldsInput_data();
    void pauseAnswersPingAndHoldsInput();
    void pauseOutlastsQuit();

private:
    Display* m_display = nullptr;
};

void TestHidClock::initTestCase()
{
    if (!g_haveServer) {
        return;
    }
    m_display = XOpenDisplay(nullptr);
    QVERIFY(m_display);
    // Pings are answered to the root window.
    XSelectInput(m_display, DefaultRootWindow(m_display), StructureNotifyMask | SubstructureNotifyMask);
    XSync(m_display, False);
}

void TestHidClock::cleanupTestCase()
{
    if (m_display) {
        XCloseDisplay(m_display);
    }
}

void TestHidClock::pauseAnswersPingAndHoldsInput_data()
{
    QTest::addColumn<XAction>("action");
    QTest::addColumn<int>("expected");
    QTest::addColumn<Waiter>("waiter");
    const auto click = [](unsigned int button) {
        return XAction([button](Display* d, Window) {
            XTestFakeButtonEvent(d, button, True, CurrentTime);
            XTestFakeButtonEvent(d, button, False, CurrentTime);
        });
    };
    const XAction close = [](Display* d, Window w) { sendProtocol(d, w, "WM_DELETE_WINDOW"); };
    // clang-format off
    QTest::newRow("button") << click(1) << int(QEvent::MouseButtonPress) << Waiter::Pause;
    QTest::newRow("close request") << close << int(QEvent::Close) << Waiter::Pause;
    QTest::newRow("button during exchanges") << click(1) << int(QEvent::MouseButtonPress) << Waiter::Exchange;
    // clang-format on
}

void TestHidClock::pauseAnswersPingAndHoldsInput()
{
    QFETCH(XAction, action);
    QFETCH(int, expected);
    QFETCH(Waiter, waiter);
    if (!g_haveServer) {
        QSKIP("Xvfb is not installed");
    }
    InputWindow window;
    window.setGeometry(40, 40, 200, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const Window id = static_cast<Window>(window.winId());
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(m_display, id, DefaultRootWindow(m_display), 100, 100, &x, &y, &child);
    XTestFakeMotionEvent(m_display, DefaultScreen(m_display), x, y, CurrentTime);
    XSync(m_display, False);
    QTest::qWait(100);
    while (pongArrived(m_display)) {
    }
    window.received.clear();

    // The input goes out first; once the ping behind it is answered, Qt has seen both.
    action(m_display, id);
    sendProtocol(m_display, id, "_NET_WM_PING");
    XSync(m_display, False);
    RealClock clock;
    VirtualLink link;
    bool answered = false;
    for (int turn = 0; turn < 200 && !answered; ++turn) {
        if (waiter == Waiter::Pause) {
            clock.sleep(25);
        } else {
            link.link.hid553_01H_SetReportRate(1);
            QThread::msleep(25);
        }
        XSync(m_display, False);
        answered = pongArrived(m_display);
    }
    QVERIFY(answered);
    QVERIFY(window.received.isEmpty());
    QTRY_COMPARE(window.received, QList<QEvent::Type> {static_cast<QEvent::Type>(expected)});
}

void TestHidClock::pauseOutlastsQuit()
{
    // Telling the application to quit ends every event loop at once; a pause must still last.
    qint64 slept = -1;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [] { QCoreApplication::exit(3); });
        QElapsedTimer elapsed;
        elapsed.start();
        RealClock().sleep(60);
        slept = elapsed.elapsed();
    });
    QCOMPARE(QCoreApplication::exec(), 3);
    QVERIFY2(slept >= 60, qPrintable(QString::number(slept)));
}

int main(int argc, char** argv)
{
    // Started before the application, so Qt connects to it.
    PrivateXServer server;
    g_haveServer = server.start().isEmpty();
    qputenv("QT_QPA_PLATFORM", g_haveServer ? "xcb" : "offscreen");
    QGuiApplication app(argc, argv);
    TestHidClock test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestHidClock.moc"
