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

QTEST_MAIN(TestMainScene)
#include "TestMainScene.moc"
