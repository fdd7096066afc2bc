#include "Widget.h"

#include "AppRulesScreen.h"
#include "CheckTimer.h"
#include "ConfigStore.h"
#include "DesktopNotifier.h"
#include "DeviceConnector.h"
#include "DeviceOperations.h"
#include "DpiSwitchTexts.h"
#include "HidTransport.h"
#include "MainScreen.h"
#include "Screens.h"
#include "StorePaths.h"
#include "Ui_Controler.h"
#include "myQQuickView.h"

#include <QAction>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QIcon>
#include <QLoggingCategory>
#include <QMenu>
#include <QTimer>
#include <cerrno>

std::atomic<bool> Widget::deviceConnected {false};

namespace {

// How often a quit asked for during a transfer looks again whether the transfer has ended.
constexpr int QuitRetryMs = 50;

} // namespace

const char* const Widget::TrayMenuStyle
    = "QMenu { border: 1px solid rgb(100, 100, 100); background: rgb(68, 69, 73); } QMenu::item { height: 22px; "
      "padding: 0px 25px 0px 20px; } QMenu::item:enabled { color: rgb(225, 225, 225); } QMenu::item:!enabled { "
      "color: rgb(155, 155, 155); } QMenu::item:enabled:selected { color: rgb(230, 230, 230); background: rgba(255, "
      "255, 255, 40); } QMenu::separator { height: 1px; background: rgb(100, 100, 100); } QMenu::indicator { width: "
      "13px; height: 13px; } QMenu::icon { padding-left: 2px; padding-right: 2px; } ";

Widget::Widget(const QString& baseDir,
               HidTransport* transport,
               HidClock* clock,
               CheckTimer* timer,
               const QString& shippedDir)
    : QWidget(nullptr)
    , monitorTimer(timer ? timer : new QtCheckTimer)
    , uiController(nullptr)
    , hidThread(transport, clock)
    , trayIcon(nullptr)
    , m_baseDir(baseDir)
    , m_shippedDir(shippedDir.isEmpty() ? baseDir : shippedDir)
    , m_notifier(DesktopNotifier::create(this))
    , m_autostart(QCoreApplication::applicationFilePath())
{
    hidThread.setOwnerWidget(this);
    uiController = new Ui_Controler;
    uiController->setupWindow(this, &hidThread, baseDir);
    connect(monitorTimer, &CheckTimer::timeout, this, &Widget::checkDevice);
    setupTray();
    view()->screens()->store().setWriteFailureHandler([this](const QString& file) { writeFailed(file); });
    // The scene shows its own messages; with the window hidden only the tray can.
    connect(view()->screens()->main(), &MainScreen::noticeShown, this, [this](const QString& text) {
        if (!isVisible()) {
            balloon(QStringLiteral("Info"), text, QSystemTrayIcon::Warning);
        }
    });
}

Widget::~Widget()
{
    // The listener calls into this widget from its own thread: it has to end before anything
    // here goes.
    hidThread.stopListen();
    hidThread.waitListener();
    // The store goes with the view, after this widget: its last writes must not call back here.
    if (myQQuickView* v = view()) {
        v->screens()->store().setWriteFailureHandler({});
    }
    uiController->deleteLater();
    delete monitorTimer;
}

namespace {

QLoggingCategory::CategoryFilter g_previousFilter = nullptr;

// Qt's own tray icon connects to a platform signal that only some platforms have, and warns about
// it at every start where it is missing: nothing the user can act on.
void quietTrayConnect(QLoggingCategory* category)
{
    // Installing runs the filter before the previous one is known; the categories keep their state.
    if (g_previousFilter) {
        g_previousFilter(category);
    }
    if (qstrcmp(category->categoryName(), "qt.core.qobject.connect") == 0) {
        category->setEnabled(QtWarningMsg, false);
    }
}

} // namespace

void Widget::setupTray()
{
    trayIcon = new QSystemTrayIcon(this);
    m_quit = new QAction(tr("Quit (&Q)"), this);
    connect(m_quit, &QAction::triggered, this, &Widget::exitSYS);
    m_menu = new QMenu(this);
    m_settingsEnd = m_menu->addSeparator();
    m_menu->addAction(m_quit);
    m_menu->setStyleSheet(QString::fromLatin1(TrayMenuStyle));
    m_startWithDesktop = addToggle(tr("Start with the desktop"));
    connect(m_startWithDesktop, &QAction::triggered, this, &Widget::setStartWithDesktop);
    setupFollowing();
    connect(m_menu, &QMenu::aboutToShow, this, &Widget::refreshMenu);
    refreshMenu();
    trayIcon->setContextMenu(m_menu);
    uiController->setTrayMenu(m_menu, [this] { return trayAvailable(); });
    if (m_notifier) {
        connect(m_notifier, &DesktopNotifier::actionInvoked, this, &Widget::messageAction);
    }
    trayIcon->setToolTip(QStringLiteral("ORDANE TALVEK MOUSE QX7"));
    trayIcon->setIcon(QIcon(QDir(m_shippedDir).filePath(QStringLiteral("modules/img/logo.ico"))));
    connect(trayIcon, &QSystemTrayIcon::activated, this, &Widget::trayIconActivated);
    g_previousFilter = QLoggingCategory::installFilter(quietTrayConnect);
    trayIcon->setVisible(true);
    QLoggingCategory::installFilter(g_previousFilter);
}

