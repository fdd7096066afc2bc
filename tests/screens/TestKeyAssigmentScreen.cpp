// The assignment dialog: what each group assigns, the two key captures, the fire fields, and what
// closing and restoring commit.
#include "KeyAssigmentScreen.h"
#include "KeyMatrixScreen.h"
#include "MacroEditorScreen.h"
#include "MainScreen.h"
#include "ScreenRig.h"

#include <QTest>

namespace {

struct Dialog
{
    explicit Dialog(int button = 1)
    {
        rig.screens->main()->readFlags();
        rig.screens->main()->initScreens();
        screen = rig.screens->keyAssigment();
        opened = screen->openButton(button);
    }
    KeyMatrixScreen* keys() const { return rig.screens->keyMatrix(); }

    ScreenRig rig;
    KeyAssigmentScreen* screen = nullptr;
    bool opened = false;
};

// Key events as (usage, pressed) pairs.
using Events = QList<QPair<int, bool>>;

constexpr int KeyA = 0x04;
constexpr int KeyB = 0x05;
constexpr int KeyC = 0x06;
constexpr int LCtrl = 0xE0;
constexpr int LShift = 0xE1;
constexpr int RAlt = 0xE6;

} // namespace

class TestKeyAssigmentScreen : public QObject
{
    Q_OBJECT

private slots:
    void fixedChoices_data();
    void fixedChoices();
    void fireCaptureTakesTheFirstEvent_data();
    void fireCaptureTakesTheFirstEvent();
    void fireFields_data();
    void fireFields();
    void storedFireRecordShownAsStored_data();
    void storedFireRecordShownAsStored();
    void combinationCapture_data();
    void combinationCapture();
    void closingCommitsOnlyAChange_data();
    void closingCommitsOnlyAChange();
    void macroRecordSendsAndBindsTheMacro();
    void macroEditorChangesFollowed_data();
    void macroEditorChangesFollowed();
    void dialogRestore();
    void everyGroupReachesTheMouse_data();
    void everyGroupReachesTheMouse();
};

void TestKeyAssigmentScreen::fixedChoices_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selected"); // the group's radio button or grid entry shown as chosen
    const int mouse = KeyAssigmentScreen::MouseGroup;
    const int media = KeyAssigmentScreen::MediaGroup;
    const int windows = KeyAssigmentScreen::WindowsGroup;
    const int shortcut = KeyAssigmentScreen::ShortcutGroup;
    const int dpi = KeyAssigmentScreen::DpiGroup;
    const int gun = KeyAssigmentScreen::GunGroup;
    // clang-format off
    QTest::newRow("mouse last")     << mouse << 5 << "00f01e02" << "Double Fire" << 5;
    QTest::newRow("media first")    << media << 0 << "03008301" << "Player" << 0;
    QTest::newRow("media last")     << media << 7 << "0300ea00" << "Volume-" << 7;
    QTest::newRow("windows last")   << windows << 6 << "0600e315" << "Run" << 6;
    QTest::newRow("shortcut last")  << shortcut << 9 << "0700e004" << "Select All" << 9;
    QTest::newRow("sniper")         << dpi << 3 << "05000400" << "Sniper Key" << 3;
    QTest::newRow("gun last")       << gun << 2 << "08000300" << "Three Gun" << 2;
    QTest::newRow("past the end")   << gun << 3 << "0000f100" << "Right Key" << -1;
    QTest::newRow("no fixed ones")  << int(KeyAssigmentScreen::FireGroup) << 0 << "0000f100" << "Right Key" << -1;
    // clang-format on
}

void TestKeyAssigmentScreen::fixedChoices()
{
    QFETCH(int, group);
    QFETCH(int, index);
    QFETCH(QString, record);
    QFETCH(QString, text);
    QFETCH(int, selected);
    Dialog d;
    QVERIFY(d.opened);
    d.screen->choose(group, index);
    QCOMPARE(d.screen->keyCode(), record);
    QCOMPARE(d.screen->text(), text);
    QCOMPARE(d.screen->title(), "Key 2 : " + text);
    QCOMPARE(d.screen->choiceIndexes().value(group).toInt(), selected);
}

