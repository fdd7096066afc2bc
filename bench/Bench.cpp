// Prints how fast the configurator starts, how much memory it takes and how busy it is when idle,
// beside the same start-up figures of an empty 1024 x 640 Qt Quick window (medians of interleaved
// runs, and the ratios), and how long the GUI thread's event loop stands still at most while a
// factory reset goes to the virtual mouse, and how long a profile switch made for the application in
// front takes against the full profile change. Usage: qx7-bench [--runs N] (7 by default).
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

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QProcess>
#include <QQuickItem>
#include <QQuickView>
#include <QQuickWidget>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace {

// Both programs get the same time after their start-up line before their peak memory is read: the
// configurator's busy guard (1 s) has ended and the revealed scene has been drawn by then.
constexpr int SettleMs = 2500;
constexpr int IdleSeconds = 10;
constexpr int DefaultRuns = 7;
// Each round of the profile switches takes several seconds of real pauses.
constexpr int SwitchRuns = 5;

struct Figures
{
    qint64 startMs = -1;
    qint64 cpuMs = -1;
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

// CPU time of a process in nanoseconds: the scheduler's figure for each of its threads, or the
// coarser clock ticks of the whole process where the scheduler's is not there.
qint64 cpuNs(qint64 pid)
{
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    qint64 total = 0;
    bool found = false;
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile schedstat(tasks.filePath(task + QStringLiteral("/schedstat")));
        if (schedstat.open(QIODevice::ReadOnly)) {
            total += schedstat.readAll().split(' ').first().toLongLong();
            found = true;
        }
    }
    if (found) {
        return total;
    }
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray text = stat.readAll();
    // Fields after the command name, which sits in parentheses and may hold spaces.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() <= 12) {
        return -1;
    }
    return (fields.at(11).toLongLong() + fields.at(12).toLongLong()) * 1000000000LL / sysconf(_SC_CLK_TCK);
}

// Lets `ms` pass while reading what the process writes, so that it never blocks on a full pipe.
void drainFor(QProcess& process, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms && process.state() == QProcess::Running) {
        process.waitForReadyRead(int(std::min<qint64>(100, ms - clock.elapsed())));
        process.readAllStandardError();
        process.readAllStandardOutput();
    }
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
    const qint64 ns = cpuNs(process.processId());
    figures.cpuMs = ns < 0 ? -1 : ns / 1000000;
    return true;
}

void stop(QProcess& process)
{
    process.terminate();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(10000);
    }
}

// One start of `program` up to `line`, then its peak memory once it has settled; with `idlePercent`,
// also its CPU use over the following idle seconds.
bool measureRun(const QString& program,
                const QStringList& args,
                const QByteArray& line,
                Figures& figures,
                double* idlePercent = nullptr)
{
    QProcess process;
    if (!startAndWait(process, program, args, line, figures)) {
        stop(process);
        return false;
    }
    drainFor(process, SettleMs);
    figures.peakKb = peakMemoryKb(process.processId());
    if (idlePercent) {
        const qint64 before = cpuNs(process.processId());
        drainFor(process, IdleSeconds * 1000);
        const qint64 after = cpuNs(process.processId());
        *idlePercent = before < 0 || after < 0 ? -1.0 : 100.0 * double(after - before) / 1e9 / IdleSeconds;
    }
    const bool alive = process.state() == QProcess::Running;
    stop(process);
    return alive && figures.peakKb > 0;
}

qint64 median(QList<qint64> values)
{
    if (values.isEmpty()) {
        return -1;
    }
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values.at(middle) : (values.at(middle - 1) + values.at(middle)) / 2;
}

struct Series
{
    QList<qint64> startMs;
    QList<qint64> cpuMs;
    QList<qint64> peakKb;