void Widget::setupFollowing()
{
    // Profiles that follow the application in front: on or off from the menu, and a message at
    // each switch.
    AppRulesScreen* rules = view()->screens()->appRules();
    m_follow = addToggle(rules->lang().at(AppRulesScreen::SwitchText));
    const auto showRules = [this, rules] {
        m_follow->setChecked(rules->enabled());
        m_follow->setEnabled(rules->available());
    };
    showRules();
    connect(rules, &AppRulesScreen::rulesChanged, m_follow, showRules);
    connect(rules, &AppRulesScreen::availableChanged, m_follow, showRules);
    connect(m_follow, &QAction::toggled, rules, [rules](bool on) {
        if (on != rules->enabled()) {
            rules->setEnabled(on);
        }
    });
    connect(rules, &AppRulesScreen::switched, this, [this, rules](const QString& profile, const QString& application) {
        balloon(QStringLiteral("Info"),
                rules->lang().at(AppRulesScreen::TrayText).arg(profile, application),
                QSystemTrayIcon::Information);
    });
}

QAction* Widget::addToggle(const QString& text)
{
    auto* action = new QAction(text, this);
    action->setCheckable(true);
    m_menu->insertAction(m_settingsEnd, action);
    return action;
}

bool Widget::trayAvailable() const
{
    return m_trayCheck ? m_trayCheck() : QSystemTrayIcon::isSystemTrayAvailable();
}

void Widget::refreshMenu()
{
    // qx7ctl or the desktop's session settings may have changed it since.
    const QSignalBlocker blocker(m_startWithDesktop);
    m_startWithDesktop->setChecked(m_autostart.isOn());
}

void Widget::setStartWithDesktop(bool on)
{
    QString error;
    if (!m_autostart.setOn(on, &error)) {
        balloon(QStringLiteral("Info"),
                tr("Start with the desktop could not be changed: %1").arg(error),
                QSystemTrayIcon::Warning);
    }
    refreshMenu();
}

void Widget::messageAction(const QString& key)
{
    if (key == QLatin1String("quit")) {
        exitSYS();
    } else if (key == QLatin1String("default") && deviceConnected) {
        requestRestore();
    }
}

void Widget::tellWaiting()
{
    if (m_lastDenied) {
        balloon(QStringLiteral("Info"), deniedText(), QSystemTrayIcon::Warning);
    } else if (trayAvailable()) {
        balloon(QStringLiteral("Info"),
                tr("No mouse is connected. The program waits in the tray: once the mouse is plugged in, "
                   "double-click the tray icon to open the window."),
                QSystemTrayIcon::Information);
    } else {
        balloon(QStringLiteral("Info"),
                tr("No mouse is connected. The program waits in the background: once the mouse is plugged in, "
                   "click the message that says so, or start the program again, to open the window."),
                QSystemTrayIcon::Information,
                {QStringLiteral("quit"), tr("Quit")});
    }
}

myQQuickView* Widget::view() const
{
    return uiController ? uiController->view : nullptr;
}

void Widget::trayIconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick && deviceConnected) {
        requestRestore();
    }
}

void Widget::receiveMessage(const QString& message)
{
    Q_UNUSED(message);
    if (deviceConnected) {
        requestRestore();
    } else {
        tellWaiting();
    }
}

void Widget::restoreWindow()
{
    setVisible(true);
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
    qDebug() << "Window restored";
    emit restored();
}

void Widget::exitSYS()
{
    hidThread.stopListen();
    if (hidThread.inExchange()) {
        // Called from a pause of a transfer: ending the event loops now would leave the rest of the
        // transfer to run against a program that is shutting down. Quit once it is over.
        QTimer::singleShot(QuitRetryMs, this, &Widget::exitSYS);
        return;
    }
    QCoreApplication::exit(0);
}

void Widget::deviceChanged()
{
    if (!hidThread.isListening()) {
        monitorTimer->restart();
    }
}

