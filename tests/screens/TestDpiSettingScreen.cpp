// The DPI screen against the virtual mouse: slider arithmetic both ways, the stage-count list, the
// dirty flag, restore, and what Save stores and sends.
#include "DpiEncoding.h"
#include "DpiSettingScreen.h"
#include "MainScreen.h"
#include "ScreenRig.h"
#include "ScreenValues.h"

#include <QTest>

namespace {

const QVariantList Stored {400, 800, 1600, 3200, 4800, 6000, 5000, 250};

// The range of the edge cases: 200-6000 in steps of 50.
void useRange(ScreenRig& rig)
{
    rig.store->setGlobalData("mouse/minDPI", 200);
    rig.store->setGlobalData("mouse/maxDPI", 6000);
    rig.store->setGlobalData("mouse/dpiBase", 50);
}

} // namespace

class TestDpiSettingScreen : public QObject
{
    Q_OBJECT

private slots:
    void dragged_data();
    void dragged();
    void placed_data();
    void placed();
    void nearestValues_data();
    void nearestValues();
    void stageCount_data();
    void stageCount();
    void saveSendsTheSliders();
    void restoreMarksDirtyAndSendsNothing();
};

void TestDpiSettingScreen::dragged_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("dpi");
    // clang-format off
    QTest::newRow("track start")    << 0   << 200;
    QTest::newRow("track end")      << 158 << 6000;
    QTest::newRow("middle")         << 79  << 3100;
    QTest::newRow("before the track") << -20 << 200;
    QTest::newRow("past the track") << 300 << 6000;
    // clang-format on
}

void TestDpiSettingScreen::dragged()
{
    QFETCH(int, position);
    QFETCH(int, dpi);
    ScreenRig rig;
    useRange(rig);
    rig.screens->main()->initUI();
    DpiSettingScreen* screen = rig.screens->dpiSetting();
    screen->dragStage(1, position);
    QCOMPARE(screen->values().at(1), dpi);
    QVERIFY(!screen->isSave());
    screen->releaseStage(1, position);
    QCOMPARE(screen->values().at(1), dpi);
    QVERIFY(screen->isSave());
}

void TestDpiSettingScreen::placed_data()
{
    QTest::addColumn<int>("maxDpi");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("knob");
    // clang-format off
    QTest::newRow("400")                << 6000  << 400   << 6;
    QTest::newRow("between positions")  << 6000  << 3125  << 80;
    QTest::newRow("top")                << 6000  << 6000  << 158;
    QTest::newRow("below range")        << 6000  << 100   << 0;
    // The shipped range has fewer positions than values: 800 and 3200 have none of their own.
    QTest::newRow("shipped 800")        << 12000 << 800   << 8;
    QTest::newRow("shipped 3200")       << 12000 << 3200  << 40;
    QTest::newRow("shipped 12000")      << 12000 << 12000 << 158;
    // clang-format on
}

// A stored value is shown, stored and sent as it is, the knob standing at the nearest position,
// until the user moves its slider.
void TestDpiSettingScreen::placed()
{
    QFETCH(int, maxDpi);
    QFETCH(int, stored);
    QFETCH(int, knob);
    ScreenRig rig;
    useRange(rig);
    rig.store->setGlobalData("mouse/maxDPI", maxDpi);
    QVariantList values = Stored;
    values[0] = stored;
    rig.writeProfile("mouse/dpiValueArray", values);
    rig.writeProfile("mouse/dpiCount", 8);
    rig.screens->main()->initUI();
    DpiSettingScreen* screen = rig.screens->dpiSetting();
    QCOMPARE(screen->knobPositions().at(0).toInt(), knob);
    QCOMPARE(screen->values().at(0), stored);

    // Saving another stage leaves this one as it was, on disk and on the mouse.
    screen->releaseStage(1, 79);
    rig.screens->main()->save();
    QCOMPARE(rig.store->getDataList("mouse/dpiValueArray", false).at(0).toInt(), stored);
    QCOMPARE(rig.v.mouse.state().dpiTable.at(0), char(DpiEncoding::encode(screen->sensorType(), stored).code));
    // A press on the knob that does not move it keeps the value; moving it sets its position's.
    screen->setSave(false);
    screen->releaseStage(0, knob);
    QCOMPARE(screen->values().at(0), stored);
    QVERIFY(!screen->isSave() || DpiSettingScreen::valueAt(knob, 200, maxDpi, 50) == stored);
    screen->dragStage(0, knob + 1);
    screen->releaseStage(0, knob);
    QCOMPARE(screen->values().at(0), DpiSettingScreen::valueAt(knob, 200, maxDpi, 50));
    QVERIFY(screen->isSave());
}