    void add(const Figures& f)
    {
        startMs << f.startMs;
        cpuMs << f.cpuMs;
        peakKb << f.peakKb;
    }
    Figures medians() const { return {median(startMs), median(cpuMs), median(peakKb)}; }
    static QByteArray range(const QList<qint64>& values)
    {
        return QByteArray::number(*std::min_element(values.begin(), values.end())) + '-'
               + QByteArray::number(*std::max_element(values.begin(), values.end()));
    }
    void print(const char* what, const char* until) const
    {
        const Figures m = medians();
        std::printf("%s, median of %lld runs: start to %s %lld ms (%s), CPU %lld ms, peak memory %lld KiB (%s)\n",
                    what,
                    qint64(startMs.size()),
                    until,
                    m.startMs,
                    range(startMs).constData(),
                    m.cpuMs,
                    m.peakKb,
                    range(peakKb).constData());
    }
};

double ratio(qint64 of, qint64 to)
{
    return of > 0 && to > 0 ? double(of) / double(to) : -1.0;
}

void sayFirstFrame()
{
    std::fprintf(stderr, "First frame\n");
    std::fflush(stderr);
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
    QObject::connect(&view, &QQuickWindow::frameSwapped, &view, sayFirstFrame, Qt::SingleShotConnection);
    view.show();
    return QGuiApplication::exec();
}

