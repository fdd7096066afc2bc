// The real scene in the real window against the virtual mouse, driven by clicks.
#include "ConfigStore.h"
#include "KeyMatrixScreen.h"
#include "MainScreen.h"
#include "ProfileScreen.h"
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
    void profileDropDownAsksFirst_data();
    void profileDropDownAsksFirst();
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

void TestMainScene::profileDropDownAsksFirst_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("profileNo");
    QTest::newRow("cancel") << "confirmCancel" << 0;
    QTest::newRow("discard") << "confirmOther" << 1;
    QTest::newRow("save") << "confirmOk" << 1;
}

// With edits pending, Save is marked and the profile drop-down asks before they go; the list
// shows the profile in use until the answer.
void TestMainScene::profileDropDownAsksFirst()
{
    QFETCH(QString, answer);
    QFETCH(int, profileNo);
    SceneRig scene(QStringLiteral("553"));
    QVERIFY(scene.settle());
    QVERIFY(scene.screens()->profile()->newProfile());
    QQuickItem* mark = SceneRig::find(scene.item("saveButton"), "mark");
    QVERIFY(!mark->isVisible());
    scene.screens()->keyMatrix()->setSave(true);
    QVERIFY(mark->isVisible());
    QQuickItem* list = scene.item("profileList");
    const QString shown = list->property("textValue").toString();
    QVERIFY(scene.choose(list, 1));
    QQuickItem* question = scene.item("unsavedConfirm");
    QTRY_VERIFY(question->isVisible());
    QCOMPARE(list->property("textValue").toString(), shown);
    QCOMPARE(scene.main()->profileNo(), 0);
    QVERIFY(scene.click(SceneRig::find(question, answer)));
    QTRY_VERIFY(!question->isVisible());
    QVERIFY(scene.settle());
    QCOMPARE(scene.main()->profileNo(), profileNo);
    QCOMPARE(list->property("currentSelect").toInt(), profileNo);
    QCOMPARE(mark->isVisible(), profileNo == 0);
}

QTEST_MAIN(TestMainScene)
#include "TestMainScene.moc"