void TestKeyAssigmentScreen::fireCaptureTakesTheFirstEvent_data()
{
    QTest::addColumn<Events>("events");
    QTest::addColumn<QString>("record");
    // clang-format off
    QTest::newRow("press")            << Events {{KeyB, true}, {KeyC, true}} << "01050a00";
    QTest::newRow("release")          << Events {{KeyA, false}, {KeyB, true}} << "01040a00";
    QTest::newRow("modifier release") << Events {{RAlt, false}} << "01e60a00";
    // clang-format on
}

void TestKeyAssigmentScreen::fireCaptureTakesTheFirstEvent()
{
    QFETCH(Events, events);
    QFETCH(QString, record);
    Dialog d;
    d.screen->startFireCapture();
    QCOMPARE(d.rig.captureCalls, QList<bool> {true});
    for (const auto& event : events) {
        d.rig.screens->main()->routeKeyboard(event.second, event.first);
    }
    QCOMPARE(d.screen->keyCode(), record);
    QCOMPARE(d.screen->fireText(), d.rig.screens->keyLabels().label(rec(record).param1()));
    // One event and the desktop is no longer read.
    QCOMPARE(d.rig.captureCalls, (QList<bool> {true, false}));
    QCOMPARE(d.screen->capture(), int(KeyAssigmentScreen::NoCapture));
}

void TestKeyAssigmentScreen::fireFields_data()
{
    QTest::addColumn<QVariantList>("position"); // slider moves, if any
    QTest::addColumn<QString>("times");
    QTest::addColumn<bool>("endless");
    QTest::addColumn<QString>("rateText");
    QTest::addColumn<QString>("record");
    // clang-format off
    QTest::newRow("untouched")          << QVariantList {} << "0" << false << "10ms" << "01040a00";
    QTest::newRow("knob at the start")  << QVariantList {0} << "7" << false << "4MS" << "01040407";
    QTest::newRow("knob at the end")    << QVariantList {76} << "255" << false << "80MS" << "010450ff";
    QTest::newRow("past both ends")     << QVariantList {-3, 120} << "300" << false << "80MS" << "010450ff";
    QTest::newRow("endless wins")       << QVariantList {37} << "12" << true << "41MS" << "01042900";
    QTest::newRow("times not a number") << QVariantList {} << "x" << false << "10ms" << "01040a00";
    // clang-format on
}

void TestKeyAssigmentScreen::fireFields()
{
    QFETCH(QVariantList, position);
    QFETCH(QString, times);
    QFETCH(bool, endless);
    QFETCH(QString, rateText);
    QFETCH(QString, record);
    Dialog d;
    d.screen->startFireCapture();
    d.rig.screens->main()->routeKeyboard(true, KeyA);
    // The fields change the fire record already in the dialog.
    for (const QVariant& p : position) {
        d.screen->setRatePosition(p.toInt());
    }
    d.screen->setTimesText(times);
    d.screen->setEndless(endless);
    QCOMPARE(d.screen->rateText(), rateText);
    QCOMPARE(d.screen->keyCode(), record);
    // A record captured after the fields were set takes them too.
    d.screen->startFireCapture();
    d.rig.screens->main()->routeKeyboard(false, KeyA);
    QCOMPARE(d.screen->keyCode(), record);
}

void TestKeyAssigmentScreen::storedFireRecordShownAsStored_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<bool>("endless");
    QTest::addColumn<QString>("rateText");
    QTest::addColumn<int>("knob");
    QTest::addColumn<int>("times");
    // clang-format off
    QTest::newRow("times 0 is endless")   << "01040a00" << true  << "10MS"  << 6  << 0;
    QTest::newRow("in range")             << "01042907" << false << "41MS"  << 37 << 7;
    QTest::newRow("interval below range") << "01040205" << false << "2MS"   << 0  << 5;
    QTest::newRow("interval above range") << "0104c803" << false << "200MS" << 76 << 3;
    // clang-format on
}

