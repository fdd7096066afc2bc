// Prints how fast the configurator starts, how much memory it takes and how busy it is when idle,
// the same start-up figures for an empty 1024 x 640 Qt Quick window, and how long the GUI thread's
// event loop stands still at most while a factory reset goes to the virtual mouse.
#include "ConfigStore.h"
#include "DeviceConnector.h"
#include "DeviceOperations.h"
#include "GunStore.h"
#include "HidOwner.h"
#include "Hid_Thread.h"
#include "LanguageStore.h"
#include "MacroLibrary.h"
#include "MainScreen.h"
#include "Screens.h"
#include "VirtualMouse.h"
#include "VirtualMouseSetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QQuickItem>
#include <QQuickView>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
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

class BenchOwner : public HidOwner
{
public:
    explicit BenchOwner(const ConfigStore& store)
        : m_gun(store.isGun())
        , m_type(store.icType())
    {
    }
    bool isGun() const override { return m_gun; }
    QString icType() const override { return m_type; }
    void setCurrentDPI(int) override { }
    void setViewEnabled(bool) override { }
    void showMessage(const QString&, const QString&) override { }

private:
    bool m_gun;
    QString m_type;
};

bool copyFolder(const QString& from, const QString& to)
{
    QDir source(from);
    if (!source.exists() || !QDir().mkpath(to)) {
        return false;
    }
    for (const QFileInfo& entry : source.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir() ? !copyFolder(entry.filePath(), target) : !QFile::copy(entry.filePath(), target)) {
            return false;
        }
    }
    return true;
}

// Runs the main screen's factory reset on the GUI thread with real pauses while a timer on the same
// thread ticks every few milliseconds; the longest gap between two ticks is how long the window
// stood still.
int guiStall(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QTemporaryDir base;
    if (!base.isValid()
        || !copyFolder(QCoreApplication::applicationDirPath() + QStringLiteral("/../modules"),
                       base.filePath(QStringLiteral("modules")))) {
        std::fprintf(stderr, "qx7-bench: no modules folder to copy\n");
        return 1;
    }
    ConfigStore store(base.path());
    const std::unique_ptr<VirtualMouse> mouse
        = VirtualMouseSetup::imitateConfigured(store.paths().globalConfig(), nullptr);
    if (!mouse) {
        std::fprintf(stderr, "qx7-bench: the configuration lists no device to imitate\n");
        return 1;
    }
    Hid_Thread link(mouse.get());
    BenchOwner owner(store);
    link.setOwnerWidget(&owner);
    DeviceOperations ops(&link, &store);
    MacroLibrary macros(store);
    GunStore guns(store);
    LanguageStore languages(base.path());
    Screens screens(store, macros, guns, languages, ops);
    const int index = DeviceConnector::findAndVerify(link, store.paths().globalConfig());
    if (index < 0) {
        std::fprintf(stderr, "qx7-bench: the virtual mouse did not answer\n");
        return 1;
    }
    ops.connectDevice(index, false);
    screens.main()->initUI();

    constexpr int TickMs = 4;
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    qint64 resetMs = 0;
    QTimer::singleShot(50, [&] {
        QElapsedTimer reset;
        reset.start();
        screens.main()->factoryReset();
        resetMs = reset.elapsed();
        // One more tick closes the gap the reset may have left open at its end.
        QTimer::singleShot(2 * TickMs, [] { QCoreApplication::exit(0); });
    });
    sinceTick.start();
    ticker.start(TickMs);
    QCoreApplication::exec();
    std::printf("%lld %lld %d\n", longestGap, resetMs, link.failedExchanges());
    return 0;
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
    if (argc > 1 && qstrcmp(argv[1], "--gui-stall") == 0) {
        return guiStall(argc, argv);
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

    QProcess stall;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    stall.setProcessEnvironment(env);
    stall.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    stall.start(self, {QStringLiteral("--gui-stall")});
    const bool stallRan = stall.waitForFinished(120000) && stall.exitCode() == 0;
    const QList<QByteArray> stallFigures = stall.readAllStandardOutput().trimmed().split(' ');
    const bool stallMeasured = stallRan && stallFigures.size() == 3;

    std::printf("qx7-config --virtual-mouse: start to first initUI %lld ms, peak memory %lld KiB, "
                "idle CPU over %d s with the listener running %.2f %%\n",
                program.startMs,
                program.peakKb,
                IdleSeconds,
                cpuPercent);
    std::printf("empty 1024 x 640 Qt Quick window: start to first frame %lld ms, peak memory %lld KiB\n",
                windowStarted ? empty.startMs : -1LL,
                empty.peakKb);
    std::printf("factory reset against the virtual mouse with real pauses: %lld ms, failed exchanges %lld, "
                "GUI stall %lld ms\n",
                stallMeasured ? stallFigures.at(1).toLongLong() : -1LL,
                stallMeasured ? stallFigures.at(2).toLongLong() : -1LL,
                stallMeasured ? stallFigures.at(0).toLongLong() : -1LL);
    return 0;
}
