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
    void reportRateByClicks();
    void onlyLeftButtonSaysWhy();
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

void TestMainScene::reportRateByClicks()
{
    // The 560 takes the same path from the list; only its command set differs.
    SceneRig scene(QStringLiteral("553"));
    QVERIFY(scene.settle());
    QQuickItem* list = scene.item("reportRateList");
    QVERIFY(scene.choose(list, 2));
    // "500Hz" is index 2, the rate value 2.
    QTRY_COMPARE(int(scene.mouse.state().reportRate), 2);
    QCOMPARE(scene.screens()->store().getData("mouse/reportRate", false).toInt(), 2);
    QCOMPARE(list->property("textValue").toString(), QString("500Hz"));
}

void TestMainScene::onlyLeftButtonSaysWhy()
{
    SceneRig scene(QStringLiteral("560"));
    QVERIFY(scene.settle());
    QQuickItem* notice = scene.item("keyNotice");
    QVERIFY(notice && !notice->isVisible());
    // Key 1 is the only left button: no dialog, a word why under its row.
    QVERIFY(scene.click(scene.item("keyRow0")));
    QTRY_VERIFY(notice->isVisible());
    QVERIFY(notice->property("text").toString().startsWith("Key 1 is the only left button"));
    QVERIFY(!scene.item("keyAssigment") || !scene.item("keyAssigment")->isVisible());
    // Another button opens its dialog, and the word goes.
    QVERIFY(scene.click(scene.item("keyRow2")));
    QTRY_VERIFY(!notice->isVisible());
}

QTEST_MAIN(TestMainScene)
#include "TestMainScene.moc"
