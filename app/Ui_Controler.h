#ifndef QX7_UI_CONTROLER_H
#define QX7_UI_CONTROLER_H

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class Hid_Thread;
class MenuEntries;
class QMenu;
class QWidget;
class myQQuickView;

// The window operations the scene asks for ("ui_Ctl"), and the set-up of the frameless window
// around the scene.
class Ui_Controler : public QObject
{
    Q_OBJECT

public:
    explicit Ui_Controler(QObject* parent = nullptr);

    // Builds the view inside `widget` with the link attached and loads the scene; `baseDir` holds
    // modules/.
    void setupWindow(QWidget* widget, Hid_Thread* hid, const QString& baseDir);
    // The tray's menu, offered in the window while `trayAvailable` says there is no tray to hold it.
    void setTrayMenu(QMenu* menu, std::function<bool()> trayAvailable);

    // The tray menu's entries for the window, brought up to date; null while the tray holds them.
    Q_INVOKABLE QObject* windowMenu();
    // Hands a drag of the window to the window system, which alone can move a window on some
    // sessions (Wayland); false where it cannot take it, and onXChanged/onYChanged move it instead.
    Q_INVOKABLE bool startSystemMove();

    QPointer<QWidget> window;
    myQQuickView* view = nullptr;

    static const char* const SceneUrl;

public slots:
    void onMinimize();
    void onClose();
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime);
    void setBusy();

private:
    void loadWindowTitle(const QString& baseDir);
    bool trayAvailable() const;

    MenuEntries* m_menuEntries = nullptr;
    QMenu* m_trayMenu = nullptr;
    std::function<bool()> m_trayAvailable;
};

#endif // QX7_UI_CONTROLER_H
