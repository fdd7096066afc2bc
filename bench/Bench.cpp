// Prints how fast the configurator starts, how much memory it takes and how busy it is when idle,
// and the same start-up figures for an empty 1024 x 640 Qt Quick window.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QQuickItem>
#include <QQuickView>
#include <QThread>
#include <cstdio>
#include <unistd.h>

namespace {

struct Figures
{
    qint64 startMs = -1;
    qint64 peakKb = -1;
};

qint64 peakMemoryKb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').first().toLongLong();
        }
    }
    return -1;
}

// User plus system time of a process, in clock ticks.
qint64 cpuTicks(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray text = stat.readAll();
    // Fields after the command name, which sits in parentheses and may hold spaces.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields.at(11).toLongLong() + fields.at(12).toLongLong() : -1;
}

// Starts `program` and waits for `line` on its standard error; the process keeps running.
bool startAndWait(QProcess& process,
                  const QString& program,
                  const QStringList& args,
                  const QByteArray& line,
                  Figures& figures)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setReadChannel(QProcess::StandardError);
    QElapsedTimer clock;
    clock.start();
    process.start(program, args);
    if (!process.waitForStarted(10000)) {
        std::fprintf(stderr, "qx7-bench: %s\n", qPrintable(process.errorString()));
        return false;
    }
    QByteArray seen;
    while (!seen.contains(line)) {
        if (!process.waitForReadyRead(30000)) {
            std::fprintf(stderr,
                         "qx7-bench: %s gave no \"%s\" (%s)\n%s",
                         qPrintable(program),
                         line.constData(),
                         qPrintable(process.errorString()),
                         seen.constData());
            return false;
        }
        seen += process.readAllStandardError();
    }
    figures.startMs = clock.elapsed();
    return true;
}

int emptyWindow(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QQuickView view;
    view.setResizeMode(QQuickView::SizeViewToRootObject);
    view.setColor(Qt::transparent);
    auto* root = new QQuickItem;
    root->setSize(QSizeF(1024, 640));
    view.setContent(QUrl(), nullptr, root);
    view.resize(1024, 640);
    bool first = true;
    QObject::connect(&view, &QQuickWindow::frameSwapped, &view, [&first] {
        if (first) {
            first = false;
            std::fprintf(stderr, "First frame\n");
            std::fflush(stderr);
        }
    });
    view.show();
    return QGuiApplication::exec();
}

void stop(QProcess& process)
{
    process.terminate();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(10000);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--empty-window") == 0) {
        return emptyWindow(argc, argv);
    }
    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    const QString config = QCoreApplication::applicationDirPath() + QStringLiteral("/../qx7-config");

    Figures program;
    QProcess configurator;
    if (!startAndWait(configurator, config, {QStringLiteral("--virtual-mouse")}, "Scene started", program)) {
        std::fprintf(stderr, "qx7-bench: the configurator did not start its scene\n");
        stop(configurator);
        return 1;
    }
    constexpr int IdleSeconds = 10;
    const qint64 pid = configurator.processId();
    const qint64 before = cpuTicks(pid);
    QThread::sleep(IdleSeconds);
    const qint64 after = cpuTicks(pid);
    program.peakKb = peakMemoryKb(pid);
    stop(configurator);
    const double cpuPercent = 100.0 * double(after - before) / double(sysconf(_SC_CLK_TCK)) / IdleSeconds;

    Figures empty;
    QProcess window;
    const bool windowStarted = startAndWait(window, self, {QStringLiteral("--empty-window")}, "First frame", empty);
    empty.peakKb = windowStarted ? peakMemoryKb(window.processId()) : -1;
    stop(window);

    std::printf("qx7-config --virtual-mouse: start to first initUI %lld ms, peak memory %lld KiB, "
                "idle CPU over %d s with the listener running %.2f %%\n",
                program.startMs,
                program.peakKb,
                IdleSeconds,
                cpuPercent);
    std::printf("empty 1024 x 640 Qt Quick window: start to first frame %lld ms, peak memory %lld KiB\n",
                windowStarted ? empty.startMs : -1LL,
                empty.peakKb);
    return 0;
}
