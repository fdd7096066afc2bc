#include "SceneRig.h"

#include "CheckTimer.h"
#include "InputHook.h"
#include "KeyCapture.h"
#include "MainScreen.h"
#include "myQQuickView.h"

#include <QApplication>
#include <QMutex>
#include <QPointer>
#include <QQuickItem>
#include <QSettings>
#include <QTest>
#include <QtQuickTest/quicktest.h>
#include <algorithm>

namespace {

constexpr int SettleMs = 10000;

// The device check runs when the test says.
class IdleCheckTimer : public CheckTimer
{
public:
    void restart() override { }
    bool isActive() const override { return false; }
};

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

} // namespace

void SceneWarnings::install()
{
    g_previous = qInstallMessageHandler(collect);
}

void SceneWarnings::clear()
{
    QMutexLocker lock(&g_mutex);
    g_warnings.clear();
}

QStringList SceneWarnings::take()
{
    QMutexLocker lock(&g_mutex);
    QStringList warnings;
    warnings.swap(g_warnings);
    return warnings;
}

SceneRig::SceneRig(const QString& family)
    : mouse(TestSupport::familyConfig(family))
{
    QSettings global(modules.path("modules/setting/apConfig.bin"), QSettings::IniFormat);
    global.setValue("mouse/icType", family);
    global.sync();
    widget = std::make_unique<Widget>(modules.baseDir(), &mouse, &clock, new IdleCheckTimer);
    widget->showNormal();
    // Typed text goes to the scene's focused field.
    QApplication::setActiveWindow(widget.get());
    widget->view()->setFocus();
    widget->checkDevice();
}

SceneRig::~SceneRig()
{
    if (hook) {
        screens()->setCapture(nullptr);
        hook->removeHooks();
    }
    widget->hidThread.stopListen();
    widget->hidThread.waitListener();
}

Screens* SceneRig::screens() const
{
    return widget->view()->screens();
}

MainScreen* SceneRig::main() const
{
    return screens()->main();
}

bool SceneRig::ready() const
{
    return main()->isPownOn() && main()->revealed() && !main()->busy() && widget->view()->isEnabled();
}

bool SceneRig::settle() const
{
    return QTest::qWaitFor([this] { return ready(); }, SettleMs);
}

QQuickItem* SceneRig::item(const QString& name) const
{
    return find(widget->view()->rootObject(), name);
}

QQuickItem* SceneRig::item(const QString& within, const QString& name) const
{
    QQuickItem* outer = item(within);
    return outer ? find(outer, name) : nullptr;
}

QQuickItem* SceneRig::find(QQuickItem* from, const QString& name)
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

bool SceneRig::click(QQuickItem* target) const
{
    return target && clickAt(target, QPointF(target->width() / 2, target->height() / 2));
}

bool SceneRig::clickAt(QQuickItem* target, const QPointF& local) const
{
    // Clicked where the user sees it: items made or moved just now are laid out before the next frame.
    if (!target || !target->isVisible() || !QQuickTest::qWaitForPolish(widget->view()->quickWindow())) {
        return false;
    }
    QTest::mouseClick(widget->view(), Qt::LeftButton, {}, target->mapToScene(local).toPoint());
    return true;
}

namespace {

QQuickItem* taker(QQuickItem* item, const QPointF& scenePoint)
{
    if (!item->isVisible() || !item->isEnabled()) {
        return nullptr;
    }
    const QPointF local = item->mapFromScene(scenePoint);
    if (item->clip() && !item->contains(local)) {
        return nullptr;
    }
    // Children in painting order, the last painted first.
    QList<QQuickItem*> children = item->childItems();
    std::stable_sort(
        children.begin(), children.end(), [](const QQuickItem* a, const QQuickItem* b) { return a->z() < b->z(); });
    for (auto child = children.crbegin(); child != children.crend(); ++child) {
        if (QQuickItem* found = taker(*child, scenePoint)) {
            return found;
        }
    }
    // A MouseArea's own "enabled" only keeps presses from it, not from its children.
    const bool takes = (item->acceptedMouseButtons() & Qt::LeftButton) && item->property("enabled").toBool();
    return takes && item->contains(local) ? item : nullptr;
}

} // namespace

QQuickItem* SceneRig::takerAt(const QPointF& scenePoint) const
{
    return taker(widget->view()->rootObject(), scenePoint);
}

bool SceneRig::choose(QQuickItem* list, int entry) const
{
    if (!click(list)) {
        return false;
    }
    const QString name = list->objectName() + QStringLiteral("_entry") + QString::number(entry);
    QQuickItem* found = nullptr;
    // The list slides open; an entry can be clicked once its view has placed it and shows all of it.
    const bool shown = QTest::qWaitFor(
        [&] {
            found = find(list, name);
            QQuickItem* view = found && found->parentItem() ? found->parentItem()->parentItem() : nullptr;
            if (!view || !found->isVisible() || found->height() <= 0) {
                return false;
            }
            view->ensurePolished();
            const QRectF inView = found->mapRectToItem(view, QRectF(0, 0, found->width(), found->height()));
            return inView.top() >= 0 && inView.bottom() <= view->height();
        },
        SettleMs);
    if (!shown) {
        return false;
    }
    if (!click(found)) {
        return false;
    }
    // The list slides shut over what lies below it: wait until it is gone.
    const QPointer<QQuickItem> entryItem(found);
    return QTest::qWaitFor(
        [list, entryItem] { return !list->property("isDrop").toBool() && (!entryItem || !entryItem->isVisible()); },
        SettleMs);
}

bool SceneRig::type(QQuickItem* field, const QString& text) const
{
    if (!click(field)) {
        return false;
    }
    QTest::keyClicks(widget->view(), text);
    QTest::keyClick(widget->view(), Qt::Key_Return);
    return true;
}

void SceneRig::captureDesktopKeys()
{
    hook = std::make_unique<InputHook>(false, InputCapture::Source::Desktop, InputHook::Installation::OnDemand);
    hook->setKeyboardCallback(Widget::onHookKeyboard, widget.get());
    capture = std::make_unique<KeyCapture>(*hook);
    screens()->setCapture(capture.get());
}

bool SceneRig::desktopRead() const
{
    return hook && hook->hooksInstalled();
}