void Widget::checkDevice()
{
    if (hidThread.inExchange()) {
        // Called from a pause of a transfer: the handshake would find the link taken and the mouse
        // would count as gone. Check once the transfer is over.
        monitorTimer->restart();
        return;
    }
    const int index = DeviceConnector::findAndVerify(hidThread, StorePaths(m_baseDir).globalConfig());
    if (index < 0) {
        qDebug() << "Device DisConnect";
        deviceConnected = false;
        m_lastDenied = hidThread.transport()->lastOpenError() == EACCES;
        const bool warned = warnIfDenied();
        const bool wasShown = isVisible();
        hide();
        // Also when started hidden with the desktop: nothing shows the scene until a mouse is there.
        view()->releaseWhenHidden();
        // A window that vanishes at a start by hand, or where no tray icon is left to show, would
        // leave the user guessing.
        if (wasShown && !warned && (!m_checkedOnce || !trayAvailable())) {
            tellWaiting();
        }
        m_checkedOnce = true;
        return;
    }
    m_checkedOnce = true;
    qDebug() << "Device Connect";
    myQQuickView* v = view();
    v->clearHidBusy();
    deviceConnected = true;
    balloon(QStringLiteral("Info"), QStringLiteral("Detect Device"), QSystemTrayIcon::Information);
    v->operations()->connectDevice(index, true);
    v->setEnabled(true);
    v->initUI();
    QCoreApplication::postEvent(this, new UserEvent(UserEvent::StartScene));
}

QString Widget::deniedText()
{
    return tr("The mouse is attached, but this user may not open it. Install the udev rule that comes with "
              "the program and plug the mouse in again.");
}

bool Widget::warnIfDenied()
{
    // A mouse that is present but may not be opened would otherwise just look absent.
    if (m_deniedWarned || !m_lastDenied) {
        return false;
    }
    m_deniedWarned = true;
    balloon(QStringLiteral("Info"), deniedText(), QSystemTrayIcon::Warning);
    return true;
}

void Widget::writeFailed(const QString& file)
{
    // The store has logged the file; one balloon a run is enough to say changes are not kept.
    if (m_writeWarned) {
        return;
    }
    m_writeWarned = true;
    balloon(QStringLiteral("Info"),
            tr("A settings file could not be written, so changes are not kept: %1").arg(file),
            QSystemTrayIcon::Warning);
}

void Widget::balloon(const QString& title,
                     const QString& message,
                     QSystemTrayIcon::MessageIcon icon,
                     const QStringList& actions)
{
    if (m_notifier && !trayAvailable()) {
        // A click on the message does what a double click on the tray icon does.
        m_notifier->notify(title,
                           message,
                           icon == QSystemTrayIcon::Warning,
                           QStringList {QStringLiteral("default"), tr("Open")} + actions);
    } else {
        trayIcon->showMessage(title, message, icon, 10000);
    }
    emit trayMessage(title, message);
}

void Widget::customEvent(QEvent* event)
{
    if (event->type() == static_cast<QEvent::Type>(UserEvent::Type)
        && static_cast<UserEvent*>(event)->eventCode == UserEvent::StartScene) {
        if (myQQuickView* v = view()) {
            v->runUI();
        }
    }
}

bool Widget::isGun() const
{
    const myQQuickView* v = view();
    return v && v->operations() && v->operations()->isGun();
}

ControllerFamily Widget::family() const
{
    const myQQuickView* v = view();
    return v && v->operations() ? v->operations()->family() : ControllerFamily::Set553;
}

void Widget::setCurrentDPI(int stage)
{
    if (myQQuickView* v = view()) {
        v->setCurrentDPI(stage);
    }
    // Picked now, in the language loaded when the mouse reported the stage.
    const QString message = DpiSwitchTexts::forStage(stage) + QLatin1Char(' ');
    QMetaObject::invokeMethod(
        this,
        [this, message] { balloon(QStringLiteral("Info"), message, QSystemTrayIcon::Information); },
        Qt::QueuedConnection);
}

void Widget::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (myQQuickView* v = view(); v && v->screens()) {
        v->screens()->endCaptures();
    }
}

void Widget::setViewEnabled(bool enabled)
{
    QMetaObject::invokeMethod(
        this,
        [this, enabled] {
            if (myQQuickView* v = view()) {
                v->setEnabled(enabled);
                // The listener disables the view when the mouse goes away.
                if (!enabled && v->screens()) {
                    v->screens()->endCaptures();
                }
            }
        },
        Qt::QueuedConnection);
}

void Widget::onHookKeyboard(uint8_t code, uint8_t pressed, void* context)
{
    if (auto* w = static_cast<Widget*>(context)) {
        if (myQQuickView* v = w->view()) {
            v->detectKeyboard(pressed != 0, code);
        }
    }
}

void Widget::onHookMouse(uint8_t button, uint8_t pressed, int32_t x, int32_t y, void* context)
{
    if (auto* w = static_cast<Widget*>(context)) {
        if (myQQuickView* v = w->view()) {
            v->detectMouse(pressed != 0, button, static_cast<uint>(x), static_cast<uint>(y));
        }
    }
}
