#include "InputHook.h"
#include "InputReports.h"
#include "KeyMap.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

namespace {

constexpr uint Down = KeyMap::KeyDown;
constexpr uint Up = KeyMap::KeyUp;
constexpr uint Ext = KeyMap::ExtendedFlag;
constexpr uint Alt = KeyMap::AltDownFlag;

} // namespace

class TestInputHook : public QObject
{
    Q_OBJECT

private slots:
    void keyboard_data();
    void keyboard();
    void stateKeptWhileNoCallback();
    void mouse_data();
    void mouse();
    void ownEvents();
};

void TestInputHook::keyboard_data()
{
    // events: hook code, message, scan code, flags per event; reports: usage, pressed per report
    QTest::addColumn<QList<uint>>("events");
    QTest::addColumn<QList<int>>("reports");
    QTest::addColumn<bool>("nonUsLayout");
    const auto row = [](const char* name, const QList<uint>& events, const QList<int>& reports, bool nonUs = false) {
        QTest::newRow(name) << events << reports << nonUs;
    };
    row("held key reports once",
        {0, Down, 0x1E, 0, 0, Down, 0x1E, 0, 0, Down, 0x1E, 0, 0, Up, 0x1E, 0},
        {0x04, 1, 0x04, 0});
    row("release never pressed", {0, Up, 0x1E, 0}, {});
    row("keypad 1 whatever Num Lock", {0, Down, 0x4F, 0}, {0x59, 1});
    row("Enter and keypad Enter", {0, Down, 0x1C, 0, 0, Down, 0x1C, Ext}, {0x28, 1, 0x58, 1});
    row("Pause and Num Lock", {0, Down, 0x45, 0, 0, Down, 0x45, Ext}, {0x48, 1, 0x53, 1});
    row("keypad * and Print Screen", {0, Down, 0x37, 0, 0, Down, 0x37, Ext}, {0x55, 1, 0x46, 1});
    row("Ctrl+Break", {0, Down, 0x46, Ext, 0, Up, 0x46, Ext}, {0x48, 1, 0x48, 0});
    row("Scroll Lock", {0, Down, 0x46, 0}, {0x47, 1});
    row("Alt+Print Screen", {0, KeyMap::SysKeyDown, 0x54, Alt, 0, KeyMap::SysKeyUp, 0x54, Alt}, {0x46, 1, 0x46, 0});
    row("0x54 without Alt", {0, Down, 0x54, 0}, {});
    row("Alt held, system key down", {0, KeyMap::SysKeyDown, 0x1E, Alt}, {0x04, 1});
    row("backslash, US", {0, Down, 0x2B, 0}, {0x31, 1});
    row("backslash, non-US", {0, Down, 0x2B, 0}, {0x32, 1}, true);
    row("Right Windows", {0, Down, 0x5C, Ext, 0, Up, 0x5C, Ext}, {});
    row("scan code above 255", {0, Down, 0x11E, 0}, {});
    row("scan code without entry", {0, Down, 0x60, 0, 0, Down, 0x2A, Ext}, {});
    row("not a hook action", {uint(-1), Down, 0x1E, 0}, {});
}

void TestInputHook::keyboard()
{
    QFETCH(QList<uint>, events);
    QFETCH(QList<int>, reports);
    QFETCH(bool, nonUsLayout);
    InputHook hook(nonUsLayout, InputCapture::Source::OwnEvents);
    Reports seen;
    hook.setKeyboardCallback(onKey, &seen);
    for (int i = 0; i + 3 < events.size(); i += 4) {
        hook.keyboardEvent(int(events[i]), events[i + 1], events[i + 2], events[i + 3]);
    }
    QCOMPARE(seen.keys, reports);
}

void TestInputHook::stateKeptWhileNoCallback()
{
    InputHook hook(false, InputCapture::Source::OwnEvents);
    hook.keyboardEvent(0, Down, 0x1E, 0);
    Reports seen;
    hook.setKeyboardCallback(onKey, &seen);
    hook.setMouseCallback(onButton, &seen);
    hook.keyboardEvent(0, Down, 0x1E, 0);
    hook.keyboardEvent(0, Up, 0x1E, 0);
    hook.mouseEvent(0, KeyMap::LeftButtonDown, 1, 2);
    hook.setKeyboardCallback(nullptr, &seen);
    hook.setMouseCallback(nullptr, &seen);
    hook.keyboardEvent(0, Down, 0x1E, 0);
    hook.mouseEvent(0, KeyMap::LeftButtonUp, 1, 2);
    QCOMPARE(seen.keys, (QList<int> {0x04, 0}));
    QCOMPARE(seen.buttons, (QList<int> {240, 1, 1, 2}));
}

