// A new user's first hour with the program, through the real scene against the virtual mouse:
// clicks at the items' positions, keys typed into a private X server for the macro recording, the
// desktop's pointer settings in a private GSettings keyfile. Every expected value follows from what
// the user puts in and from the shipped defaults.
#include "InputHook.h"
#include "KeyAssigmentScreen.h"
#include "KeyCapture.h"
#include "KeyfileSettings.h"
#include "MacroEditorScreen.h"
#include "PointerSettingsLinux.h"
#include "PrivateXServer.h"
#include "SceneRig.h"
#include "ScreenRig.h"

#include <QFile>
#include <QQuickItem>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int KeyA = 0x04;
constexpr int KeyB = 0x05;
// The fourth button's entry, which is also the macro slot its macro goes to.
constexpr int Button4 = 3;

// The shipped stages as their knobs read them back (200-12000 in steps of 50 over 158 pixels),
// and the value of knob position 120.
const QList<int> ShippedDpi {400, 850, 1600, 3250, 4800, 6450, 8000, 12000};
constexpr int DpiAtKnob120 = 8900;

// Byte positions in the 560 mouse's on-board profile images.
constexpr int ImageColours = 24; // image 0: eight colours of a colourful mouse
constexpr int ImageGunFlags = 65;
constexpr int ImageLight = 71; // effect code, brightness, speed
constexpr int ImageGun = 78;   // left-button code, repeat count, X, Y
constexpr int ImageDpiCodes = 84;
constexpr int ImageStageMask = 100;
constexpr int GunAutoFlag = 0x04;

// What one profile puts on the mouse.
struct ProfileOnMouse
{
    QByteArray button4; // device record
    QList<int> dpi;     // the eight stages
    int stagesInUse = 0;
    QByteArray light; // effect code, brightness value, speed value
    QList<int> colours;
};

QByteArray byteList(const QList<int>& values)
{
    QByteArray out;
    for (int value : values) {
        out.append(char(value));
    }
    return out;
}

QList<int> intList(const QVariant& stored)
{
    QList<int> values;
    for (const QString& text : stored.toStringList()) {
        values << text.trimmed().toInt();
    }
    return values;
}

// What a file holds on disk, read from a copy, so that no settings object of the program answers
// from memory.
QVariant onDisk(const QString& path, const QString& key)
{
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("copy.ini"));
    if (!QFile::copy(path, copy)) {
        return {};
    }
    return QSettings(copy, QSettings::IniFormat).value(key);
}

// The scene with the program's key capture, as the program wires it at start.
struct FirstHourRig
{
    FirstHourRig()
        : hook(false, InputCapture::Source::Desktop, InputHook::Installation::OnDemand)
        , capture(hook)
    {
        hook.setKeyboardCallback(Widget::onHookKeyboard, scene.widget.get());
        scene.screens()->setCapture(&capture);
        // The recording's pauses are the ticks the test lets pass.
        scene.screens()->macroEditor()->setClock(&clock);
    }
    ~FirstHourRig()
    {
        scene.screens()->setCapture(nullptr);
        hook.removeHooks();
    }

    ManualClock clock;
    SceneRig scene {QStringLiteral("560")};
    InputHook hook;
    KeyCapture capture;
};

} // namespace

class TestFirstHour : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void firstHour();

private:
    void checkMouse(const VirtualMouse::State& mouse, const ProfileOnMouse& profile);
    double desktopValue(const char* key) const;

    KeyfileSettings m_desktop;
    PrivateXServer m_server;
};

