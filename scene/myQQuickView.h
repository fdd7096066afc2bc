#ifndef QX7_MYQQUICKVIEW_H
#define QX7_MYQQUICKVIEW_H

#include "AppRulesScreen.h"
#include "SceneCalls.h"
#include "Screens.h"

#include <QQuickWidget>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QVariant>
#include <memory>

class ActiveWindow;
class Core;
class DesktopPointer;
class DeviceOperations;
class FileDialogChooser;
class Hid_Thread;

// The window that shows the scene ("ui_View"). The scene reaches the screens (SceneTypes); the view
// builds the core, gives the screens the desktop's pointer settings and the application in front,
// and calls the scene's functions for the device operations and the window.
class myQQuickView : public QQuickWidget, public SceneCalls, public PointerControl, public AppWatch
{
    Q_OBJECT

public:
    // `baseDir` holds modules/.
    explicit myQQuickView(const QString& baseDir, QWidget* parent = nullptr);
    ~myQQuickView() override;

    // Attaches the link; the screens exist from here on, before the scene is loaded.
    void setHid(Hid_Thread* hid);
    Screens* screens() const;
    DeviceOperations* operations() const;

    // While the window is hidden, the scene and what it holds (its objects, images, glyphs and
    // compiled types) are given back; the screens keep every rule and value, so the scene made
    // again when the window shows looks as it was. A scene with a dialog open, or busy, is kept.
    void releaseWhenHidden();
    bool sceneReleased() const { return m_released; }

    // Scene calls from hooks: queued, so the scene never runs inside them.
    void detectKeyboard(bool pressed, int code);
    void detectMouse(bool pressed, uint button, uint x, uint y);

    // SceneCalls
    void setProtectUI(int milliseconds) override;

    // PointerControl: the system-settings screen's levels for the desktop.
    bool setCursorSpeed(int level) override;
    bool setDoubleClickSpeed(int level) override;
    bool setScrollLines(int lines) override;
    bool offers(Setting setting) const override;
    void setCurrentDPI(int stage) override;

    // AppWatch: the desktop's window in front.
    bool follows() const override;
    QStringList runningApplications() const override;

    // A mouse was found: the link's busy flag is cleared, the scene's start-up runs (once a
    // transfer has ended) and then its opening.
    void clearHidBusy();
    void initUI();
    void runUI();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Calls a scene function by name on the root object.
    bool callScene(const char* function, Qt::ConnectionType type, const QVariantList& arguments = {});
    // What the scene's function of that name does, for the calls that reach a released scene.
    bool callScreens(const char* function, const QVariantList& arguments);
    void releaseScene();
    void restoreScene();
    DesktopPointer& pointer() const;
    void frontChanged();

    std::unique_ptr<Core> m_core;
    std::unique_ptr<FileDialogChooser> m_chooser;
    mutable std::unique_ptr<DesktopPointer> m_pointer;
    std::unique_ptr<ActiveWindow> m_activeWindow;
    bool m_sceneStarted = false;
    bool m_released = false;
    QUrl m_sceneUrl;
    QTimer m_releaseTimer;
};

#endif // QX7_MYQQUICKVIEW_H