void TestInputHook::mouse_data()
{
    // events: message, x, y per event; reports: button, pressed, x, y per report
    QTest::addColumn<QList<int>>("events");
    QTest::addColumn<QList<int>>("reports");
    const auto row = [](const char* name, const QList<int>& events, const QList<int>& reports) {
        QTest::newRow(name) << events << reports;
    };
    const int ld = KeyMap::LeftButtonDown, lu = KeyMap::LeftButtonUp, rd = KeyMap::RightButtonDown;
    const int ru = KeyMap::RightButtonUp, md = KeyMap::MiddleButtonDown, mu = KeyMap::MiddleButtonUp;
    row("double click",
        {ld, 10, 20, lu, 10, 20, ld, 10, 20, lu, 10, 20},
        {240, 1, 10, 20, 240, 0, 10, 20, 240, 1, 10, 20, 240, 0, 10, 20});
    const int ldc = KeyMap::LeftButtonDoubleClick, rdc = KeyMap::RightButtonDoubleClick;
    row("double-click messages", {ld, 1, 1, ldc, 1, 1, rdc, 1, 1}, {240, 1, 1, 1});
    row("right and middle",
        {rd, -5, 7, ru, -5, 7, md, 3000, 2000, mu, 3000, 2000},
        {241, 1, -5, 7, 241, 0, -5, 7, 242, 1, 3000, 2000, 242, 0, 3000, 2000});
    row("release without press", {lu, 0, 0}, {240, 0, 0, 0});
    const int wheel = KeyMap::MouseWheel, hwheel = KeyMap::MouseHorizontalWheel;
    const int sd = KeyMap::SideButtonDown, su = KeyMap::SideButtonUp;
    row("wheel and side buttons", {wheel, 0, 0, sd, 0, 0, su, 0, 0, hwheel, 0, 0, 0x0200, 4, 4}, {});
}

void TestInputHook::mouse()
{
    QFETCH(QList<int>, events);
    QFETCH(QList<int>, reports);
    InputHook hook(false, InputCapture::Source::OwnEvents);
    Reports seen;
    hook.setMouseCallback(onButton, &seen);
    for (int i = 0; i + 2 < events.size(); i += 3) {
        hook.mouseEvent(0, uint32_t(events[i]), events[i + 1], events[i + 2]);
    }
    QCOMPARE(seen.buttons, reports);
}

void TestInputHook::ownEvents()
{
    InputHook hook(false, InputCapture::Source::OwnEvents);
    QVERIFY(hook.hooksInstalled());
    Reports seen;
    hook.setKeyboardCallback(onKey, &seen);
    hook.setMouseCallback(onButton, &seen);
    QWindow window;
    window.setGeometry(100, 50, 200, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWindow embedded;
    QObject notAWindow;

    // As the window system delivers them: to a window, spontaneous, with the X key code (evdev + 8)
    // as the native scan code, as the Linux platforms give it.
    const auto deliver
        = [](QObject* receiver, QEvent::Type type, Qt::KeyboardModifiers modifiers, quint32 scan, bool repeated) {
              QKeyEvent event(type, Qt::Key_unknown, modifiers, scan, 0, 0, QString(), repeated);
              QSpontaneKeyEvent::setSpontaneous(&event);
              QCoreApplication::instance()->notify(receiver, &event);
          };
    deliver(&window, QEvent::KeyPress, Qt::NoModifier, 38, false);
    deliver(&window, QEvent::KeyPress, Qt::NoModifier, 38, true);
    deliver(&notAWindow, QEvent::KeyRelease, Qt::NoModifier, 38, false);
    deliver(&window, QEvent::KeyRelease, Qt::NoModifier, 38, false);
    deliver(&window, QEvent::KeyPress, Qt::KeypadModifier, 104, false);
    deliver(&window, QEvent::KeyPress, Qt::NoModifier, 0, false);
    deliver(&window, QEvent::KeyPress, Qt::NoModifier, 134, false);
    deliver(&window, QEvent::KeyPress, Qt::AltModifier, 107, false);
    // A window passing an event on to an embedded window sends it, not spontaneously.
    QKeyEvent passedOn(QEvent::KeyRelease, Qt::Key_Enter, Qt::KeypadModifier, 104, 0, 0);
    QCoreApplication::sendEvent(&embedded, &passedOn);
    QCOMPARE(seen.keys, (QList<int> {0x04, 1, 0x04, 0, 0x58, 1, 0x46, 1}));

    const QPoint local(30, 40);
    const QPoint global = window.mapToGlobal(local);
    QTest::mouseDClick(&window, Qt::LeftButton, Qt::NoModifier, local);
    QTest::mouseClick(&window, Qt::RightButton, Qt::NoModifier, local);
    QTest::mouseClick(&window, Qt::BackButton, Qt::NoModifier, local);
    QTest::mousePress(&window, Qt::MiddleButton, Qt::NoModifier, local);
    QMouseEvent passedOnClick(
        QEvent::MouseButtonRelease, local, global, Qt::MiddleButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &passedOnClick);
    const int x = global.x();
    const int y = global.y();
    QCOMPARE(seen.buttons, (QList<int> {240, 1, x,   y, 240, 0, x,   y, 240, 1, x,   y, 240, 0,
                                        x,   y, 241, 1, x,   y, 241, 0, x,   y, 242, 1, x,   y}));

    hook.removeHooks();
    QVERIFY(!hook.hooksInstalled());
    deliver(&window, QEvent::KeyRelease, Qt::NoModifier, 104, false);
    QTest::mouseRelease(&window, Qt::MiddleButton, Qt::NoModifier, local);
    QCOMPARE(seen.keys.size(), 8);
    QCOMPARE(seen.buttons.size(), 28);
}

QTEST_MAIN(TestInputHook)
#include "TestInputHook.moc"