// What the configurator's hosting costs before its scene holds anything: the application with widgets,
// the frameless translucent widget with a Quick widget over its whole surface, the tray icon with its
// menu, and one line of text in the scene's font family.
int emptyHost(int argc, char** argv)
{
    QApplication app(argc, argv);
    QFont::insertSubstitutions(QStringLiteral("\u5fae\u8f6f\u96c5\u9ed1"),
                               {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans")});
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

// Times the full profile change and the automatic switch between two profiles that differ in DPI
// and lighting (with and without other colours), interleaved, with real pauses. Prints the medians
// in ms: full, quick without colours, quick with colours, then the failed exchanges.
int profileSwitch(int argc, char** argv, int runs)
{
    QCoreApplication app(argc, argv);
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
    MainScreen* main = screens.main();
    main->initUI();
    // Profiles 1 and 2 are profile 0 with other DPI stages and another effect; profile 2 also with
    // other colours.
    for (int slot = 1; slot <= 2; ++slot) {
        store.copyProfile(slot, 0);
        store.setCurrentProfile(slot);
        store.setDataList(QStringLiteral("mouse/dpiValueArray"), {800, 1600, 2400, 3200, 4800, 6400, 8000, 12000});
        store.setDataList(QStringLiteral("mouse/lightValue"), {3, 1, 2});
        if (slot == 2) {
            store.setDataList(QStringLiteral("mouse/colorValue"), QVariantList(24, 64));
        }
    }
    store.setCurrentProfile(main->profileNo());
    main->changeProfile(0);
    const auto timed = [&](int slot, bool quick) {
        QElapsedTimer timer;
        timer.start();
        if (quick) {
            main->followProfile(slot);
        } else {
            main->changeProfile(slot);
        }
        const qint64 ms = timer.elapsed();
        main->changeProfile(0);
        return ms;
    };
    QList<qint64> full;
    QList<qint64> quick;
    QList<qint64> quickColours;
    for (int run = 0; run < runs; ++run) {
        full << timed(1, false);
        quick << timed(1, true);
        quickColours << timed(2, true);
    }
    std::printf("%lld %lld %lld %d\n", median(full), median(quick), median(quickColours), link.failedExchanges());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--empty-window") == 0) {
        return emptyWindow(argc, argv);
    }
    if (argc > 1 && qstrcmp(argv[1], "--empty-host") == 0) {
        return emptyHost(argc, argv);
    }
    if (argc > 1 && qstrcmp(argv[1], "--gui-stall") == 0) {
        return guiStall(argc, argv);
    }
    if (argc > 2 && qstrcmp(argv[1], "--profile-switch") == 0) {
        return profileSwitch(argc, argv, std::max(1, atoi(argv[2])));
    }
    QCoreApplication app(argc, argv);
    int runs = DefaultRuns;
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype runsAt = arguments.indexOf(QStringLiteral("--runs"));
    if (runsAt > 0 && runsAt + 1 < arguments.size()) {
        runs = std::max(1, arguments.at(runsAt + 1).toInt());
    }
    const QString self = QCoreApplication::applicationFilePath();
    const QString config = QCoreApplication::applicationDirPath() + QStringLiteral("/../qx7-config");

    // Interleaved, so that a busy spell of the machine falls on both sides alike.
    Series program;
    Series empty;
    Series host;
    double idlePercent = -1.0;
    for (int run = 0; run < runs; ++run) {
        Figures f;
        if (!measureRun(
                config, {QStringLiteral("--virtual-mouse")}, "Scene started", f, run == 0 ? &idlePercent : nullptr)) {
            std::fprintf(stderr, "qx7-bench: the configurator did not start its scene\n");
            return 1;
        }
        program.add(f);
        Figures e;
        if (!measureRun(self, {QStringLiteral("--empty-window")}, "First frame", e)) {
            std::fprintf(stderr, "qx7-bench: the empty window did not show\n");
            return 1;
        }
        empty.add(e);
        Figures h;
        if (!measureRun(self, {QStringLiteral("--empty-host")}, "First frame", h)) {
            std::fprintf(stderr, "qx7-bench: the empty host did not show\n");
            return 1;
        }
        host.add(h);
    }

    QProcess stall;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    stall.setProcessEnvironment(env);
    stall.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    stall.start(self, {QStringLiteral("--gui-stall")});
    const bool stallRan = stall.waitForFinished(120000) && stall.exitCode() == 0;
    const QList<QByteArray> stallFigures = stall.readAllStandardOutput().trimmed().split(' ');
    const bool stallMeasured = stallRan && stallFigures.size() == 3;

    QProcess switching;
    switching.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    switching.start(self, {QStringLiteral("--profile-switch"), QString::number(std::min(runs, SwitchRuns))});
    const bool switchRan = switching.waitForFinished(600000) && switching.exitCode() == 0;
    const QList<QByteArray> switchFigures = switching.readAllStandardOutput().trimmed().split(' ');
    const bool switchMeasured = switchRan && switchFigures.size() == 4;
    const auto switchFigure = [&](int i) { return switchMeasured ? switchFigures.at(i).toLongLong() : -1LL; };

    const Figures p = program.medians();
    const Figures e = empty.medians();
    const Figures h = host.medians();
    program.print("qx7-config --virtual-mouse", "first initUI");
    empty.print("empty 1024 x 640 Qt Quick window", "first frame");
    host.print("the same window hosted as the configurator hosts its scene (widgets, Quick widget, tray, fonts)",
               "first frame");
    std::printf("start-up ratio %.2f (CPU %.2f), goal 1.50; of the hosting alone %.2f (CPU %.2f)\n",
                ratio(p.startMs, e.startMs),
                ratio(p.cpuMs, e.cpuMs),
                ratio(h.startMs, e.startMs),
                ratio(h.cpuMs, e.cpuMs));
    std::printf("memory ratio %.2f, goal 1.50; of the hosting alone %.2f\n",
                ratio(p.peakKb, e.peakKb),
                ratio(h.peakKb, e.peakKb));
    std::printf("idle CPU over %d s with the listener running %.2f %%, goal 0.50 %%\n", IdleSeconds, idlePercent);
    std::printf("factory reset against the virtual mouse with real pauses: %lld ms, failed exchanges %lld, "
                "GUI stall %lld ms, goal 50 ms\n",
                stallMeasured ? stallFigures.at(1).toLongLong() : -1LL,
                stallMeasured ? stallFigures.at(2).toLongLong() : -1LL,
                stallMeasured ? stallFigures.at(0).toLongLong() : -1LL);
    std::printf("profile change against the virtual mouse with real pauses, median of %d: full %lld ms; made for the "
                "application in front, to a profile differing in DPI and effect %lld ms (ratio %.2f), and also in "
                "colours %lld ms (ratio %.2f); goal 0.10; failed exchanges %lld\n",
                std::min(runs, SwitchRuns),
                switchFigure(0),
                switchFigure(1),
                ratio(switchFigure(1), switchFigure(0)),
                switchFigure(2),
                ratio(switchFigure(2), switchFigure(0)),
                switchFigure(3));
    return 0;
}
