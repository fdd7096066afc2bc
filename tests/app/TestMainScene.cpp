// The real scene in the real window against the virtual mouse, driven by clicks.
#include "ConfigStore.h"
#include "DpiSettingScreen.h"
#include "GunControlScreen.h"
#include "KeyAssigmentScreen.h"
#include "KeyMatrixScreen.h"
#include "MacroEditorScreen.h"
#include "MainScreen.h"
#include "ProfileScreen.h"
#include "SceneRig.h"
#include "Screens.h"
#include "SystemSettingScreen.h"
#include "myQQuickView.h"

#include <QJSValue>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <QtQuickTest/quicktest.h>

namespace {

// The control `name`, on the main scene or in `dialog` opened by clicking `opener` (on its group
// page `page`, when not negative).
void opened(SceneRig& scene,
            const QString& opener,
            const QString& dialog,
            int page,
            const QString& name,
            QQuickItem** control)
{
    if (!opener.isEmpty()) {
        QVERIFY(scene.click(scene.item(opener)));
        QTRY_VERIFY(scene.item(dialog) && scene.item(dialog)->isVisible());
    }
    if (page >= 0) {
        QVERIFY(scene.click(scene.item(dialog, QStringLiteral("group%1").arg(page))));
    }
    *control = dialog.isEmpty() ? scene.item(name) : scene.item(dialog, name);
}

} // namespace

class TestMainScene : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void reportRateByClicks();
    void onlyLeftButtonSaysWhy();
    void openDropDownLiesOnTop_data();
    void openDropDownLiesOnTop();
    void slidersSpanTheirScreensSteps_data();
    void slidersSpanTheirScreensSteps();
    void macroImportOnAnEmptyList();
    void draggingEmptySceneMovesWindow();
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

void TestMainScene::openDropDownLiesOnTop_data()
{
    QTest::addColumn<QString>("opener"); // the button that opens the list's dialog, "" on the main scene
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<int>("page"); // the assignment dialog's group, -1 for none
    QTest::addColumn<QString>("list");
    const int none = -1;
    // clang-format off
    QTest::newRow("report rate")   << "" << "" << none << "reportRateList";
    QTest::newRow("profiles")      << "" << "" << none << "profileList";
    QTest::newRow("DPI stages")    << "" << "" << none << "dpiStageCount";
    QTest::newRow("lighting")      << "" << "" << none << "lightModeList";
    QTest::newRow("gun slot")      << "gunEditorButton" << "gunControl" << none << "gunSlotList";
    QTest::newRow("media")         << "keyRow3" << "keyAssigment" << int(KeyAssigmentScreen::MediaGroup) << "mediaGrid";
    QTest::newRow("windows")       << "keyRow3" << "keyAssigment" << int(KeyAssigmentScreen::WindowsGroup) << "windowsGrid";
    QTest::newRow("shortcut")      << "keyRow3" << "keyAssigment" << int(KeyAssigmentScreen::ShortcutGroup) << "shortcutGrid";
    QTest::newRow("macro")         << "keyRow3" << "keyAssigment" << int(KeyAssigmentScreen::MacroGroup) << "macroList";
    // clang-format on
}

void TestMainScene::openDropDownLiesOnTop()
{
    QFETCH(QString, opener);
    QFETCH(QString, dialog);
    QFETCH(int, page);
    QFETCH(QString, list);
    SceneRig scene(QStringLiteral("560"));
    QVERIFY(scene.settle());
    QQuickItem* dropDown = nullptr;
    opened(scene, opener, dialog, page, list, &dropDown);
    QVERIFY(dropDown);
    QVERIFY(scene.click(dropDown));
    QTRY_VERIFY(dropDown->property("isDrop").toBool());
    QQuickItem* popup = nullptr;
    for (QQuickItem* child : dropDown->childItems()) {
        popup = child->clip() ? child : popup;
    }
    QVERIFY(popup);
    // Open when it has stopped growing.
    qreal height = -1;
    QTRY_VERIFY([&] {
        const qreal was = height;
        height = popup->height();
        return height > 0 && height == was;
    }());
    // Every point of the open list belongs to it: no control lies above any part of it.
    for (qreal y = 2; y < popup->height() - 1; y += 6) {
        for (qreal x : {qreal(3), popup->width() / 2, popup->width() - 3}) {
            QQuickItem* taker = scene.takerAt(popup->mapToScene(QPointF(x, y)));
            QVERIFY2(taker && (taker == dropDown || dropDown->isAncestorOf(taker)),
                     qPrintable(QStringLiteral("at %1,%2: %3")
                                    .arg(x)
                                    .arg(y)
                                    .arg(taker ? taker->objectName() + " " + taker->metaObject()->className()
                                               : QStringLiteral("nothing"))));
        }
    }
}

