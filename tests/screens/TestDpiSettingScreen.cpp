// The DPI screen against the virtual mouse: slider arithmetic both ways, the stage-count list, the
// dirty flag, restore, and what Save stores and sends.
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
    QTest::newRow("track start")    << 3   << 200;
    QTest::newRow("track end")      << 161 << 6000;
    QTest::newRow("middle")         << 82  << 3100;
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
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("knob");
    QTest::addColumn<int>("shown");
    // clang-format off
    QTest::newRow("400")          << 400  << 9   << 400;
    QTest::newRow("read back")    << 3125 << 83  << 3100;
    QTest::newRow("top")          << 6000 << 161 << 6000;
    QTest::newRow("below range")  << 100  << 3   << 200;
    // clang-format on
}

void TestDpiSettingScreen::placed()
{
    QFETCH(int, stored);
    QFETCH(int, knob);
    QFETCH(int, shown);
    ScreenRig rig;
    useRange(rig);
    QVariantList values = Stored;
    values[0] = stored;
    rig.writeProfile("mouse/dpiValueArray", values);
    rig.screens->main()->initUI();
    const DpiSettingScreen* screen = rig.screens->dpiSetting();
    QCOMPARE(screen->knobPositions().at(0).toInt(), knob);
    QCOMPARE(screen->values().at(0), shown);
    // The knob gives the shown value back, so saving changes nothing more.
    QCOMPARE(DpiSettingScreen::valueAt(knob, 200, 6000, 50), shown);
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
    screen->releaseStage(0, 82);
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
