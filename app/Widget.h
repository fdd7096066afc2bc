#ifndef QX7_WIDGET_H
#define QX7_WIDGET_H

#include "Autostart.h"
#include "HidOwner.h"
#include "Hid_Thread.h"

#include <QEvent>
#include <QSystemTrayIcon>
#include <QWidget>
#include <atomic>
#include <functional>

class CheckTimer;
class DesktopNotifier;
class HidClock;
class HidTransport;
class QAction;
class QMenu;
class Ui_Controler;
class myQQuickView;

// The event that starts the scene after a device check; handled once the scene's initUI() ran.
class UserEvent : public QEvent
{
public:
    static constexpr int Type = QEvent::User;
    static constexpr int StartScene = 2177;

    explicit UserEvent(int code)
        : QEvent(static_cast<QEvent::Type>(Type))
        , eventCode(code)
    {
    }
    int eventCode;
};

// The main window: the frameless surface of the scene, the tray icon, the HID link and the device
// check that switches the program between its connected and disconnected behaviour.
class Widget : public QWidget, public HidOwner
{
    Q_OBJECT

public:
    // Without a transport the link uses hidapi; without a timer the check waits 2048 ms for real.
    // `baseDir` holds the store's modules/, `shippedDir` the shipped one with the tray icon (empty:
    // `baseDir`).
    explicit Widget(const QString& baseDir = QStringLiteral("."),
                    HidTransport* transport = nullptr,
                    HidClock* clock = nullptr,
                    CheckTimer* timer = nullptr,
                    const QString& shippedDir = QString());
    ~Widget() override;

    // Process-wide: a device passed the last check.
    static std::atomic<bool> deviceConnected;
    static const char* const TrayMenuStyle;

    // Hook callbacks; the context is the widget.
    static void onHookKeyboard(uint8_t code, uint8_t pressed, void* context);
    static void onHookMouse(uint8_t button, uint8_t pressed, int32_t x, int32_t y, void* context);

    myQQuickView* view() const;
    QSystemTrayIcon* tray() const { return trayIcon; }
    QAction* quitAction() const { return m_quit; }
    QAction* startWithDesktopAction() const { return m_startWithDesktop; }
    QAction* followAction() const { return m_follow; }
    // A checkable entry of the tray menu, among the settings above Quit; the window's copy of the
    // menu shows it too.
    QAction* addToggle(const QString& text);

    // Whether a tray shows the icon, its menu and the messages; asked each time, since a desktop's
    // tray may come and go. Tests put their own answer in its place.
    bool trayAvailable() const;
    void setTrayCheck(std::function<bool()> check) { m_trayCheck = std::move(check); }
    // Says that no mouse is connected and where the program waits for one.
    void tellWaiting();

    // HidOwner, partly called from the listener's thread. A reported DPI stage goes to the view and,
    // worded in the loaded language, to the tray.
    bool isGun() const override;
    ControllerFamily family() const override;
    void setCurrentDPI(int stage) override;
    void setViewEnabled(bool enabled) override;

    CheckTimer* monitorTimer;
    Ui_Controler* uiController;
    Hid_Thread hidThread;
    QSystemTrayIcon* trayIcon;

public slots:
    void trayIconActivated(QSystemTrayIcon::ActivationReason reason);
    void checkDevice();
    void exitSYS();
    void receiveMessage(const QString& message);
    // A HID device came or went: check again once the notices settle, unless a device is in use.
    void deviceChanged();

signals:
    // Every tray balloon shown, and every restore of the window: diagnostics for tests and tools.
    void trayMessage(const QString& title, const QString& message);
    void restored();

protected:
    void customEvent(QEvent* event) override;
    // Hidden, minimised or left for the tray: nothing the user types elsewhere may be read.
    void hideEvent(QHideEvent* event) override;
    // Windows: device-change broadcasts and the restore request arrive as window messages.
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void setupTray();
    void requestRestore();
    void restoreWindow();
    bool warnIfDenied();
    static QString deniedText();
    void balloon(const QString& title,
                 const QString& message,
                 QSystemTrayIcon::MessageIcon icon,
                 const QStringList& actions = {});
    void setStartWithDesktop(bool on);
    void refreshMenu();
    void setupFollowing();
    void messageAction(const QString& key);
    void writeFailed(const QString& file);

    QString m_baseDir;
    QString m_shippedDir;
    QAction* m_quit = nullptr;
    QAction* m_startWithDesktop = nullptr;
    QAction* m_settingsEnd = nullptr;
    QAction* m_follow = nullptr;
    QMenu* m_menu = nullptr;
    DesktopNotifier* m_notifier = nullptr;
    std::function<bool()> m_trayCheck;
    Autostart m_autostart;
    bool m_deniedWarned = false;
    bool m_lastDenied = false;
    bool m_checkedOnce = false;
    bool m_writeWarned = false;
};

#endif // QX7_WIDGET_H