void TestKeyAssigmentScreen::storedFireRecordShownAsStored()
{
    QFETCH(QString, record);
    QFETCH(bool, endless);
    QFETCH(QString, rateText);
    QFETCH(int, knob);
    QFETCH(int, times);
    Dialog d;
    d.keys()->commit(2, rec(record), QString());
    QVERIFY(d.screen->openButton(2));
    QCOMPARE(d.screen->endless(), endless);
    QCOMPARE(d.screen->rateText(), rateText);
    QCOMPARE(d.screen->ratePosition(), knob);
    QCOMPARE(d.screen->times(), times);
    // Opened and closed untouched, the record stays as it was.
    d.screen->close();
    QCOMPARE(d.keys()->record(2), rec(record));
}

void TestKeyAssigmentScreen::combinationCapture_data()
{
    QTest::addColumn<Events>("events");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("record");
    // clang-format off
    QTest::newRow("modifier and key") << Events {{LCtrl, true}, {KeyA, true}, {KeyA, false}, {LCtrl, false}}
                                      << "LCtrl + A" << "02010400";
    QTest::newRow("third key ignored, modifiers still added")
        << Events {{KeyA, true}, {KeyB, true}, {KeyC, true}, {LShift, true}, {RAlt, true}}
        << "A + B + LShift + RAlt" << "02420405";
    QTest::newRow("a key twice")      << Events {{KeyA, true}, {KeyA, false}, {KeyA, true}, {LCtrl, true}, {LCtrl, true}}
                                      << "A + LCtrl" << "02010400";
    QTest::newRow("releases only")    << Events {{KeyA, false}, {LCtrl, false}} << "" << "0000f100";
    // clang-format on
}

void TestKeyAssigmentScreen::combinationCapture()
{
    QFETCH(Events, events);
    QFETCH(QString, shown);
    QFETCH(QString, record);
    Dialog d;
    d.screen->startCombinationCapture();
    for (const auto& event : events) {
        d.rig.screens->main()->routeKeyboard(event.second, event.first);
    }
    QCOMPARE(d.screen->groupText(), shown);
    // Nothing is assigned until confirmed; confirming with nothing captured changes nothing.
    QCOMPARE(d.screen->keyCode(), QStringLiteral("0000f100"));
    QCOMPARE(d.screen->capture(), int(KeyAssigmentScreen::CombinationCapture));
    d.screen->confirmCombination();
    QCOMPARE(d.screen->keyCode(), record);
    QCOMPARE(d.rig.captureCalls, (QList<bool> {true, false}));
    d.screen->clearCombination();
    QCOMPARE(d.screen->groupText(), QStringLiteral("Click Input"));
    QCOMPARE(d.screen->keyCode(), record);
}

void TestKeyAssigmentScreen::closingCommitsOnlyAChange_data()
{
    QTest::addColumn<bool>("dirtyBefore");
    QTest::addColumn<QString>("choice"); // "" for none, "same" for the button's own function
    QTest::addColumn<bool>("dirtyAfter");
    // clang-format off
    QTest::newRow("nothing, clean")      << false << "" << false;
    QTest::newRow("nothing, dirty")      << true << "" << true;
    QTest::newRow("same choice, clean")  << false << "same" << false;
    QTest::newRow("same choice, dirty")  << true << "same" << true;
    QTest::newRow("another choice")      << false << "other" << true;
    // clang-format on
}

void TestKeyAssigmentScreen::closingCommitsOnlyAChange()
{
    QFETCH(bool, dirtyBefore);
    QFETCH(QString, choice);
    QFETCH(bool, dirtyAfter);
    Dialog d;
    d.keys()->setSave(dirtyBefore);
    if (choice == "same") {
        d.screen->choose(KeyAssigmentScreen::MouseGroup, 2);
    } else if (choice == "other") {
        d.screen->choose(KeyAssigmentScreen::GunGroup, 0);
    }
    d.screen->close();
    QCOMPARE(d.keys()->isSave(), dirtyAfter);
    QCOMPARE(d.keys()->record(1), rec(choice == "other" ? "08000100" : "0000f100"));
    QCOMPARE(d.keys()->selectKey(), -1);
    QVERIFY(d.rig.v.log.isEmpty());
}

