// The real scene in the real window against the virtual mouse, driven by clicks.
#include "ConfigStore.h"
#include "MainScreen.h"
#include "SceneRig.h"
#include "Screens.h"

#include <QQuickItem>
#include <QTest>

class TestMainScene : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void reportRateByClicks_data();
    void reportRateByClicks();
};

void TestMainScene::initTestCase()
{
    SceneWarnings::install();
}

void TestMainScene::init()
{
    SceneWarnings::clear();
}

void TestMainScene::cleanup()
{
    const QStringList warnings = SceneWarnings::take();
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
}

void TestMainScene::reportRateByClicks_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("frame");
    // "500Hz" is index 2, the rate value 2; the 560 sends it in a series, numbered from 1.
    QTest::newRow("553") << "553"
                         << "feature-out 00 01 02 00 00 00 00 00 fc";
    QTest::newRow("560") << "560"
                         << "feature-out 00 03 01 02 00 00 00 00 f9";
}

void TestMainScene::reportRateByClicks()
{
    QFETCH(QString, family);
    QFETCH(QString, frame);
    SceneRig scene(family);
    QVERIFY(scene.settle());

    QStringList wire;
    scene.mouse.setWireLogger([&wire](const QByteArray& line) { wire << QString::fromLatin1(line); });
    QQuickItem* list = scene.item("reportRateList");
    QVERIFY(list);
    QVERIFY(scene.choose(list, 2));

    QTRY_COMPARE(int(scene.mouse.state().reportRate), 2);
    QVERIFY2(wire.contains(frame), qPrintable(wire.join('\n')));
    QCOMPARE(scene.screens()->store().getData("mouse/reportRate", false).toInt(), 2);
    QCOMPARE(list->property("textValue").toString(), QString("500Hz"));
    scene.mouse.setWireLogger({});
}

QTEST_MAIN(TestMainScene)
#include "TestMainScene.moc"
