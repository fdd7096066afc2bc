// The main scene's rules that the flows table does not reach: the busy guard's timer, and a profile
// file rewritten while the program runs.
#include "KeyMatrixScreen.h"
#include "MainScreen.h"
#include "ScreenRig.h"

#include <QSignalSpy>
#include <QTest>

class TestMainScreen : public QObject
{
    Q_OBJECT

private slots:
    void busyGuardRevealsOnce();
    void profileSwitchKeepsTheLeftButton_data();
    void profileSwitchKeepsTheLeftButton();
};

void TestMainScreen::busyGuardRevealsOnce()
{
    ScreenRig rig;
    MainScreen* main = rig.screens->main();
    QSignalSpy revealed(main, &MainScreen::revealedChanged);
    main->setProtectUI(10);
    QVERIFY(main->busy());
    QVERIFY(!main->viewEnabled());
    QTRY_VERIFY(!main->busy());
    QVERIFY(main->viewEnabled());
    QVERIFY(main->revealed());
    main->setProtectUI(10);
    QTRY_VERIFY(!main->busy());
    QCOMPARE(revealed.count(), 1);
    main->controlUIEnable(false);
    QVERIFY(main->busy() && !main->viewEnabled());
    main->controlUIEnable(true);
    QVERIFY(!main->busy() && main->viewEnabled());
}

void TestMainScreen::profileSwitchKeepsTheLeftButton_data()
{
    QTest::addColumn<QByteArray>("file");
    QByteArray noLeft("[mouseKeyMatrix]\n");
    for (int n = 0; n < 16; ++n) {
        noLeft += QByteArray::number(n) + "=0, 0, 241, 0\n";
    }
    QTest::newRow("a file of another kind") << QByteArray("[x]\ny=1\n");
    QTest::newRow("damaged entries") << QByteArray("[mouseKeyMatrix]\n0=0\n1=x, 0, 0, 0\n");
    QTest::newRow("no left button") << noLeft;
}

// Whatever a profile file holds, switching to it never leaves the mouse without a left button.
void TestMainScreen::profileSwitchKeepsTheLeftButton()
{
    QFETCH(QByteArray, file);
    ScreenRig rig;
    QVERIFY(rig.modules.write("modules/setting/p3.bin", file));
    rig.restart();
    MainScreen* main = rig.screens->main();
    main->initUI();
    main->changeProfile(2);
    QCOMPARE(rig.v.mouse.state().keyMatrices.value(1).left(4).toHex(), QByteArray("0100f000"));
    QCOMPARE(rig.store->profileSettings(2)->value("mouseKeyMatrix/0").toStringList().join(' '), QString("0 0 240 0"));
    QCOMPARE(rig.screens->keyMatrix()->record(0), rec("0000f000"));
    QVERIFY(!main->hasPendingEdits());

    // Shown at start, the mended button is an edit the profile does not hold yet.
    QVERIFY(rig.modules.write("modules/setting/p3.bin", file));
    rig.restart();
    rig.screens->main()->initUI();
    rig.store->setCurrentProfile(2);
    rig.screens->keyMatrix()->init(false, false);
    QCOMPARE(rig.screens->keyMatrix()->record(0), rec("0000f000"));
    QCOMPARE(rig.screens->main()->hasPendingEdits(), QTest::currentDataTag() == QByteArray("no left button"));
}

QTEST_GUILESS_MAIN(TestMainScreen)
#include "TestMainScreen.moc"
