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
    void everyPcKey();
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

// Every key of a PC keyboard, from its Linux key code as an X server reports it, gives the usage the
// USB keyboard usage table names for it; no other key code gives one. As with a Windows keyboard
// hook, of F13-F24 only F23 has a scan code the mouse's table knows, and Right Windows none.
void TestInputHook::everyPcKey()
{
    QMap<uint, int> want;
    const auto run = [&](uint evdev, const char* keys, int usage) {
        for (const char* key = keys; *key; ++key, ++evdev) {
            want[evdev] = *key >= 'A' && *key <= 'Z' ? 0x04 + (*key - 'A') : usage++;
        }
    };
    run(16, "QWERTYUIOP", 0);
    run(30, "ASDFGHJKL", 0);
    run(44, "ZXCVBNM", 0);
    run(2, "1234567890", 0x1E);
    run(59, "..........", 0x3A); // F1-F10
    const QList<std::pair<uint, int>> others {
        {1, 0x29},   {12, 0x2D},  {13, 0x2E},  {14, 0x2A},  {15, 0x2B},  {26, 0x2F},  {27, 0x30},  {28, 0x28},
        {29, 0xE0},  {39, 0x33},  {40, 0x34},  {41, 0x35},  {42, 0xE1},  {43, 0x31},  {51, 0x36},  {52, 0x37},
        {53, 0x38},  {54, 0xE5},  {55, 0x55},  {56, 0xE2},  {57, 0x2C},  {58, 0x39},  {69, 0x53},  {70, 0x47},
        {71, 0x5F},  {72, 0x60},  {73, 0x61},  {74, 0x56},  {75, 0x5C},  {76, 0x5D},  {77, 0x5E},  {78, 0x57},
        {79, 0x59},  {80, 0x5A},  {81, 0x5B},  {82, 0x62},  {83, 0x63},  {86, 0x64},  {87, 0x44},  {88, 0x45},
        {96, 0x58},  {97, 0xE4},  {98, 0x54},  {99, 0x46},  {100, 0xE6}, {102, 0x4A}, {103, 0x52}, {104, 0x4B},
        {105, 0x50}, {106, 0x4F}, {107, 0x4D}, {108, 0x51}, {109, 0x4E}, {110, 0x49}, {111, 0x4C}, {119, 0x48},
        {125, 0xE3}, {127, 0x65}, {193, 0x72},
    };
    for (const auto& [evdev, usage] : others) {
        want[evdev] = usage;
    }
    QMap<uint, int> got;
    for (uint keycode = 0; keycode < 256; ++keycode) {
        InputHook hook(false, InputCapture::Source::OwnEvents);
        Reports seen;
        hook.setKeyboardCallback(onKey, &seen);
        uint8_t scan = 0;
        bool extended = false;
        if (KeyMap::xKeycodeToScan(keycode, scan, extended)) {
            hook.keyboardEvent(KeyMap::HookAction, Down, scan, extended ? Ext : 0);
        }
        if (!seen.keys.isEmpty()) {
            got[keycode - 8] = seen.keys.first();
        }
    }
    QCOMPARE(got, want);
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