void TestMainScene::slidersSpanTheirScreensSteps_data()
{
    QTest::addColumn<QString>("opener"); // as in openDropDownLiesOnTop
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("slider");
    QTest::addColumn<int>("steps");
    const int none = -1;
    // clang-format off
    QTest::newRow("DPI stage")    << "" << "" << none << "dpiSlider0" << int(DpiSettingScreen::KnobSteps);
    QTest::newRow("gun rate")     << "gunEditorButton" << "gunControl" << none << "gunRate" << int(GunControlScreen::RateSteps);
    QTest::newRow("fire rate")    << "keyRow3" << "keyAssigment" << int(KeyAssigmentScreen::FireGroup) << "rateSlider"
                                  << int(KeyAssigmentScreen::RateSteps);
    QTest::newRow("pointer speed") << "systemSettingButton" << "systemSetting" << none << "speedSlider"
                                   << int(SystemSettingScreen::SliderSteps);
    QTest::newRow("double click") << "systemSettingButton" << "systemSetting" << none << "doubleClickSlider"
                                  << int(SystemSettingScreen::SliderSteps);
    // clang-format on
}

// The screens count a slider's positions; the track the user drags offers exactly those, one pixel
// each, so that the knob's end is the screen's last position.
void TestMainScene::slidersSpanTheirScreensSteps()
{
    QFETCH(QString, opener);
    QFETCH(QString, dialog);
    QFETCH(int, page);
    QFETCH(QString, slider);
    QFETCH(int, steps);
    SceneRig scene(QStringLiteral("560"));
    QVERIFY(scene.settle());
    QQuickItem* track = nullptr;
    opened(scene, opener, dialog, page, slider, &track);
    QVERIFY(track);
    QCOMPARE(track->property("travelEnd").toInt() - track->property("travelStart").toInt(), steps);
}

// Offscreen the window system takes no drag, so the window follows the pointer itself.
void TestMainScene::draggingEmptySceneMovesWindow()
{
    SceneRig scene(QStringLiteral("553"));
    QVERIFY(scene.settle());
    QWidget* view = scene.widget->view();
    const QPoint press(600, 590);
    QVERIFY(scene.takerAt(press) == scene.item("dragArea"));
    const QPoint start = scene.widget->pos();
    QTest::mousePress(view, Qt::LeftButton, {}, press);
    QTest::mouseMove(view, press + QPoint(30, 20));
    QTest::mouseRelease(view, Qt::LeftButton, {}, press + QPoint(30, 20));
    QCOMPARE(scene.widget->pos(), start + QPoint(30, 20));
}

void TestMainScene::macroImportOnAnEmptyList()
{
    SceneRig scene(QStringLiteral("553"));
    QVERIFY(scene.settle());
    MacroEditorScreen* editor = scene.screens()->macroEditor();
    while (!editor->macroNames().isEmpty()) {
        editor->removeMacro(0);
    }
    QVERIFY(scene.click(scene.item("macroEditorButton")));
    QTRY_VERIFY(scene.item("macroEditor") && scene.item("macroEditor")->isVisible());
    QQuickItem* list = scene.item("macroEditor", "macroList");
    QVERIFY(QQuickTest::qWaitForPolish(scene.widget->view()->quickWindow()));
    QTest::mouseClick(scene.widget->view(), Qt::RightButton, {}, list->mapToScene(QPointF(40, 40)).toPoint());
    QQuickItem* menu = scene.item("macroEditor", "macroMenu");
    QTRY_VERIFY(menu->isVisible());
    QVariant texts = menu->property("texts");
    if (texts.metaType() == QMetaType::fromType<QJSValue>()) {
        texts = texts.value<QJSValue>().toVariant();
    }
    QCOMPARE(texts.toStringList(), QStringList {"Import"});
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