void TestKeyAssigmentScreen::macroRecordSendsAndBindsTheMacro()
{
    Dialog d(3);
    MacroEditorScreen* macros = d.rig.screens->macroEditor();
    QCOMPARE(macros->macroNames(), (QStringList {"Macro_0", "Macro_1"}));
    d.screen->setMacroMode(2);
    d.screen->chooseMacro(1);
    d.screen->setMacroMode(1);
    QCOMPARE(d.screen->keyCode(), QStringLiteral("04010300"));
    QCOMPARE(d.screen->macroChoice(), 1);
    d.screen->close();
    QVERIFY(d.keys()->isSave());
    QCOMPARE(d.keys()->text(3), QStringLiteral("Macro_1"));
    QCOMPARE(d.rig.store->getData("mouseMacroKey/3", false).toString(), QStringLiteral("Macro_1"));
    // The blocks are what the macro editor sends for that macro, in slot 4 on the wire.
    const QByteArray sent = d.rig.v.mouse.state().macros.value(4);
    QVERIFY(!sent.isEmpty());
    ScreenRig reference;
    reference.screens->main()->readFlags();
    reference.screens->main()->initScreens();
    QVERIFY(reference.screens->macroEditor()->sendMacro(3, "Macro_1"));
    QCOMPARE(sent, reference.v.mouse.state().macros.value(4));

    // Another macro on the same button: the record stays, the new macro and name go out.
    QVERIFY(d.screen->openButton(3));
    d.keys()->setSave(false);
    d.screen->chooseMacro(0);
    d.screen->close();
    QVERIFY(!d.keys()->isSave());
    QCOMPARE(d.keys()->text(3), QStringLiteral("Macro_0"));
    QCOMPARE(d.rig.store->getData("mouseMacroKey/3", false).toString(), QStringLiteral("Macro_0"));
    QVERIFY(d.rig.v.mouse.state().macros.value(4) != sent);
}

void TestKeyAssigmentScreen::macroEditorChangesFollowed_data()
{
    QTest::addColumn<bool>("boundBefore"); // button 4 runs Macro_1 before the dialog opens
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("record"); // what button 4 does after the dialog closed
    QTest::addColumn<QString>("text");
    // clang-format off
    QTest::newRow("chosen, renamed")         << false << "rename" << "04000300" << "Greet";
    QTest::newRow("bound, renamed")          << true  << "rename" << "04000300" << "Greet";
    QTest::newRow("chosen, deleted")         << false << "delete" << "0000f400" << "Forward Key";
    QTest::newRow("bound, deleted")          << true  << "delete" << "0000f400" << "Forward Key";
    QTest::newRow("chosen, file gone")       << false << "file"   << "0000f400" << "Forward Key";
    // clang-format on
}

void TestKeyAssigmentScreen::macroEditorChangesFollowed()
{
    QFETCH(bool, boundBefore);
    QFETCH(QString, change);
    QFETCH(QString, record);
    QFETCH(QString, text);
    Dialog d(3);
    MacroEditorScreen* editor = d.rig.screens->macroEditor();
    QCOMPARE(d.keys()->record(3), rec("0000f400"));
    // Macro_1 as it reaches the mouse, in a slot no button uses here.
    QVERIFY(editor->sendMacro(9, QStringLiteral("Macro_1")));
    const QByteArray macro1 = d.rig.v.mouse.state().macros.value(10);
    if (boundBefore) {
        d.screen->chooseMacro(1);
        d.screen->close();
        QVERIFY(d.screen->openButton(3));
    }
    d.screen->chooseMacro(1);
    const QMap<int, QByteArray> macrosBefore = d.rig.v.mouse.state().macros;
    // From the dialog's macro editor.
    if (change == QLatin1String("rename")) {
        QVERIFY(editor->renameMacro(1, QStringLiteral("Greet")));
    } else if (change == QLatin1String("delete")) {
        editor->removeMacro(1);
    } else {
        QVERIFY(d.rig.macros->deleteMacroIni(QStringLiteral("Macro_1")).toBool());
    }
    if (change != QLatin1String("file")) {
        QCOMPARE(d.screen->macroChoice(), editor->macroNames().indexOf(text));
    }
    d.screen->close();

    QCOMPARE(d.keys()->record(3), rec(record));
    QCOMPARE(d.keys()->text(3), text);
    if (d.keys()->record(3).type() == ButtonFunction::Macro) {
        QVERIFY(d.rig.macros->macroExists(d.rig.store->getData("mouseMacroKey/3", false).toString()));
    }
    // The macro's slot holds a macro of the library, never an empty one.
    const QByteArray slot = d.rig.v.mouse.state().macros.value(4);
    if (change == QLatin1String("rename")) {
        QCOMPARE(slot, macro1);
    } else {
        QCOMPARE(slot, macrosBefore.value(4));
    }
}

