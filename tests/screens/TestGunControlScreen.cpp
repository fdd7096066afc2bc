// The gun screen against a gun mouse: slot choices, the marker and rate conversions, edits stored
// at once, closing that sends only after edits, and renaming that survives a restart.
#include "GunControlScreen.h"
#include "MacroLibrary.h"
#include "MainScreen.h"
#include "ScreenRig.h"

#include <QTest>

namespace {

const ScreenRig::Flags GunMouse {"553", false, true};

} // namespace

class TestGunControlScreen : public QObject
{
    Q_OBJECT

private slots:
    void presetToSlot();
    void closing_data();
    void closing();
    void rate_data();
    void rate();
    void markerReadsBackEveryY();
    void markerAndFields_data();
    void markerAndFields();
    void renameSurvivesRestart_data();
    void renameSurvivesRestart();
    void renameClickKeepsTheSlot_data();
    void renameClickKeepsTheSlot();
};

void TestGunControlScreen::presetToSlot()
{
    ScreenRig rig(GunMouse);
    rig.screens->main()->initUI();
    GunControlScreen* gun = rig.screens->gunControl();
    gun->chooseSlot(1);
    gun->choosePreset(4);
    QCOMPARE(rig.store->getGlobalData(QStringLiteral("mouse/selectGun")).toList(), (QVariantList {"0", "4", "2"}));
    QVERIFY(gun->isSave());
    QCOMPARE(gun->shownPreset(), 4);
    QCOMPARE(gun->gunNumberModel(), (QStringList {"M416", "UNP9", "M16A4"}));
    gun->chooseSlot(2);
    QCOMPARE(gun->shownPreset(), 2);
}

void TestGunControlScreen::closing_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<bool>("sends");
    // clang-format off
    QTest::newRow("no edit")        << ""       << false;
    QTest::newRow("same Y again")   << "sameY"  << false;
    QTest::newRow("Y")              << "y"      << true;
    QTest::newRow("preset chosen")  << "preset" << true;
    // clang-format on
}

void TestGunControlScreen::closing()
{
    QFETCH(QString, edit);
    QFETCH(bool, sends);
    ScreenRig rig(GunMouse);
    rig.screens->main()->initUI();
    GunControlScreen* gun = rig.screens->gunControl();
    if (edit == QLatin1String("sameY")) {
        gun->setY(gun->gunY());
    } else if (edit == QLatin1String("y")) {
        gun->setY(33);
    } else if (edit == QLatin1String("preset")) {
        gun->chooseSlot(2);
        gun->choosePreset(5);
    }
    // Y goes to the mouse unchanged.
    rig.v.mouse.setKeyboardOptions({0, 0, 0, 0});
    const auto before = rig.v.mouse.state().gunData;
    rig.v.clearLog();
    gun->close();
    if (!sends) {
        QCOMPARE(rig.commandCodes(), QStringList {});
        return;
    }
    // Slots 1-3 in order, then the key matrix.
    QCOMPARE(rig.commandCodes().filter("04"), (QStringList {"04", "04", "04"}));
    QCOMPARE(rig.v.mouse.state().gunData.size(), 3);
    QVERIFY(rig.v.mouse.state().gunData != before);
    QVERIFY(rig.commandCodes().lastIndexOf("04") < rig.commandCodes().size() - 1);
    const int slot = edit == QLatin1String("y") ? 0 : 2;
    const GunControlScreen::Preset p = gun->preset(gun->slotPreset(slot));
    const char sent[] = {char(p.times), char(p.x), char(p.y)};
    QCOMPARE(rig.v.mouse.state().gunData.value(slot), QByteArray(sent, 3));
    QVERIFY(!gun->isSave());
    rig.v.clearLog();
    gun->close();
    QCOMPARE(rig.commandCodes(), QStringList {});
}

void TestGunControlScreen::rate_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("period");
    // clang-format off
    QTest::newRow("label 9")          << 5   << "9MS"  << 9;
    QTest::newRow("left end")         << 0   << "4MS"  << 4;
    QTest::newRow("right end")        << 86  << "90MS" << 90;
    QTest::newRow("before the track") << -20 << "4MS"  << 4;
    QTest::newRow("past the track")   << 104 << "90MS" << 90;
    // clang-format on
}

void TestGunControlScreen::rate()
{
    QFETCH(int, position);
    QFETCH(QString, label);
    QFETCH(int, period);
    ScreenRig rig(GunMouse);
    rig.screens->main()->initUI();
    GunControlScreen* gun = rig.screens->gunControl();
    QCOMPARE(gun->rateLabel(position), label);
    gun->releaseRate(position);
    QCOMPARE(gun->gunPeriod(), period);
    QCOMPARE(rig.guns->getGunData(0).at(2).toInt(), period);
    // Shown again, the knob stands where the label reads the same period.
    QCOMPARE(gun->rateLabel(gun->rateKnob()), label);
}

void TestGunControlScreen::markerReadsBackEveryY()
{
    ScreenRig rig(GunMouse);
    GunControlScreen* gun = rig.screens->gunControl();
    gun->init();
    for (int y = 0; y <= GunControlScreen::MaxY; ++y) {
        gun->setY(y);
        const int offset = gun->markerOffset();
        QVERIFY(offset >= 0 && offset <= GunControlScreen::MarkerTravel);
        gun->setY(y == 0 ? 1 : 0);
        gun->moveMarker(offset);
        QCOMPARE(gun->gunY(), y);
    }
}

