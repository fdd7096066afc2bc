// The lighting screen against the virtual mouse: the mode table, the colour blocks, the hue bar and
// number fields, the colour-8 rule of the sensor variant, and the mode list's extension.
#include "DpiSettingScreen.h"
#include "LightControlScreen.h"
#include "MainScreen.h"
#include "ScreenRig.h"

#include <QTest>

class TestLightControlScreen : public QObject
{
    Q_OBJECT

private slots:
    void modeTable_data();
    void modeTable();
    void colorBlocks_data();
    void colorBlocks();
    void hueBar_data();
    void hueBar();
    void numberFieldsMoveTheMarker();
    void colorEightOnTheSensorVariant_data();
    void colorEightOnTheSensorVariant();
    void modesAppendedOnce();
    void storedEffect_data();
    void storedEffect();
};

void TestLightControlScreen::modeTable_data()
{
    QTest::addColumn<bool>("is55328");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("speedShown");
    QTest::addColumn<bool>("brightnessShown");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("brightness");
    // Chosen with speed 2 and brightness 2 set before; what the mode does not set stays 2.
    // clang-format off
    QTest::newRow("0 Static")            << false << 0  << false << false << 2 << 4;
    QTest::newRow("1 Breath")            << false << 1  << true  << false << 0 << 2;
    QTest::newRow("3 OFF")               << false << 3  << false << false << 2 << 0;
    QTest::newRow("4 Twinkling")         << false << 4  << false << true  << 2 << 4;
    QTest::newRow("4 sensor variant")    << true  << 4  << true  << false << 0 << 2;
    QTest::newRow("5 Wave")              << false << 5  << true  << true  << 0 << 4;
    QTest::newRow("6 Gliding")           << false << 6  << false << false << 0 << 4;
    QTest::newRow("7 Finger Moving")     << false << 7  << false << true  << 2 << 4;
    QTest::newRow("8 Vertical Flipping") << false << 8  << true  << true  << 0 << 4;
    QTest::newRow("10 Spotlight")        << false << 10 << true  << true  << 0 << 4;
    // clang-format on
}

void TestLightControlScreen::modeTable()
{
    QFETCH(bool, is55328);
    QFETCH(int, mode);
    QFETCH(bool, speedShown);
    QFETCH(bool, brightnessShown);
    QFETCH(int, speed);
    QFETCH(int, brightness);
    ScreenRig rig(ScreenRig::Flags {"553", !is55328, false, is55328});
    rig.writeProfile("mouse/lightValue", QStringList {"0", "2", "2"});
    rig.screens->main()->initUI();
    LightControlScreen* screen = rig.screens->lightControl();
    screen->selectColor(2);
    screen->setSave(false);
    screen->chooseMode(mode);
    QCOMPARE(screen->modeIndex(), mode);
    QCOMPARE(screen->speedShown(), speedShown);
    QCOMPARE(screen->brightnessShown(), brightnessShown);
    QCOMPARE(screen->speedIndex(), speed);
    QCOMPARE(screen->brightnessIndex(), brightness);
    QCOMPARE(screen->selectedColor(), 0);
    QVERIFY(screen->isSave());
    // A level the mode does not show stays the mode's own.
    QCOMPARE(screen->setSpeed(3), speedShown);
    QCOMPARE(screen->setBrightness(1), brightnessShown);
    QCOMPARE(screen->speedIndex(), speedShown ? 3 : speed);
    QCOMPARE(screen->brightnessIndex(), brightnessShown ? 1 : brightness);
}