void TestKeyAssigmentScreen::dialogRestore()
{
    Dialog d;
    d.screen->restore();
    QVERIFY(!d.keys()->isSave());
    d.screen->choose(KeyAssigmentScreen::MediaGroup, 4);
    d.screen->close();
    d.keys()->setSave(false);
    QVERIFY(d.screen->openButton(1));
    QCOMPARE(d.screen->text(), QStringLiteral("Mute"));
    d.screen->restore();
    QCOMPARE(d.screen->keyCode(), QStringLiteral("0000f100"));
    QCOMPARE(d.keys()->record(1), rec("0000f100"));
    QVERIFY(d.keys()->isSave());
}

void TestKeyAssigmentScreen::everyGroupReachesTheMouse_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<QVariantList>("input");
    QTest::addColumn<QByteArray>("device"); // entry 1 of the matrix the mouse keeps
    // clang-format off
    QTest::newRow("mouse")       << int(KeyAssigmentScreen::MouseGroup) << QVariantList {4} << QByteArray::fromHex("0100f300");
    // These fixed choices are checked nowhere else.
    QTest::newRow("windows")     << int(KeyAssigmentScreen::WindowsGroup) << QVariantList {0} << QByteArray::fromHex("00009401");
    QTest::newRow("shortcut")    << int(KeyAssigmentScreen::ShortcutGroup) << QVariantList {2} << QByteArray::fromHex("0000e006");
    QTest::newRow("dpi")         << int(KeyAssigmentScreen::DpiGroup) << QVariantList {1} << QByteArray::fromHex("07000200");
    QTest::newRow("gun")         << int(KeyAssigmentScreen::GunGroup) << QVariantList {1} << QByteArray::fromHex("08000200");
    // Key C, knob at 20 (21 ms), 3 times.
    QTest::newRow("fire")        << int(KeyAssigmentScreen::FireGroup) << QVariantList {KeyC, 17, 3} << QByteArray::fromHex("0a061503");
    QTest::newRow("combination") << int(KeyAssigmentScreen::CombinationGroup) << QVariantList {LCtrl, KeyA} << QByteArray::fromHex("00010400");
    // Macro_0 repeated while held, in the slot of button 2, counted from 1 on the wire.
    QTest::newRow("macro")       << int(KeyAssigmentScreen::MacroGroup) << QVariantList {0, 2} << QByteArray::fromHex("09020200");
    // clang-format on
}

void TestKeyAssigmentScreen::everyGroupReachesTheMouse()
{
    QFETCH(int, group);
    QFETCH(QVariantList, input);
    QFETCH(QByteArray, device);
    Dialog d;
    MainScreen* main = d.rig.screens->main();
    switch (group) {
        case KeyAssigmentScreen::FireGroup:
            d.screen->setRatePosition(input.at(1).toInt());
            d.screen->setTimes(input.at(2).toInt());
            d.screen->startFireCapture();
            main->routeKeyboard(true, input.at(0).toInt());
            break;
        case KeyAssigmentScreen::CombinationGroup:
            d.screen->startCombinationCapture();
            for (const QVariant& key : input) {
                main->routeKeyboard(true, key.toInt());
            }
            d.screen->confirmCombination();
            break;
        case KeyAssigmentScreen::MacroGroup:
            d.screen->setMacroMode(input.at(1).toInt());
            d.screen->chooseMacro(input.at(0).toInt());
            break;
        default:
            d.screen->choose(group, input.at(0).toInt());
    }
    d.screen->close();
    QVERIFY(d.rig.v.mouse.state().keyMatrices.isEmpty());
    main->save();
    QCOMPARE(d.rig.v.mouse.state().keyMatrices.value(1).mid(4, 4), device);
}

QTEST_GUILESS_MAIN(TestKeyAssigmentScreen)
#include "TestKeyAssigmentScreen.moc"
