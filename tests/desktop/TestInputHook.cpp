#include "InputHook.h"
#include "KeyMap.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

namespace {

struct Reports
{
    QList<int> keys;    // code, pressed, code, pressed, ...
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
    void backslashByLayout_data();
    void backslashByLayout();
    void stateKeptWithoutCallback();
    void callbackSwitchedOff();
    void mouse_data();
    void mouse();
    void ownKeyEvents();
    void ownMouseEvents();
};

void TestInputHook::keyboard_data()
{
    // events: hook code, message, scan code, flags per event; reports: usage, pressed per report
    QTest::addColumn<QList<uint>>("events");
    QTest::addColumn<QList<int>>("reports");

    QTest::newRow("A") << QList<uint> {0, Down, 0x1E, 0, 0, Up, 0x1E, 0} << QList<int> {0x04, 1, 0x04, 0};
    QTest::newRow("held key reports once")
        << QList<uint> {0, Down, 0x1E, 0, 0, Down, 0x1E, 0, 0, Down, 0x1E, 0, 0, Up, 0x1E, 0}
        << QList<int> {0x04, 1, 0x04, 0};
    QTest::newRow("release never pressed") << QList<uint> {0, Up, 0x1E, 0} << QList<int> {};
    QTest::newRow("keypad 1 whatever Num Lock") << QList<uint> {0, Down, 0x4F, 0} << QList<int> {0x59, 1};
    QTest::newRow("Enter") << QList<uint> {0, Down, 0x1C, 0} << QList<int> {0x28, 1};
    QTest::newRow("keypad Enter") << QList<uint> {0, Down, 0x1C, Ext} << QList<int> {0x58, 1};
    QTest::newRow("both Enters") << QList<uint> {0, Down, 0x1C, 0, 0, Down, 0x1C, Ext} << QList<int> {0x28, 1, 0x58, 1};
    QTest::newRow("Ctrl+Break") << QList<uint> {0, Down, 0x46, Ext, 0, Up, 0x46, Ext} << QList<int> {0x48, 1, 0x48, 0};
    QTest::newRow("Scroll Lock") << QList<uint> {0, Down, 0x46, 0} << QList<int> {0x47, 1};
    QTest::newRow("Alt+Print Screen") << QList<uint> {0, KeyMap::SysKeyDown, 0x54, Alt, 0, KeyMap::SysKeyUp, 0x54, Alt}
                                      << QList<int> {0x46, 1, 0x46, 0};
    QTest::newRow("0x54 without Alt") << QList<uint> {0, Down, 0x54, 0} << QList<int> {};
    QTest::newRow("Right Windows") << QList<uint> {0, Down, 0x5C, Ext, 0, Up, 0x5C, Ext} << QList<int> {};
    QTest::newRow("Alt held, system key down")
        << QList<uint> {0, KeyMap::SysKeyDown, 0x1E, Alt} << QList<int> {0x04, 1};
    QTest::newRow("scan code above 255") << QList<uint> {0, Down, 0x11E, 0} << QList<int> {};
    QTest::newRow("scan code without entry") << QList<uint> {0, Down, 0x60, 0, 0, Down, 0x2A, Ext} << QList<int> {};
    QTest::newRow("not a hook action") << QList<uint> {uint(-1), Down, 0x1E, 0} << QList<int> {};
}

void TestInputHook::keyboard()
{
    QFETCH(QList<uint>, events);
    QFETCH(QList<int>, reports);
    InputHook hook(false, InputCapture::Source::OwnEvents);
    Reports seen;
    hook.setKeyboardCallback(onKey, &seen);
    for (int i = 0; i + 3 < events.size(); i += 4) {
        hook.keyboardEvent(int(events[i]), events[i + 1], events[i + 2], events[i + 3]);
    }
    QCOMPARE(seen.keys, reports);
}

void TestInputHook::backslashByLayout_data()
{
    QTest::addColumn<bool>("nonUsLayout");
    QTest::addColumn<int>("usage");
    QTest::newRow("US") << false << 0x31;
    QTest::newRow("non-US") << true << 0x32;
}

void TestInputHook::backslashByLayout()
{
    QFETCH(bool, nonUsLayout);
    QFETCH(int, usage);
    InputHook hook(nonUsLayout, InputCapture::Source::OwnEvents);
    QCOMPARE(hook.nonUsLayout(), nonUsLayout);
    Reports seen;
    hook.setKeyboardCallback(onKey, &seen);
    hook.keyboardEvent(0, Down, 0x2B, 0);
    QCOMPARE(seen.keys, (QList<int> {usage, 1}));
}

void TestInputHook::stateKeptWithoutCallback()
{
    InputHook hook(false, InputCapture::Source::OwnEvents);
    hook.keyboardEvent(0, Down, 0x1E, 0);
    Reports seen;
    hook.setKeyboardCallback(onKey, &seen);
    hook.keyboardEvent(0, Down, 0x1E, 0);
    QVERIFY(seen.keys.isEmpty());
    hook.keyboardEvent(0, Up, 0x1E, 0);
    QCOMPARE(seen.keys, (QList<int> {0x04, 0}));
}

void TestInputHook::callbackSwitchedOff()
{
    InputHook hook(false, InputCapture::Source::OwnEvents);
    Reports seen;
    hook.setKeyboardCallback(onKey, &seen);
    hook.setMouseCallback(onButton, &seen);
    hook.keyboardEvent(0, Down, 0x1E, 0);
    hook.mouseEvent(0, KeyMap::LeftButtonDown, 1, 2);
    hook.setKeyboardCallback(nullptr, &seen);
    hook.setMouseCallback(nullptr, &seen);
    hook.keyboardEvent(0, Up, 0x1E, 0);
    hook.mouseEvent(0, KeyMap::LeftButtonUp, 1, 2);
    QCOMPARE(seen.keys, (QList<int> {0x04, 1}));
    QCOMPARE(seen.buttons, (QList<int> {240, 1, 1, 2}));
}

void TestInputHook::mouse_data()
{
    // events: message, x, y per event; reports: button, pressed, x, y per report
    QTest::addColumn<QList<int>>("events");
    QTest::addColumn<QList<int>>("reports");

    const int down = KeyMap::LeftButtonDown;
    const int up = KeyMap::LeftButtonUp;
    QTest::newRow("double click") << QList<int> {down, 10, 20, up, 10, 20, down, 10, 20, up, 10, 20}
                                  << QList<int> {240, 1, 10, 20, 240, 0, 10, 20, 240, 1, 10, 20, 240, 0, 10, 20};
    QTest::newRow("double-click message")
        << QList<int> {down, 1, 1, int(KeyMap::LeftButtonDoubleClick), 1, 1} << QList<int> {240, 1, 1, 1};
    QTest::newRow("right and middle") << QList<int> {
        int(KeyMap::RightButtonDown),
        -5,
        7,
        int(KeyMap::RightButtonUp),
        -5,
        7,
        int(KeyMap::RightButtonDoubleClick),
        -5,
        7,
        int(KeyMap::MiddleButtonDown),
        3000,
        2000,
        int(KeyMap::MiddleButtonUp),
        3000,
        2000} << QList<int> {241, 1, -5, 7, 241, 0, -5, 7, 242, 1, 3000, 2000, 242, 0, 3000, 2000};
    QTest::newRow("release without press") << QList<int> {up, 0, 0} << QList<int> {240, 0, 0, 0};
    QTest::newRow("wheel and side buttons") << QList<int> {int(KeyMap::MouseWheel),
                                                           0,
                                                           0,
                                                           int(KeyMap::SideButtonDown),
                                                           0,
                                                           0,
                                                           int(KeyMap::SideButtonUp),
                                                           0,
                                                           0,
                                                           int(KeyMap::MouseHorizontalWheel),
                                                           0,
                                                           0,
                                                           0x0200,
                                                           4,
                                                           4}
                                            << QList<int> {};
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

void TestInputHook::ownKeyEvents()
{
    InputHook hook(false, InputCapture::Source::OwnEvents);
    QVERIFY(hook.hooksInstalled());
    Reports seen;
    hook.setKeyboardCallback(onKey, &seen);
    QWindow window;
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
    QCOMPARE(seen.keys, (QList<int> {0x04, 1, 0x04, 0, 0x58, 1, 0x46, 1}));

    // A window passing an event on to an embedded window sends it, not spontaneously.
    QKeyEvent passedOn(QEvent::KeyRelease, Qt::Key_Enter, Qt::KeypadModifier, 104, 0, 0);
    QCoreApplication::sendEvent(&embedded, &passedOn);
    QCOMPARE(seen.keys.size(), 8);

    hook.removeHooks();
    QVERIFY(!hook.hooksInstalled());
    deliver(&window, QEvent::KeyRelease, Qt::NoModifier, 38, false);
    QCOMPARE(seen.keys.size(), 8);
}

void TestInputHook::ownMouseEvents()
{
    InputHook hook(false, InputCapture::Source::OwnEvents);
    Reports seen;
    hook.setMouseCallback(onButton, &seen);
    QWindow window;
    window.setGeometry(100, 50, 200, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QPoint local(30, 40);
    const QPoint global = window.mapToGlobal(local);
    QTest::mouseDClick(&window, Qt::LeftButton, Qt::NoModifier, local);
    QTest::mouseClick(&window, Qt::RightButton, Qt::NoModifier, local);
    QTest::mouseClick(&window, Qt::BackButton, Qt::NoModifier, local);
    QTest::mousePress(&window, Qt::MiddleButton, Qt::NoModifier, local);
    QMouseEvent passedOn(QEvent::MouseButtonRelease, local, global, Qt::MiddleButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &passedOn);
    const int x = global.x();
    const int y = global.y();
    QCOMPARE(seen.buttons, (QList<int> {240, 1, x,   y, 240, 0, x,   y, 240, 1, x,   y, 240, 0,
                                        x,   y, 241, 1, x,   y, 241, 0, x,   y, 242, 1, x,   y}));
}

QTEST_MAIN(TestInputHook)
#include "TestInputHook.moc"
