#ifndef QX7_TEST_SCENERIG_H
#define QX7_TEST_SCENERIG_H

#include "TempModules.h"
#include "VirtualLink.h"
#include "Widget.h"

#include <QPointF>
#include <QStringList>
#include <memory>

class InputHook;
class KeyCapture;
class MainScreen;
class QQuickItem;
class Screens;

// The real scene in the real window over a temporary copy of the shipped files, against the
// virtual mouse, driven by clicks at the items' positions as the user makes them.
class SceneRig
{
public:
    // `family` "553" or "560": the mouse and the global configuration's controller type.
    explicit SceneRig(const QString& family);
    ~SceneRig();

    Screens* screens() const;
    MainScreen* main() const;
    // Started, shown, not behind the busy guard, and taking input.
    bool ready() const;
    // Waits until the scene is ready again after a flow.
    bool settle() const;

    // Searches the visual tree: list entries belong to their view's content item only.
    QQuickItem* item(const QString& name) const;
    static QQuickItem* find(QQuickItem* from, const QString& name);
    // An item of one dialog or panel, where names repeat across the scene.
    QQuickItem* item(const QString& within, const QString& name) const;

    // A click in the middle of an item, or at a point of it; false when the item is missing or
    // not shown.
    bool click(QQuickItem* target) const;
    bool clickAt(QQuickItem* target, const QPointF& local) const;
    // The item a press at a point of the scene goes to: the topmost enabled item there that takes
    // the left button, searched as the window delivers presses.
    QQuickItem* takerAt(const QPointF& scenePoint) const;
    // Opens a drop-down list and clicks one of its entries once the list shows it whole.
    bool choose(QQuickItem* list, int entry) const;
    // Clicks a number field, types the text and ends the input with Enter.
    bool type(QQuickItem* field, const QString& text) const;
    // Reads the desktop's keys as the program does: the hook exists while a screen captures. For
    // a test that types into an X server of its own.
    void captureDesktopKeys();
    bool desktopRead() const;

    TempModules modules;
    VirtualMouse mouse;
    RecordingClock clock;
    std::unique_ptr<Widget> widget;
    std::unique_ptr<InputHook> hook;
    std::unique_ptr<KeyCapture> capture;
};

// Warnings from the scene (binding loops, type errors, missing images), collected so that a test
// can fail on them.
namespace SceneWarnings {

void install();
void clear();
QStringList take();

} // namespace SceneWarnings

#endif // QX7_TEST_SCENERIG_H
