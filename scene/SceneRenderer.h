#ifndef QX7_SCENERENDERER_H
#define QX7_SCENERENDERER_H

#include <QQuickWindow>
#include <QtGlobal>

namespace SceneRenderer {

// The scene (flat images, text and rectangles, one small animation at a time) is drawn by Qt Quick's
// software renderer unless QT_QUICK_BACKEND asks for another. Through OpenGL the same pixels cost
// the whole graphics stack: on a machine without a GPU driver (Mesa's software OpenGL) two and a
// half times the memory and more start-up time, paid all day by a program that lives in the tray.
// Called before the first Quick window is made.
inline void chooseDefault()
{
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND")) {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    }
}

} // namespace SceneRenderer

#endif // QX7_SCENERENDERER_H