void TestLightControlScreen::colorBlocks_data()
{
    QTest::addColumn<bool>("colorful");
    QTest::addColumn<bool>("is55328");
    QTest::addColumn<int>("dpiCount");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QVariantList>("shown");
    const QVariantList none {false, false, false, false, false, false, false, false};
    const auto first = [](int n) {
        QVariantList shown;
        for (int i = 0; i < 8; ++i) {
            shown << (i < n);
        }
        return shown;
    };
    // clang-format off
    QTest::newRow("one stage")                << false << false << 1 << 0 << first(1);
    QTest::newRow("three stages")             << false << false << 3 << 0 << first(3);
    QTest::newRow("eight stages: four shown") << false << false << 8 << 0 << first(4);
    QTest::newRow("colourful, one stage")     << true  << false << 1 << 0 << first(4);
    QTest::newRow("sensor variant, static")   << false << true  << 8 << 0 << first(1);
    QTest::newRow("sensor variant, mode 4")   << false << true  << 1 << 4 << first(4);
    // clang-format on
}

void TestLightControlScreen::colorBlocks()
{
    QFETCH(bool, colorful);
    QFETCH(bool, is55328);
    QFETCH(int, dpiCount);
    QFETCH(int, mode);
    QFETCH(QVariantList, shown);
    ScreenRig rig(ScreenRig::Flags {"553", colorful, false, is55328});
    rig.writeProfile("mouse/dpiCount", dpiCount);
    rig.screens->main()->initUI();
    rig.screens->lightControl()->chooseMode(mode);
    QCOMPARE(rig.screens->lightControl()->colorBlocksShown(), shown);
}

void TestLightControlScreen::hueBar_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("color");
    // A bar of 240 pixels: six segments of 40.
    // clang-format off
    QTest::newRow("start")                 << 0   << "#ff0000";
    QTest::newRow("green rising")          << 20  << "#ff8200";
    QTest::newRow("end of segment 1")      << 39  << "#ffff00";
    QTest::newRow("red falling")           << 60  << "#7dff00";
    QTest::newRow("blue rising")           << 100 << "#00ff82";
    QTest::newRow("green falling")         << 140 << "#007dff";
    QTest::newRow("red rising")            << 180 << "#8200ff";
    QTest::newRow("blue falling")          << 220 << "#ff007d";
    QTest::newRow("end")                   << 239 << "#ff0000";
    QTest::newRow("past the end")          << 400 << "#ff0000";
    // clang-format on
}

void TestLightControlScreen::hueBar()
{
    QFETCH(int, position);
    QFETCH(QString, color);
    constexpr int Width = 240;
    ScreenRig rig;
    rig.screens->main()->initUI();
    LightControlScreen* screen = rig.screens->lightControl();
    // White, which no place on the bar gives.
    screen->selectColor(7);
    screen->setSave(false);
    screen->pickHue(position, Width);
    QCOMPARE(screen->colors().at(7), color);
    QVERIFY(screen->isSave());
    // The marker comes back to the pixel picked, give or take the ramp's rounding.
    const int clamped = qBound(0, position, Width - 1);
    const qreal marker = screen->hueRatio() * Width;
    QVERIFY2(qAbs(marker - clamped) <= 1.0 || qAbs(marker + Width - clamped) <= 1.0,
             qPrintable(QString::number(marker)));
}

void TestLightControlScreen::numberFieldsMoveTheMarker()
{
    ScreenRig rig;
    rig.screens->main()->initUI();
    LightControlScreen* screen = rig.screens->lightControl();
    screen->selectColor(0);
    screen->setSave(false);
    screen->setChannel(0, 0);
    screen->setChannel(1, 0);
    screen->setChannel(2, 300);
    QCOMPARE(screen->colors().at(0), QString("#0000ff"));
    QCOMPARE(screen->selectedRgb(), (QVariantList {0, 0, 255}));
    QCOMPARE(screen->hueRatio(), 4.0 / 6.0);
    QVERIFY(screen->isSave());
    screen->setChannel(1, 64);
    QCOMPARE(screen->colors().at(0), QString("#0040ff"));
    QVERIFY(screen->hueRatio() < 4.0 / 6.0);
    // A field left without a change is no edit.
    screen->setSave(false);
    screen->setChannel(1, 64);
    QVERIFY(!screen->isSave());
}

