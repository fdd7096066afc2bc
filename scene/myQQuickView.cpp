#include "myQQuickView.h"

#include "ActiveWindow.h"
#include "ConfigStore.h"
#include "Core.h"
#include "DesktopPointer.h"
#include "DeviceOperations.h"
#include "FileDialogChooser.h"
#include "Hid_Thread.h"
#include "MainScreen.h"
#include "SceneTypes.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFocusEvent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QResizeEvent>
#include <QThread>
#include <QTimer>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// How often a start-up asked for during a transfer looks again whether the transfer has ended.
constexpr int InitRetryMs = 50;

// A window closed and opened again at once keeps its scene.
constexpr int ReleaseDelayMs = 3000;

} // namespace

myQQuickView::myQQuickView(const QString& baseDir, QWidget* parent)
    : QQuickWidget(parent)
    , m_core(std::make_unique<Core>(baseDir))
    , m_chooser(std::make_unique<FileDialogChooser>(this))
{
    m_core->store().setFileChooser(m_chooser.get());
    // The scene module is compiled in, under qrc:/QX7.
    engine()->addImportPath(QStringLiteral("qrc:/"));
    setResizeMode(QQuickWidget::SizeViewToRootObject);
    m_releaseTimer.setSingleShot(true);
    m_releaseTimer.setInterval(ReleaseDelayMs);
    connect(&m_releaseTimer, &QTimer::timeout, this, &myQQuickView::releaseScene);
}

myQQuickView::~myQQuickView()
{
    m_core->store().setFileChooser(nullptr);
}

void myQQuickView::setHid(Hid_Thread* hid)
{
    m_core->attach(hid);
    if (!hid) {
        SceneTypes::publish(engine(), nullptr);
        return;
    }
    operations()->setScene(this);
    screens()->setPointer(this);
    connect(screens()->main(), &MainScreen::viewEnabledChanged, this, [this] {
        setEnabled(screens()->main()->viewEnabled());
    });
    if (!m_activeWindow) {
        m_activeWindow = ActiveWindow::create();
        if (m_activeWindow) {
            connect(m_activeWindow.get(), &ActiveWindow::changed, this, &myQQuickView::frontChanged);
        }
    }
    screens()->appRules()->setWatch(this);
    frontChanged();
    SceneTypes::publish(engine(), screens());
}

Screens* myQQuickView::screens() const
{
    return m_core->screens();
}

DeviceOperations* myQQuickView::operations() const
{
    return m_core->operations();
}

bool myQQuickView::follows() const
{
    return m_activeWindow != nullptr;
}

QStringList myQQuickView::runningApplications() const
{
    return m_activeWindow ? m_activeWindow->runningApplications() : QStringList();
}

void myQQuickView::frontChanged()
{
    if (!m_activeWindow || !screens()) {
        return;
    }
    const ActiveWindow::Info info = m_activeWindow->current();
    screens()->appRules()->setFrontWindow(
        {info.application, info.windowClass, info.title, info.pid == QCoreApplication::applicationPid()});
}

bool myQQuickView::callScene(const char* function, Qt::ConnectionType type, const QVariantList& a)
{
    QQuickItem* root = rootObject();
    if (!root) {
        return m_released && callScreens(function, a);
    }
    switch (a.size()) {
        case 0:
            return QMetaObject::invokeMethod(root, function, type);
        case 1:
            return QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, a.at(0)));
        case 2:
            return QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, a.at(0)), Q_ARG(QVariant, a.at(1)));
        case 4:
            return QMetaObject::invokeMethod(root,
                                             function,
                                             type,
                                             Q_ARG(QVariant, a.at(0)),
                                             Q_ARG(QVariant, a.at(1)),
                                             Q_ARG(QVariant, a.at(2)),
                                             Q_ARG(QVariant, a.at(3)));
        default:
            return false;
    }
}

bool myQQuickView::callScreens(const char* function, const QVariantList& a)
{
    MainScreen* main = screens() ? screens()->main() : nullptr;
    if (!main) {
        return false;
    }
    const QByteArray name(function);
    if (name == "initUI") {
        main->initUI();
    } else if (name == "setProtectUI" && a.size() == 1) {
        main->setProtectUI(a.at(0).toInt());
    } else if (name == "setCurrentDPI" && a.size() == 1) {
        main->setCurrentDPI(a.at(0).toInt());
    } else if (name == "detectKeyboard" && a.size() == 2) {
        main->routeKeyboard(a.at(0).toBool(), a.at(1).toInt());
    } else if (name != "run" && name != "detectMouse") {
        return false;
    }
    return true;
}

void myQQuickView::releaseWhenHidden()
{
    m_releaseTimer.start();
}

