#include "SceneScreenshot.h"

#include "MainScreen.h"
#include "myQQuickView.h"

#include <QCoreApplication>
#include <QImage>
#include <QQuickItem>
#include <cstdio>

namespace {

constexpr int PollMs = 100;
// Start-up against a real device link takes a few seconds; a scene that never settles is an error.
constexpr int GiveUpMs = 60000;
// Drop-downs and dialogs finish their opening animations.
constexpr int SettleMs = 500;

} // namespace

SceneScreenshot::SceneScreenshot(QObject* parent, ViewSource view, const QString& file, const QString& screen)
    : QObject(parent)
    , m_view(std::move(view))
    , m_file(file)
    , m_screen(screen.isEmpty() ? QStringLiteral("main") : screen)
{
    m_poll.setInterval(PollMs);
    connect(&m_poll, &QTimer::timeout, this, &SceneScreenshot::poll);
    m_poll.start();
}

void SceneScreenshot::poll()
{
    m_waited += PollMs;
    myQQuickView* view = m_view();
    Screens* screens = view ? view->screens() : nullptr;
    const MainScreen* main = screens ? screens->main() : nullptr;
    if (main && main->isPownOn() && main->revealed() && !main->busy()) {
        m_poll.stop();
        QVariant opened;
        if (!QMetaObject::invokeMethod(
                view->rootObject(), "showScreen", Q_RETURN_ARG(QVariant, opened), Q_ARG(QVariant, m_screen))
            || !opened.toBool()) {
            finish(1, QStringLiteral("unknown screen '%1'").arg(m_screen));
            return;
        }
        QTimer::singleShot(SettleMs, this, &SceneScreenshot::capture);
    } else if (m_waited >= GiveUpMs) {
        m_poll.stop();
        finish(1, QStringLiteral("the scene did not start (is a mouse or --virtual-mouse there?)"));
    }
}

void SceneScreenshot::capture()
{
    const QImage image = m_view()->grabFramebuffer();
    if (image.isNull() || !image.save(m_file, "PNG")) {
        finish(1, QStringLiteral("cannot write '%1'").arg(m_file));
        return;
    }
    finish(0);
}

void SceneScreenshot::finish(int code, const QString& message)
{
    if (!message.isEmpty()) {
        std::fprintf(stderr, "qx7-config: %s\n", qPrintable(message));
    }
    QCoreApplication::exit(code);
}