void TestLightControlScreen::colorEightOnTheSensorVariant_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("colorEight");
    QTest::addColumn<QStringList>("codes");
    // Colour 8 dark sends the fixed colour (0c); lit, the eight-colour table (10).
    // clang-format off
    QTest::newRow("Static")      << 0 << QByteArray("000000") << QStringList {"0d", "0c"};
    QTest::newRow("Neon")        << 2 << QByteArray("000000") << QStringList {"0d", "0c"};
    QTest::newRow("Breath Loop") << 4 << QByteArray("123456") << QStringList {"0d", "10"};
    // clang-format on
}

void TestLightControlScreen::colorEightOnTheSensorVariant()
{
    QFETCH(int, mode);
    QFETCH(QByteArray, colorEight);
    QFETCH(QStringList, codes);
    ScreenRig rig(ScreenRig::Flags {"553", false, false, true});
    rig.screens->main()->initUI();
    LightControlScreen* screen = rig.screens->lightControl();
    QVERIFY(screen->setColor(7, "#123456"));
    screen->chooseMode(mode);
    rig.v.clearLog();
    rig.screens->main()->save();
    QCOMPARE(rig.commandCodes(), codes);
    const QVariantList stored = rig.store->getDataList("mouse/colorValue", false);
    QByteArray eighth;
    for (int i = 21; i < 24; ++i) {
        eighth.append(char(stored.at(i).toInt()));
    }
    QCOMPARE(eighth.toHex(), colorEight);
    const VirtualMouse::State mouse = rig.v.mouse.state();
    if (codes.last() == "10") {
        QCOMPARE(mouse.stageColors.mid(21, 3).toHex(), colorEight);
    } else {
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(mouse.fixColor.data()), 3).toHex(), QByteArray("ff0000"));
    }
}

void TestLightControlScreen::modesAppendedOnce()
{
    ScreenRig rig(ScreenRig::Flags {"553", true, false, true});
    MainScreen* main = rig.screens->main();
    main->initUI();
    LightControlScreen* screen = rig.screens->lightControl();
    QCOMPARE(screen->modes().size(), 12);
    QCOMPARE(screen->modes().last(), QString("Breath Loop"));
    main->changeProfile(1);
    screen->setSave(false);
    screen->restore();
    QVERIFY(screen->isSave());
    main->factoryReset();
    QCOMPARE(screen->modes().size(), 12);
}

void TestLightControlScreen::storedEffect_data()
{
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QList<int>>("shown"); // mode, speed, brightness
    // The default profile holds 0, 2, 4; this mouse has the four basic modes.
    // clang-format off
    QTest::newRow("lowest of each")          << QStringList {"0", "0", "0"} << QList<int> {0, 0, 0};
    QTest::newRow("last mode, highest levels") << QStringList {"3", "4", "4"} << QList<int> {3, 4, 4};
    QTest::newRow("speed past the levels")   << QStringList {"1", "5", "1"} << QList<int> {0, 2, 4};
    QTest::newRow("brightness below 0")      << QStringList {"1", "1", "-1"} << QList<int> {0, 2, 4};
    QTest::newRow("mode past the list")      << QStringList {"4", "1", "1"} << QList<int> {0, 2, 4};
    // clang-format on
}

void TestLightControlScreen::storedEffect()
{
    QFETCH(QStringList, stored);
    QFETCH(QList<int>, shown);
    ScreenRig rig;
    rig.writeProfile("mouse/lightValue", stored);
    rig.restart();
    rig.screens->main()->initUI();
    const LightControlScreen* screen = rig.screens->lightControl();
    QCOMPARE((QList<int> {screen->modeIndex(), screen->speedIndex(), screen->brightnessIndex()}), shown);
}

QTEST_GUILESS_MAIN(TestLightControlScreen)
#include "TestLightControlScreen.moc"