void TestGunControlScreen::markerAndFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("times");
    // clang-format off
    QTest::newRow("marker at the top")  << "marker"  << 0    << 0  << 7;
    QTest::newRow("marker half way")    << "marker"  << 47   << 32 << 7;
    QTest::newRow("marker at the end")  << "marker"  << 94   << 64 << 7;
    QTest::newRow("marker past it")     << "marker"  << 300  << 64 << 7;
    QTest::newRow("Y typed")            << "y"       << 20   << 20 << 7;
    QTest::newRow("Y above 64")         << "y"       << 99   << 64 << 7;
    QTest::newRow("times")              << "times"   << 12   << 10 << 12;
    QTest::newRow("times above 255")    << "times"   << 999  << 10 << 255;
    QTest::newRow("Endness ticked")     << "endless" << 1    << 10 << 0;
    QTest::newRow("Endness unticked")   << "endless" << 0    << 10 << 7;
    // clang-format on
}

void TestGunControlScreen::markerAndFields()
{
    QFETCH(QString, field);
    QFETCH(int, value);
    QFETCH(int, y);
    QFETCH(int, times);
    ScreenRig rig(GunMouse);
    rig.screens->main()->initUI();
    GunControlScreen* gun = rig.screens->gunControl();
    gun->chooseSlot(1);
    gun->setTimes(7);
    if (field == QLatin1String("marker")) {
        gun->moveMarker(value);
    } else if (field == QLatin1String("y")) {
        gun->setY(value);
    } else if (field == QLatin1String("times")) {
        gun->setTimes(value);
    } else {
        gun->setEndless(value != 0);
    }
    QCOMPARE(gun->gunY(), y);
    QCOMPARE(gun->gunTimes(), times);
    QCOMPARE(gun->endless(), times == 0);
    // Stored at once under the preset slot 2 uses.
    const QVariantList stored = rig.guns->getGunData(1);
    QCOMPARE(stored.at(4).toInt(), y);
    QCOMPARE(stored.at(5).toInt(), times);
}

void TestGunControlScreen::renameSurvivesRestart_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stored");
    QTest::newRow("word, trimmed") << " Sniper "
                                   << "Sniper";
    // Names that are also positions of the file.
    QTest::newRow("another preset's position") << "3"
                                               << "3";
    QTest::newRow("its own position") << "1"
                                      << "1";
    QTest::newRow("first position") << "0"
                                    << "0";
}

void TestGunControlScreen::renameSurvivesRestart()
{
    QFETCH(QString, name);
    QFETCH(QString, stored);
    ScreenRig rig(GunMouse);
    GunControlScreen* gun = rig.screens->gunControl();
    gun->init();
    // Preset 3 with settings of its own.
    gun->chooseSlot(0);
    gun->choosePreset(3);
    gun->setY(33);
    gun->setTimes(7);
    QVERIFY(!gun->rename(1, QStringLiteral("M416")));
    QVERIFY(!gun->rename(1, QStringLiteral("a/b")));
    QVERIFY(gun->rename(1, name));
    QCOMPARE(rig.macros->getNameList(MacroLibrary::GunNames).at(1).toString(), stored);
    // A rename writes its own position's record and nothing else.
    QCOMPARE(rig.guns->getGunDataKey(), (QStringList {"0", "1", "2", "3", "4", "5"}));
    rig.restart();
    gun = rig.screens->gunControl();
    gun->init();
    QCOMPARE(gun->gunNames(), (QStringList {"M416", stored, "M16A4", "SCAR-L", "UNP9", "Thomson"}));
    QCOMPARE(gun->gunPictures().at(1), QStringLiteral("AKM.png"));
    QCOMPARE(rig.guns->getGunData(3), (QVariantList {"SCAR-L", "L-Click", "10", "0", "33", "7"}));
    QCOMPARE(rig.guns->getGunData(1), (QVariantList {stored, "L-Click", "10", "0", "10", "0"}));
}

void TestGunControlScreen::renameClickKeepsTheSlot_data()
{
    QTest::addColumn<int>("shownBefore"); // the preset slot 2 uses before the double-click
    QTest::addColumn<bool>("dirtyBefore");
    QTest::newRow("another preset") << 1 << false;
    QTest::newRow("another preset, edits pending") << 1 << true;
    QTest::newRow("the preset shown") << 4 << false;
}

void TestGunControlScreen::renameClickKeepsTheSlot()
{
    QFETCH(int, shownBefore);
    QFETCH(bool, dirtyBefore);
    ScreenRig rig(GunMouse);
    rig.screens->main()->initUI();
    GunControlScreen* gun = rig.screens->gunControl();
    gun->chooseSlot(1);
    gun->choosePreset(shownBefore);
    gun->setSave(dirtyBefore);
    const QVariant selection = rig.store->getGlobalData(QStringLiteral("mouse/selectGun"));
    // The double-click on preset 4: its first click chooses, the second starts the rename.
    gun->choosePreset(4);
    gun->startRename(4);
    QCOMPARE(gun->shownPreset(), shownBefore);
    QCOMPARE(gun->isSave(), dirtyBefore);
    QCOMPARE(rig.store->getGlobalData(QStringLiteral("mouse/selectGun")), selection);
    QVERIFY(gun->rename(4, QStringLiteral("Pistol")));
    QCOMPARE(gun->gunNumberModel().at(1), shownBefore == 4 ? QStringLiteral("Pistol") : QStringLiteral("AKM"));
    // A single click still chooses.
    gun->choosePreset(5);
    QCOMPARE(gun->shownPreset(), 5);
    QVERIFY(gun->isSave());
}

QTEST_GUILESS_MAIN(TestGunControlScreen)
#include "TestGunControlScreen.moc"
