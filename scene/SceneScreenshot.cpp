#include "SceneScreenshot.h"

#include "MacroEditorScreen.h"
#include "MainScreen.h"
#include "myQQuickView.h"

#include <QCoreApplication>
#include <QImage>
#include <QQuickItem>
#include <cstdio>
#include <iterator>

namespace {

constexpr int PollMs = 100;
// Start-up against a real device link takes a few seconds; a scene that never settles is an error.
constexpr int GiveUpMs = 60000;
// Drop-downs and dialogs finish their opening animations.
constexpr int SettleMs = 500;

// The macro editor's picture shows a short recorded greeting, made once and selected.
void showSampleMacro(Screens& screens)
{
    const QString name = QStringLiteral("Greeting");
    MacroEditorScreen* editor = screens.macroEditor();
    int at = editor->macroNames().indexOf(name);
    if (at < 0) {
        editor->newMacro();
        at = editor->selectedMacro();
        editor->renameMacro(at, name);
        editor->setRecordDelay(true);
        editor->startRecord();
        // "Hi!" and Enter, typed with Shift where it takes one.
        constexpr int Shift = 0xE1;
        const struct
        {
            int usbCode;
            bool shifted;
        } keys[] = {{0x0B, true}, {0x0C, false}, {0x1E, true}, {0x28, false}};
        MainScreen* main = screens.main();
        for (const auto& key : keys) {
            if (key.shifted) {
                main->routeKeyboard(true, Shift);
            }
            main->routeKeyboard(true, key.usbCode);
            main->routeKeyboard(false, key.usbCode);
            if (key.shifted) {
                main->routeKeyboard(false, Shift);
            }
        }
        editor->stopRecord();
        // A typist's pauses in place of the instant ones recorded here.
        const int pauses[] = {60, 90, 40, 120, 80, 150, 50, 90, 60, 200, 70};
        int next = 0;
        const QList<MacroEncoder::Action> actions = editor->actions();
        for (int a = 0; a < actions.size(); ++a) {
            if (actions.at(a).type == MacroEncoder::Action::Delay) {
                editor->setDelay(a, QString::number(pauses[next++ % std::size(pauses)]));
            }
        }
    }
    editor->selectMacro(at);
    editor->selectAction(4);
    editor->setRecordDelay(true);
}

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
        if (m_screen == QLatin1String("macro")) {
            showSampleMacro(*screens);
        }
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