void myQQuickView::releaseScene()
{
    QQuickItem* root = rootObject();
    if (m_released || !root || isVisible()) {
        return;
    }
    const bool busy = screens() && screens()->main()->busy();
    if (busy || (operations() && operations()->hid() && operations()->hid()->inExchange())) {
        m_releaseTimer.start();
        return;
    }
    if (root->property("dialogOpen").toBool()) {
        return;
    }
    m_sceneUrl = source();
    m_released = true;
    setSource(QUrl());
    engine()->collectGarbage();
    engine()->clearComponentCache();
    // The drawing of the items that went (nodes, textures, glyphs) goes at the next frame, which a
    // hidden window does not draw: one frame of the empty scene, drawn here, lets it go.
    grabFramebuffer();
    quickWindow()->releaseResources();
    // The view's own frame, an image the size of the window, is made again with the scene.
    const QSize shown = size();
    resize(1, 1);
    QResizeEvent shrink(size(), shown);
    QCoreApplication::sendEvent(this, &shrink);
#ifdef __GLIBC__
    // What the scene held goes back to the system, not only to the allocator.
    malloc_trim(0);
#endif
}

void myQQuickView::restoreScene()
{
    m_releaseTimer.stop();
    if (!m_released) {
        return;
    }
    m_released = false;
    setSource(m_sceneUrl);
    // The scene's initUI has run before: the new root shows what the screens hold.
    if (QQuickItem* root = rootObject(); root && m_sceneStarted) {
        root->setVisible(true);
    }
}

void myQQuickView::showEvent(QShowEvent* event)
{
    restoreScene();
    QQuickWidget::showEvent(event);
}

void myQQuickView::hideEvent(QHideEvent* event)
{
    QQuickWidget::hideEvent(event);
    releaseWhenHidden();
}

void myQQuickView::detectKeyboard(bool pressed, int code)
{
    callScene("detectKeyboard", Qt::QueuedConnection, {pressed, code});
}

void myQQuickView::detectMouse(bool pressed, uint button, uint x, uint y)
{
    callScene("detectMouse", Qt::QueuedConnection, {pressed, button, x, y});
}

void myQQuickView::setProtectUI(int milliseconds)
{
    callScene("setProtectUI", Qt::DirectConnection, {milliseconds});
}

void myQQuickView::setCurrentDPI(int stage)
{
    // The listener calls this from its own thread; the scene is only touched on the GUI thread.
    QMetaObject::invokeMethod(
        this, [this, stage] { callScene("setCurrentDPI", Qt::DirectConnection, {stage}); }, Qt::QueuedConnection);
}

void myQQuickView::initUI()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            // Run from the events of a transfer, its reads would find the link taken and be lost
            // (and the pending sends with them): once the transfer is over.
            if (operations() && operations()->hid()->inExchange()) {
                QTimer::singleShot(InitRetryMs, this, &myQQuickView::initUI);
                return;
            }
            // The start-up lines (read by the benchmark) say that the scene's initUI has returned, and
            // when the scene it made visible has been drawn.
            if (callScene("initUI", Qt::DirectConnection) && !m_sceneStarted) {
                m_sceneStarted = true;
                qDebug() << "Scene started";
                connect(
                    quickWindow(),
                    &QQuickWindow::afterRendering,
                    this,
                    [] { qDebug() << "Scene drawn"; },
                    Qt::SingleShotConnection);
            }
        },
        Qt::QueuedConnection);
}

void myQQuickView::runUI()
{
    callScene("run", Qt::QueuedConnection);
}

void myQQuickView::focusInEvent(QFocusEvent* event)
{
    QQuickWidget::focusInEvent(event);
    repaint();
    event->accept();
}

void myQQuickView::clearHidBusy()
{
    if (operations()) {
        operations()->clearHidBusy();
    }
}

DesktopPointer& myQQuickView::pointer() const
{
    // The desktop's settings service is only reached once the user changes a pointer setting.
    if (!m_pointer) {
        m_pointer = std::make_unique<DesktopPointer>();
    }
    return *m_pointer;
}

bool myQQuickView::offers(Setting setting) const
{
    switch (setting) {
        case Setting::CursorSpeed:
            return pointer().offers(PointerSettings::Setting::PointerSpeed);
        case Setting::DoubleClickSpeed:
            return pointer().offers(PointerSettings::Setting::DoubleClickTime);
        case Setting::ScrollLines:
            return pointer().offers(PointerSettings::Setting::WheelScrollLines);
    }
    return false;
}

bool myQQuickView::setCursorSpeed(int level)
{
    return pointer().mouseSetCursorSpeed(static_cast<uint>(level));
}

bool myQQuickView::setDoubleClickSpeed(int level)
{
    return pointer().mouseSetDoubleClickSpeed(static_cast<uint>(level));
}

bool myQQuickView::setScrollLines(int lines)
{
    return pointer().mouseSetVerticalScrollLines(static_cast<uint>(lines));
}