void TestFirstHour::initTestCase()
{
    SceneWarnings::install();
    QVERIFY(m_desktop.start());
    if (!PointerSettingsLinux().available()) {
        QSKIP("gsettings-desktop-schemas is not installed");
    }
    if (!PrivateXServer::available()) {
        QSKIP("Xvfb or xdotool is not installed");
    }
    const QString failure = m_server.start();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestFirstHour::init()
{
    SceneWarnings::clear();
}

void TestFirstHour::cleanup()
{
    const QStringList warnings = SceneWarnings::take();
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
}

double TestFirstHour::desktopValue(const char* key) const
{
    bool number = false;
    const double value
        = m_desktop.value(QString::fromLatin1(KeyfileSettings::MouseGroup), QString::fromLatin1(key)).toDouble(&number);
    return number ? value : qQNaN();
}

void TestFirstHour::checkMouse(const VirtualMouse::State& mouse, const ProfileOnMouse& profile)
{
    QCOMPARE(mouse.keyMatrices.value(1).mid(4 * Button4, 4).toHex(' '), profile.button4.toHex(' '));
    QList<int> codes;
    for (int dpi : profile.dpi) {
        codes << dpi / 100 - 1;
    }
    QByteArray dpiBytes = byteList(codes + codes);
    dpiBytes.append(char((1 << profile.stagesInUse) - 1));
    // DPI and light go to profiles 1-4 alike, the colours of a colourful mouse to profile 0.
    for (int image = 1; image <= 4; ++image) {
        const QByteArray bytes = mouse.profileImages.value(image);
        QCOMPARE(bytes.mid(ImageDpiCodes, ImageStageMask + 1 - ImageDpiCodes).toHex(' '), dpiBytes.toHex(' '));
        QCOMPARE(bytes.mid(ImageLight, 3).toHex(' '), profile.light.toHex(' '));
    }
    QCOMPARE(mouse.profileImages.value(0).mid(ImageColours, 24).toHex(' '), byteList(profile.colours).toHex(' '));
}

void TestFirstHour::firstHour()
{
    FirstHourRig r;
    SceneRig& scene = r.scene;
    MacroEditorScreen* editor = scene.screens()->macroEditor();
    QVERIFY(scene.settle());
    // A dialog is made the first time it opens.
    const auto open = [&](QQuickItem* button, const char* dialog) {
        return scene.click(button) && QTest::qWaitFor([&scene, dialog] {
                   const QQuickItem* shown = scene.item(dialog);
                   return shown && shown->isVisible();
               });
    };
    const auto close = [&](const char* dialog) {
        QQuickItem* shown = scene.item(dialog);
        return scene.click(scene.item(dialog, "dialogClose"))
               && QTest::qWaitFor([shown] { return !shown->isVisible(); }) && scene.settle();
    };
    // A press beside a slider's knob moves the knob's middle under the pointer; the release takes it.
    const auto knobAt = [&](QQuickItem* slider, int position) {
        return scene.clickAt(slider, QPointF(position + 6, slider ? slider->height() / 2 : 0))
               && QTest::qWaitFor([slider, position] { return slider->property("position").toInt() == position; });
    };

    // The shipped defaults that every new profile starts from.
    const QString defaults = TempModules::shippedPath(QStringLiteral("modules/setting/pD.bin"));
    const QList<int> defaultColours = intList(onDisk(defaults, QStringLiteral("mouse/colorValue")));
    QCOMPARE(defaultColours.size(), 24);
    // "Static" at full brightness: effect code 1, brightness 0xFF, no speed.
    const ProfileOnMouse standard {QByteArray::fromHex("0100f400"),
                                   ShippedDpi,
                                   onDisk(defaults, QStringLiteral("mouse/currentDpiCount")).toInt(),
                                   QByteArray::fromHex("01ff00"),
                                   defaultColours};

    // Button 4 gets a new macro: the assignment dialog's macro group opens the macro editor.
    QVERIFY(open(scene.item(QStringLiteral("keyRow%1").arg(Button4)), "keyAssigment"));
    QVERIFY(scene.click(scene.item("keyAssigment", QStringLiteral("group%1").arg(KeyAssigmentScreen::MacroGroup))));
    QVERIFY(open(scene.item("keyAssigment", "macroEditorButton"), "macroEditor"));
    QVERIFY(scene.click(scene.item("macroEditor", "macroNew")));
    // The shipped library has Macro_0 and Macro_1.
    QTRY_COMPARE(editor->macroNames().value(2), QStringLiteral("Macro_2"));
    QVERIFY(close("macroEditor"));
    QVERIFY(scene.choose(scene.item("keyAssigment", "macroList"), 2));
    QVERIFY(close("keyAssigment"));

    // ...and records it: A held for 120 ms, then 300 ms later B tapped.
    QVERIFY(open(scene.item("macroEditorButton"), "macroEditor"));
    QVERIFY(scene.click(scene.item("macroEditor", "macroRow2")));
    QVERIFY(scene.click(scene.item("macroEditor", "macroDelay")));
    QTRY_VERIFY(editor->recordDelay());
    QVERIFY(scene.click(scene.item("macroEditor", "macroRecord")));
    QTRY_VERIFY(r.hook.hooksInstalled());
    QVERIFY(PrivateXServer::xdotool(QStringLiteral("keydown a")));
    QTRY_COMPARE(editor->actions().size(), 1);
    r.clock.advance(12);
    QVERIFY(PrivateXServer::xdotool(QStringLiteral("keyup a")));
    QTRY_COMPARE(editor->actions().size(), 3);
    r.clock.advance(30);
    QVERIFY(PrivateXServer::xdotool(QStringLiteral("key b")));
    QTRY_COMPARE(editor->actions().size(), 7);
    QVERIFY(scene.click(scene.item("macroEditor", "macroRecord")));
    QTRY_VERIFY(!r.hook.hooksInstalled());
    QVERIFY(close("macroEditor"));
    // Count 1; each key with the pause after it in 10 ms units, bit 7 on a release, a pause of 0
    // written as 1 and the last pair ending with 1; then the end pair.
    QByteArray macroBlock = byteList({0, 1, 12, KeyA, 0x80 | 30, KeyA, 1, KeyB, 0x80 | 1, KeyB, 0, 0});
    macroBlock.resize(128, '\0');
    // The recording reached the button's slot, counted from 1 on the mouse.
    QCOMPARE(scene.mouse.state().macros.value(Button4 + 1).toHex(' '), macroBlock.toHex(' '));

    // Six DPI stages, the second one dragged to knob position 120.
    QVERIFY(scene.choose(scene.item("dpiStageCount"), 5));
    QVERIFY(knobAt(scene.item("dpiSlider1"), 120));
    ProfileOnMouse mine = standard;
    // A macro record in the device's numbering carries its slot counted from 1.
    mine.button4 = byteList({0x09, 0, Button4 + 1, 0});
    mine.dpi[1] = DpiAtKnob120;
    mine.stagesInUse = 6;

    // "Wave" at speed 2 and brightness 3 of 4, colour 1 typed in.
    QVERIFY(scene.choose(scene.item("lightModeList"), 5));
    // Levels 0-4 lie evenly along the knob's travel, from a quarter knob after the start to a knob
    // and a quarter before the end.
    const auto level = [&](const char* name, int level) {
        QQuickItem* slider = scene.item(name);
        const int travel = slider ? int(slider->width()) - 15 - 3 : 0;
        return knobAt(slider, 3 + level * travel / 4);
    };
    QVERIFY(level("lightSpeed", 2));
    QVERIFY(level("lightBrightness", 3));
    const QList<int> colour1 {18, 52, 86};
    QVERIFY(scene.type(scene.item("lightRedField"), QString::number(colour1[0])));
    QVERIFY(scene.type(scene.item("lightGreenField"), QString::number(colour1[1])));
    QVERIFY(scene.type(scene.item("lightBlueField"), QString::number(colour1[2])));
    // Wave is effect 5; brightness 0x40 per step; speed from Wave's row 10, 7, 5, 3, 1.
    mine.light = byteList({5, 3 * 0x40, 5});
    mine.colours = colour1 + defaultColours.mid(3);

    QVERIFY(scene.click(scene.item("saveButton")));
    QVERIFY(scene.settle());
    checkMouse(scene.mouse.state(), mine);
    if (QTest::currentTestFailed()) {
        return;
    }

    // A second profile, and over to it.
    QVERIFY(open(scene.item("configButton"), "profile"));
    QVERIFY(scene.click(scene.item("profile", "profileNew")));
    QTRY_COMPARE(scene.item("profile", "profileEntries")->property("count").toInt(), 2);
    QVERIFY(close("profile"));
    QVERIFY(scene.choose(scene.item("profileList"), 1));
    QVERIFY(scene.settle());

    // Preset 5 (UNP9) for gun slot 2: correction marker 47 px down, rate knob at 26, 7 shots. Shown
    // again, the knob stays where the label reads the period taken.
    QVERIFY(open(scene.item("gunEditorButton"), "gunControl"));
    QVERIFY(scene.choose(scene.item("gunControl", "gunSlotList"), 1));
    QVERIFY(scene.click(scene.item("gunControl", "gunPreset4")));
    // The marker's track starts 5 px into its area.
    QVERIFY(scene.clickAt(scene.item("gunControl", "gunMarkerTrack"), QPointF(20, 5 + 47)));
    QVERIFY(knobAt(scene.item("gunControl", "gunRate"), 26));
    QCOMPARE(scene.item("gunControl", "gunRateLabel")->property("text").toString(), QStringLiteral("27MS"));
    QVERIFY(scene.type(scene.item("gunControl", "gunTimes"), QStringLiteral("7")));
    QVERIFY(close("gunControl"));
    // 94 px of marker span Y 0-64; the period is the knob position plus 1.
    const int gunY = 47 * 64 / 94;
    const int gunPeriod = 27;

    // The pointer speed, on the slider's position 300.
    QVERIFY(open(scene.item("systemSettingButton"), "systemSetting"));
    QVERIFY(knobAt(scene.item("systemSetting", "speedSlider"), 300));
    QVERIFY(close("systemSetting"));

    // The mouse holds the new profile's defaults, the macro still in its slot and the gun slots:
    // slot n in profile image n + 1, slots 1 and 3 on their shipped presets.
    VirtualMouse::State mouse = scene.mouse.state();
    checkMouse(mouse, standard);
    if (QTest::currentTestFailed()) {
        return;
    }
    QCOMPARE(mouse.macros.value(Button4 + 1).toHex(' '), macroBlock.toHex(' '));
    const QByteArray shippedSlot = byteList({0xF0, 0, 0, 10});
    QCOMPARE(mouse.profileImages.value(2).mid(ImageGun, 4).toHex(' '), shippedSlot.toHex(' '));
    QCOMPARE(mouse.profileImages.value(3).mid(ImageGun, 4).toHex(' '), byteList({0xF0, 7, 0, gunY}).toHex(' '));
    QCOMPARE(mouse.profileImages.value(4).mid(ImageGun, 4).toHex(' '), shippedSlot.toHex(' '));
    QCOMPARE(mouse.profileImages.value(3).at(ImageGunFlags) & GunAutoFlag, 0);

    // The desktop: this profile's speed (position 300 is level 9, GNOME's 0.8); both profiles'
    // double-click position 170 is level 5, 550 ms.
    QVERIFY(qAbs(desktopValue("speed") - 0.8) < 1e-9);
    QCOMPARE(desktopValue("double-click"), 550.0);

    // The gun period is kept only on disk; that the screens store the rest, each where it belongs, is
    // their own tests' (the macro and its button, the profile list, the slider positions).
    QCOMPARE(onDisk(scene.modules.path("modules/gun/gunData.bin"), "gunData/4").toStringList(),
             (QStringList {"UNP9", "L-Click", QString::number(gunPeriod), "0", QString::number(gunY), "7"}));

    // Back to the first profile: its values return to the mouse and the desktop.
    QVERIFY(scene.choose(scene.item("profileList"), 0));
    QVERIFY(scene.settle());
    mouse = scene.mouse.state();
    checkMouse(mouse, mine);
    QCOMPARE(mouse.profileImages.value(3).mid(ImageGun, 4).toHex(' '), byteList({0xF0, 7, 0, gunY}).toHex(' '));
    // Position 170 is level 5, GNOME's middle.
    QCOMPARE(desktopValue("speed"), 0.0);
}

QTEST_MAIN(TestFirstHour)
#include "TestFirstHour.moc"
