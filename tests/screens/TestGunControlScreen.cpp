// The gun screen's marker reads back every Y it can show; the screen's flows are cases of the
// screens' flows table.
#include "GunControlScreen.h"
#include "ScreenRig.h"

#include <QTest>

class TestGunControlScreen : public QObject
{
    Q_OBJECT

private slots:
    void markerReadsBackEveryY();
};

void TestGunControlScreen::markerReadsBackEveryY()
{
    ScreenRig rig(ScreenRig::Flags {"553", false, true});
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

QTEST_GUILESS_MAIN(TestGunControlScreen)
#include "TestGunControlScreen.moc"
