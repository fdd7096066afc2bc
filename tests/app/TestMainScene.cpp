// The real scene in the real window against the virtual mouse, driven by clicks.
#include "CheckTimer.h"
#include "ConfigStore.h"
#include "MainScreen.h"
#include "TempModules.h"
#include "VirtualLink.h"
#include "Widget.h"
#include "myQQuickView.h"

#include <QMutex>
#include <QQuickItem>
#include <QSettings>
#include <QTest>
#include <memory>

namespace {

// The device check runs when the test says.
class IdleCheckTimer : public CheckTimer
{
public:
    void restart() override { }
    bool isActive() const override { return false; }
};

// Warnings from the scene (binding loops, type errors, missing images) fail the test.
QMutex g_mutex;
QStringList g_warnings;
QtMessageHandler g_previous = nullptr;

bool fromScene(const QMessageLogContext& context, const QString& message)
{
    const QLatin1String category(context.category ? context.category : "");
    return category == QLatin1String("qml") || category == QLatin1String("js") || message.startsWith("qrc:/");
}

void collect(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if ((type == QtWarningMsg || type == QtCriticalMsg) && fromScene(context, message)) {
        QMutexLocker lock(&g_mutex);
        g_warnings << message;
    }
    if (g_previous) {
        g_previous(type, context, message);
    }
}

struct Scene
{
    explicit Scene(const QString& family)
        : mouse(config(family))
    {
        QSettings global(modules.path("modules/setting/apConfig.bin"), QSettings::IniFormat);
        global.setValue("mouse/icType", family);
        global.sync();
        widget = std::make_unique<Widget>(modules.baseDir(), &mouse, &clock, new IdleCheckTimer);
        widget->showNormal();
        widget->checkDevice();
    }
    ~Scene()
    {
        widget->hidThread.stopListen();
        widget->hidThread.waitListener();
    }

    static VirtualMouse::Config config(const QString& family)
    {
        VirtualMouse::Config c;
        c.family = family == "560" ? VirtualMouse::Family::Set560 : VirtualMouse::Family::Set553;
        return c;
    }

    MainScreen* main() const { return widget->view()->screens()->main(); }
    bool ready() const { return main()->isPownOn() && main()->revealed() && !main()->busy(); }

    // Searches the visual tree: list entries belong to their view's content item only.
    QQuickItem* item(const QString& name) const { return find(widget->view()->rootObject(), name); }

    static QQuickItem* find(QQuickItem* from, const QString& name)
    {
        if (from->objectName() == name) {
            return from;
        }
        for (QQuickItem* child : from->childItems()) {
            if (QQuickItem* found = find(child, name)) {
                return found;
            }
        }
        return nullptr;
    }

    // A click in the middle of a visible item, as the user makes it.
    void click(QQuickItem* target) const
    {
        const QPointF centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
        QTest::mouseClick(widget->view(), Qt::LeftButton, {}, centre.toPoint());
    }

    TempModules modules;
    VirtualMouse mouse;
    RecordingClock clock;
    std::unique_ptr<Widget> widget;
};

} // namespace

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
    g_previous = qInstallMessageHandler(collect);
}

void TestMainScene::init()
{
    QMutexLocker lock(&g_mutex);
    g_warnings.clear();
}

void TestMainScene::cleanup()
{
    QMutexLocker lock(&g_mutex);
    QVERIFY2(g_warnings.isEmpty(), qPrintable(g_warnings.join('\n')));
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
    Scene scene(family);
    QTRY_VERIFY_WITH_TIMEOUT(scene.ready(), 10000);

    QStringList wire;
    scene.mouse.setWireLogger([&wire](const QByteArray& line) { wire << QString::fromLatin1(line); });
    QQuickItem* list = scene.item("reportRateList");
    QVERIFY(list);
    scene.click(list);
    QTRY_VERIFY(list->property("isDrop").toBool());
    QQuickItem* entry = nullptr;
    QTRY_VERIFY((entry = scene.item("reportRateList_entry2")) && entry->isVisible() && entry->height() > 0);
    // The list view places entries it uncovers on its next layout pass.
    QTest::qWait(300);
    scene.click(entry);

    QTRY_COMPARE(int(scene.mouse.state().reportRate), 2);
    QVERIFY2(wire.contains(frame), qPrintable(wire.join('\n')));
    QCOMPARE(scene.widget->view()->screens()->store().getData("mouse/reportRate", false).toInt(), 2);
    QVERIFY(!list->property("isDrop").toBool());
    QCOMPARE(list->property("textValue").toString(), QString("500Hz"));
    scene.mouse.setWireLogger({});
}

QTEST_MAIN(TestMainScene)
#include "TestMainScene.moc"