void TestDpiSettingScreen::nearestValues_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QList<int>>("nearest");
    // clang-format off
    QTest::newRow("on the step")  << 800   << QList<int> {800};
    QTest::newRow("lowest")       << 200   << QList<int> {200};
    QTest::newRow("highest")      << 12000 << QList<int> {12000};
    QTest::newRow("off the step") << 825   << QList<int> {800, 850};
    QTest::newRow("below range")  << 150   << QList<int> {200};
    QTest::newRow("above range")  << 99999 << QList<int> {12000};
    QTest::newRow("negative")     << -400  << QList<int> {200};
    // clang-format on
}

// What qx7ctl takes as typed, and what it names instead of a value it refuses.
void TestDpiSettingScreen::nearestValues()
{
    QFETCH(int, value);
    QFETCH(QList<int>, nearest);
    QCOMPARE(DpiSettingScreen::nearestValues(value, 200, 12000, 50), nearest);
}

void TestDpiSettingScreen::stageCount_data()
{
    QTest::addColumn<int>("dpiCount");
    QTest::addColumn<int>("storedInUse");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<int>("inUse");
    // clang-format off
    QTest::newRow("two")                << 2 << 2 << QStringList {"1", "2"}                               << 2;
    QTest::newRow("in use cut to two")  << 2 << 5 << QStringList {"1", "2"}                               << 2;
    QTest::newRow("eight")              << 8 << 5 << QStringList {"1", "2", "3", "4", "5", "6", "7", "8"} << 5;
    // clang-format on
}

void TestDpiSettingScreen::stageCount()
{
    QFETCH(int, dpiCount);
    QFETCH(int, storedInUse);
    QFETCH(QStringList, offered);
    QFETCH(int, inUse);
    ScreenRig rig;
    rig.writeProfile("mouse/dpiCount", dpiCount);
    rig.writeProfile("mouse/currentDpiCount", storedInUse);
    rig.screens->main()->initUI();
    DpiSettingScreen* screen = rig.screens->dpiSetting();
    QCOMPARE(screen->stageCountModel(), offered);
    QCOMPARE(screen->currentDpiCount(), inUse);
    QVERIFY(!screen->isSave());

    // A count the list does not offer changes nothing.
    screen->chooseStageCount(dpiCount + 1);
    QCOMPARE(screen->currentDpiCount(), inUse);
    QVERIFY(!screen->isSave());
    screen->chooseStageCount(1);
    QCOMPARE(screen->currentDpiCount(), 1);
    QVERIFY(screen->isSave());
}

void TestDpiSettingScreen::saveSendsTheSliders()
{
    ScreenRig rig;
    useRange(rig);
    rig.writeProfile("mouse/dpiCount", 8);
    rig.writeProfile("mouse/dpiValueArray", Stored);
    MainScreen* main = rig.screens->main();
    main->initUI();
    DpiSettingScreen* screen = rig.screens->dpiSetting();
    screen->releaseStage(0, 79);
    screen->chooseStageCount(3);
    rig.v.clearLog();
    main->save();

    QCOMPARE(rig.commandCodes(), QStringList {"11"});
    const QList<int> expected {3100, 800, 1600, 3200, 4800, 6000, 5000, 250};
    QCOMPARE(screen->values(), expected);
    QCOMPARE(ScreenValues::intList(rig.store->getDataList("mouse/dpiValueArray", false), QList<int>(8, -1)), expected);
    QCOMPARE(rig.store->getData("mouse/currentDpiCount", false).toInt(), 3);
    // Sensor 3360: value / 100 - 1; stages past the count go as 0x80.
    const VirtualMouse::State mouse = rig.v.mouse.state();
    QCOMPARE(mouse.dpiStageCount, 3);
    QCOMPARE(mouse.dpiTable.left(8).toHex(' '), QByteArray("1e 07 0f 80 80 80 80 80"));
}

void TestDpiSettingScreen::restoreMarksDirtyAndSendsNothing()
{
    // The shipped profile holds the default values.
    ScreenRig shipped;
    shipped.screens->main()->initUI();
    const QList<int> defaults = shipped.screens->dpiSetting()->values();

    ScreenRig rig;
    rig.writeProfile("mouse/dpiValueArray", Stored);
    rig.screens->main()->initUI();
    DpiSettingScreen* screen = rig.screens->dpiSetting();
    QVERIFY(screen->values() != defaults);
    screen->chooseStageCount(2);
    screen->setSave(false);
    rig.v.clearLog();
    screen->restore();
    QCOMPARE(rig.commandCodes(), QStringList {});
    QVERIFY(screen->isSave());
    QCOMPARE(screen->values(), defaults);
    // Restoring keeps the count the user chose.
    QCOMPARE(screen->currentDpiCount(), 2);
}

QTEST_GUILESS_MAIN(TestDpiSettingScreen)
#include "TestDpiSettingScreen.moc"
