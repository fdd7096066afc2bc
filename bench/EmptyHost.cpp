// The bench's hosting floor; writes "First frame" once its window has drawn its first frame.
#include "SceneRenderer.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QMenu>
#include <QQuickWidget>
#include <QSystemTrayIcon>
#include <cstdio>

namespace {

void sayFirstFrame()
{
    std::fprintf(stderr, "First frame\n");
    std::fflush(stderr);
}

} // namespace

// What the configurator's hosting costs before its scene holds anything: the application with widgets,
// the frameless translucent widget with a Quick widget over its whole surface drawn by the same
// renderer, the tray icon with its menu, and one line of text in the scene's font family.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QFont::insertSubstitutions(QStringLiteral("\u5fae\u8f6f\u96c5\u9ed1"),
                               {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans")});
    SceneRenderer::chooseDefault();
    QWidget window;
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    window.setAttribute(Qt::WA_TranslucentBackground, true);
    auto* view = new QQuickWidget(&window);
    view->setClearColor(Qt::transparent);
    view->setSource(QUrl(QStringLiteral("qrc:/bench/EmptyHost.qml")));
    view->resize(1024, 640);
    window.resize(1024, 640);
    QSystemTrayIcon tray;
    QMenu menu;
    menu.addAction(QStringLiteral("Quit (&Q)"), &app, &QCoreApplication::quit);
    tray.setContextMenu(&menu);
    tray.setIcon(QIcon(QCoreApplication::applicationDirPath() + QStringLiteral("/../modules/img/logo.ico")));
    tray.show();
    QObject::connect(
        view->quickWindow(), &QQuickWindow::afterRendering, &window, sayFirstFrame, Qt::SingleShotConnection);
    window.show();
    return QApplication::exec();
}
