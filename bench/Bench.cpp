// Prints how much memory the configurator takes with its full scene and while hidden in the tray, how
// fast it starts to a drawn scene, and how busy it is when idle, beside the same figures of its
// hosting alone (medians of interleaved runs, and the ratios); how smoothly its animations run; and
// how long the GUI thread's event loop stands still at most while a factory reset goes to the
// virtual mouse, and how long a profile switch made for the application in front takes against the
// full profile change. On an X server of its own (Xvfb) where there is one, offscreen otherwise.
// Usage: qx7-bench [--runs N] (7 by default).
#include "ConfigStore.h"
#include "Core.h"
#include "DeviceConnector.h"
#include "DeviceOperations.h"
#include "HidOwner.h"
#include "Hid_Thread.h"
#include "MainScreen.h"
#include "Screens.h"
#include "SettingsKeys.h"
#include "StorePaths.h"
#include "VirtualMouse.h"
#include "VirtualMouseSetup.h"
#include "Widget.h"
#include "myQQuickView.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QQuickItem>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>

#include <X11/Xlib.h>

namespace {

// Both programs get the same time after their start-up line before their peak memory is read: the
// configurator's busy guard (1 s) has ended and the revealed scene has been drawn by then.
constexpr int SettleMs = 2500;
// Closed into the tray, the configurator gives its scene back after 3 s.
constexpr int HiddenMs = 4500;
constexpr int IdleSeconds = 10;
constexpr int DefaultRuns = 7;
// The scene's close button, at the top right (the window is placed at the screen's top left).
constexpr int CloseX = 996;
constexpr int CloseY = 20;

constexpr double PeakGoalMb = 63.0;
constexpr double PeakGoalRatio = 1.2;
constexpr double HiddenGoalRatio = 1.1;
constexpr double StartGoalRatio = 1.3;
constexpr double IdleGoalPercent = 0.5;
constexpr qint64 StallGoalMs = 50;
// Smooth: no frame of an animation waits longer than two frames of a 60 Hz display.
constexpr qint64 FrameGapGoalMs = 33;
// Each round of the profile switches takes several seconds of real pauses.
constexpr int SwitchRuns = 5;
constexpr double SwitchGoalRatio = 0.1;

struct Figures
{
    qint64 startMs = -1;
    qint64 cpuMs = -1;
    qint64 peakKb = -1;
    qint64 residentKb = -1;
    qint64 hiddenKb = -1;
};

qint64 statusKb(qint64 pid, const QByteArray& field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':')) {
            return line.mid(field.size() + 1).trimmed().split(' ').first().toLongLong();
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

// Where the programs run: an X server of the bench's own, as users run them, with a stand-in for a
// desktop's tray (the owner of the tray selection, which docks nothing) so that the configurator's
// close button hides it in the tray; offscreen where there is no Xvfb.
class BenchDisplay
{
public:
    ~BenchDisplay()
    {
        if (m_x) {
            XCloseDisplay(m_x);
        }
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            m_server.waitForFinished();
        }
    }

    void start()
    {
        m_env = QProcessEnvironment::systemEnvironment();
        // A session bus would offer its own tray or notifications; the programs use the X tray.
        m_env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (!xvfb.isEmpty() && startX(xvfb)) {
            m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            m_env.insert(QStringLiteral("DISPLAY"), m_display);
            return;
        }
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }

    bool isX() const { return m_x != nullptr; }
    const QProcessEnvironment& environment() const { return m_env; }
    QString describe() const
    {
        return isX() ? QStringLiteral("on an X server of its own (Xvfb %1, xcb, with a tray)").arg(m_display)
                     : QStringLiteral("offscreen (no Xvfb here)");
    }

    // Clicks the scene's close button of the process's window, as a user closes it into the tray;
    // true once the window has gone.
    bool clickClose(qint64 pid) const
    {
        const QByteArray window = sceneWindow(pid);
        if (window.isEmpty()
            || !xdotoolSucceeds({QStringLiteral("mousemove"),
                                 QStringLiteral("--window"),
                                 QString::fromLatin1(window),
                                 QString::number(CloseX),
                                 QString::number(CloseY),
                                 QStringLiteral("click"),
                                 QStringLiteral("1")})) {
            return false;
        }
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 3000) {
            if (!visibleWindows(pid).contains(window)) {
                return true;
            }
            QThread::msleep(50);
        }
        return false;
    }

private:
    // What xdotool prints, empty when it fails.
    QByteArray xdotool(const QStringList& arguments, bool* ok) const
    {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.start(QStringLiteral("xdotool"), arguments);
        const bool ran = process.waitForFinished() && process.exitCode() == 0;
        if (ok) {
            *ok = ran;
        }
        return ran ? process.readAllStandardOutput() : QByteArray();
    }

    bool xdotoolSucceeds(const QStringList& arguments) const
    {
        bool ok = false;
        xdotool(arguments, &ok);
        return ok;
    }

    QList<QByteArray> visibleWindows(qint64 pid) const
    {
        return xdotool({QStringLiteral("search"),
                        QStringLiteral("--onlyvisible"),
                        QStringLiteral("--pid"),
                        QString::number(pid)},
                       nullptr)
            .trimmed()
            .split('\n');
    }

    // The window the size of the scene, not a tray balloon beside it.
    QByteArray sceneWindow(qint64 pid) const
    {
        for (const QByteArray& window : visibleWindows(pid)) {
            const QByteArray geometry = xdotool(
                {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), QString::fromLatin1(window)}, nullptr);
            if (geometry.contains("WIDTH=1024\n") && geometry.contains("HEIGHT=640\n")) {
                return window;
            }
        }
        return {};
    }

    bool startX(const QString& xvfb)
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
            return false;
        }
        // The server picks a free display itself and writes its number to the given descriptor.
        m_server.start(xvfb,
                       QStringLiteral("-displayfd 1 -screen 0 1280x800x24 -nolisten tcp").split(QLatin1Char(' ')));
        if (!m_server.waitForStarted()) {
            return false;
        }
        while (!m_server.canReadLine()) {
            if (!m_server.waitForReadyRead(30000)) {
                return false;
            }
        }
        m_display = QLatin1Char(':') + QString::fromLatin1(m_server.readLine().trimmed());
        m_x = XOpenDisplay(m_display.toLocal8Bit().constData());
        if (!m_x) {
            return false;
        }
        const Window tray = XCreateSimpleWindow(m_x, DefaultRootWindow(m_x), 0, 0, 1, 1, 0, 0, 0);
        XSetSelectionOwner(m_x, XInternAtom(m_x, "_NET_SYSTEM_TRAY_S0", False), tray, CurrentTime);
        XSync(m_x, False);
        return true;
    }

    QProcess m_server;
    QString m_display;
    ::Display* m_x = nullptr;
    QProcessEnvironment m_env;
};

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
                  const BenchDisplay& display,
                  const QString& program,
                  const QStringList& args,
                  const QByteArray& line,
                  Figures& figures)
{
    process.setProcessEnvironment(display.environment());
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

// One start of `program` up to `line`, then its peak and resident memory once it has settled; with
// `hide`, its resident memory a while after its window was closed into the tray; with
// `idlePercent`, also its CPU use over the following idle seconds.
bool measureRun(const BenchDisplay& display,
                const QString& program,
                const QStringList& args,
                const QByteArray& line,
                Figures& figures,
                bool hide,
                double* idlePercent = nullptr)
{
    QProcess process;
    if (!startAndWait(process, display, program, args, line, figures)) {
        stop(process);
        return false;
    }
    drainFor(process, SettleMs);
    const qint64 pid = process.processId();
    figures.peakKb = statusKb(pid, "VmHWM");
    figures.residentKb = statusKb(pid, "VmRSS");
    if (idlePercent) {
        const qint64 before = cpuNs(pid);
        drainFor(process, IdleSeconds * 1000);
        const qint64 after = cpuNs(pid);
        *idlePercent = before < 0 || after < 0 ? -1.0 : 100.0 * double(after - before) / 1e9 / IdleSeconds;
    }
    if (hide && display.isX() && display.clickClose(pid)) {
        drainFor(process, HiddenMs);
        figures.hiddenKb = statusKb(pid, "VmRSS");
    }
    const bool alive = process.state() == QProcess::Running;
    stop(process);
    return alive && figures.peakKb > 0;
}

qint64 median(QList<qint64> values)
{
    values.removeAll(-1);
    if (values.isEmpty()) {
        return -1;
    }
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values.at(middle) : (values.at(middle - 1) + values.at(middle)) / 2;
}

QByteArray range(QList<qint64> values)
{
    values.removeAll(-1);
    if (values.isEmpty()) {
        return "-";
    }
    return QByteArray::number(*std::min_element(values.begin(), values.end())) + '-'
           + QByteArray::number(*std::max_element(values.begin(), values.end()));
}

struct Series
{
    QList<qint64> startMs;
    QList<qint64> cpuMs;
    QList<qint64> peakKb;
    QList<qint64> residentKb;
    QList<qint64> hiddenKb;

    void add(const Figures& f)
    {
        startMs << f.startMs;
        cpuMs << f.cpuMs;
        peakKb << f.peakKb;
        residentKb << f.residentKb;
        hiddenKb << f.hiddenKb;
    }
    Figures medians() const
    {
        return {median(startMs), median(cpuMs), median(peakKb), median(residentKb), median(hiddenKb)};
    }
};

double ratio(qint64 of, qint64 to)
{
    return of > 0 && to > 0 ? double(of) / double(to) : -1.0;
}

double mb(qint64 kb)
{
    return double(kb) / 1024.0;
}

const char* verdict(bool met)
{
    return met ? "met" : "NOT MET";
}

// Runs the event loop until `done` holds or `ms` have passed.
template <typename Done>
bool waitFor(Done done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return done();
}

class BenchOwner : public HidOwner
{
public:
    explicit BenchOwner(const ConfigStore& store)
        : m_gun(store.isGun())
        , m_family(controllerFamilyOf(store.icType()))
    {
    }
    bool isGun() const override { return m_gun; }
    ControllerFamily family() const override { return m_family; }
    void setCurrentDPI(int) override { }
    void setViewEnabled(bool) override { }

private:
    bool m_gun;
    ControllerFamily m_family;
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
    const QString config = StorePaths(base.path()).globalConfig();
    const std::unique_ptr<VirtualMouse> mouse = VirtualMouseSetup::imitateConfigured(config, nullptr);
    if (!mouse) {
        std::fprintf(stderr, "qx7-bench: the configuration lists no device to imitate\n");
        return 1;
    }
    Hid_Thread link(mouse.get());
    Core core(base.path());
    ConfigStore& store = core.store();
    BenchOwner owner(store);
    link.setOwnerWidget(&owner);
    core.attach(&link);
    DeviceOperations& ops = *core.operations();
    Screens& screens = *core.screens();
    const int index = DeviceConnector::findAndVerify(link, config);
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

// Frame times of the scene's animations as the configurator runs them: the busy indicator while
// the start-up guard lasts, then the report-rate drop-down opening. Prints the frames and the
// longest gap between two of them for each.
int animations(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir base;
    if (!base.isValid()
        || !copyFolder(QCoreApplication::applicationDirPath() + QStringLiteral("/../modules"),
                       base.filePath(QStringLiteral("modules")))) {
        std::fprintf(stderr, "qx7-bench: no modules folder to copy\n");
        return 1;
    }
    const std::unique_ptr<VirtualMouse> mouse
        = VirtualMouseSetup::imitateConfigured(StorePaths(base.path()).globalConfig(), nullptr);
    if (!mouse) {
        std::fprintf(stderr, "qx7-bench: the configuration lists no device to imitate\n");
        return 1;
    }
    Widget widget(base.path(), mouse.get());
    QElapsedTimer clock;
    QList<qint64> frames;
    QObject::connect(
        widget.view()->quickWindow(), &QQuickWindow::afterRendering, &widget, [&] { frames << clock.elapsed(); });
    widget.showNormal();
    widget.checkDevice();
    MainScreen* main = widget.view()->screens()->main();
    // From the first frame of the busy guard to its end.
    waitFor([&] { return main->busy(); }, 5000);
    clock.start();
    frames.clear();
    waitFor([&] { return !main->busy(); }, 5000);
    const QList<qint64> busyFrames = frames;
    const qint64 busyMs = clock.elapsed();
    waitFor([] { return false; }, 300);

    QQuickItem* list = widget.view()->rootObject()->findChild<QQuickItem*>(QStringLiteral("reportRateList"));
    if (!list) {
        std::fprintf(stderr, "qx7-bench: the scene has no report-rate list\n");
        return 1;
    }
    const int duration = list->property("dropDuration").toInt();
    frames.clear();
    clock.restart();
    list->setProperty("isDrop", true);
    waitFor([] { return false; }, duration + 100);
    QList<qint64> dropFrames;
    for (const qint64 at : frames) {
        if (at <= duration + 17) {
            dropFrames << at;
        }
    }
    const auto longestGap = [](const QList<qint64>& times, qint64 end) {
        qint64 gap = 0;
        qint64 last = 0;
        for (const qint64 at : times) {
            gap = std::max(gap, at - last);
            last = at;
        }
        return std::max(gap, end - last);
    };
    std::printf("%lld %lld %lld %lld %d %lld\n",
                qint64(busyFrames.size()),
                busyMs,
                longestGap(busyFrames, busyMs),
                qint64(dropFrames.size()),
                duration,
                longestGap(dropFrames, duration));
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
    const QString config = StorePaths(base.path()).globalConfig();
    const std::unique_ptr<VirtualMouse> mouse = VirtualMouseSetup::imitateConfigured(config, nullptr);
    if (!mouse) {
        std::fprintf(stderr, "qx7-bench: the configuration lists no device to imitate\n");
        return 1;
    }
    Hid_Thread link(mouse.get());
    Core core(base.path());
    ConfigStore& store = core.store();
    BenchOwner owner(store);
    link.setOwnerWidget(&owner);
    core.attach(&link);
    DeviceOperations& ops = *core.operations();
    Screens& screens = *core.screens();
    const int index = DeviceConnector::findAndVerify(link, config);
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
        store.setDataList(SettingsKeys::DpiValueArray, {800, 1600, 2400, 3200, 4800, 6400, 8000, 12000});
        store.setDataList(SettingsKeys::LightValue, {3, 1, 2});
        if (slot == 2) {
            store.setDataList(SettingsKeys::ColorValue, QVariantList(24, 64));
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
    if (argc > 1 && qstrcmp(argv[1], "--gui-stall") == 0) {
        return guiStall(argc, argv);
    }
    if (argc > 1 && qstrcmp(argv[1], "--animations") == 0) {
        return animations(argc, argv);
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
    const QString floor = QCoreApplication::applicationDirPath() + QStringLiteral("/qx7-bench-host");
    BenchDisplay display;
    display.start();
    std::printf("qx7-bench %s, %d interleaved runs each\n", qPrintable(display.describe()), runs);
    std::fflush(stdout);

    // Interleaved, so that a busy spell of the machine falls on both sides alike.
    Series program;
    Series host;
    double idlePercent = -1.0;
    for (int run = 0; run < runs; ++run) {
        Figures f;
        if (!measureRun(display,
                        config,
                        {QStringLiteral("--virtual-mouse")},
                        "Scene drawn",
                        f,
                        true,
                        run == 0 ? &idlePercent : nullptr)) {
            std::fprintf(stderr, "qx7-bench: the configurator did not draw its scene\n");
            return 1;
        }
        program.add(f);
        Figures h;
        if (!measureRun(display, floor, {}, "First frame", h, false)) {
            std::fprintf(stderr, "qx7-bench: the empty host did not show\n");
            return 1;
        }
        host.add(h);
    }

    const auto runChild = [&](const QStringList& mode) {
        QProcess child;
        QProcessEnvironment env = display.environment();
        // Only failures: the configurator's own debug lines are not figures.
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=false;qt.core.qobject.connect=false"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(self, mode);
        const bool ran = child.waitForFinished(600000) && child.exitCode() == 0;
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        return ran ? figures : QList<QByteArray>();
    };
    const QList<QByteArray> stall = runChild({QStringLiteral("--gui-stall")});
    const QList<QByteArray> frames = runChild({QStringLiteral("--animations")});
    const int switchRuns = std::min(runs, SwitchRuns);
    const QList<QByteArray> switching = runChild({QStringLiteral("--profile-switch"), QString::number(switchRuns)});

    const Figures p = program.medians();
    const Figures h = host.medians();
    std::printf("qx7-config --virtual-mouse: start to the scene drawn %lld ms (%s), CPU %lld ms, peak memory %lld KiB "
                "(%s), resident %lld KiB, hidden in the tray %lld KiB (%s)\n",
                p.startMs,
                range(program.startMs).constData(),
                p.cpuMs,
                p.peakKb,
                range(program.peakKb).constData(),
                p.residentKb,
                p.hiddenKb,
                range(program.hiddenKb).constData());
    std::printf("hosting floor (widgets, Quick widget, tray, one line of text): start to the first frame %lld ms "
                "(%s), CPU %lld ms, peak memory %lld KiB (%s), resident %lld KiB\n",
                h.startMs,
                range(host.startMs).constData(),
                h.cpuMs,
                h.peakKb,
                range(host.peakKb).constData(),
                h.residentKb);
    const double peakRatio = ratio(p.peakKb, h.peakKb);
    const bool peakMet = mb(p.peakKb) <= PeakGoalMb && peakRatio > 0 && peakRatio <= PeakGoalRatio;
    std::printf("peak memory with the full scene: %.1f MB, %.2f x the floor; goal at most %.0f MB%s and %.2f x: %s\n",
                mb(p.peakKb),
                peakRatio,
                PeakGoalMb,
                display.isX() ? "" : " (on a real X server)",
                PeakGoalRatio,
                verdict(peakMet));
    const double hiddenRatio = ratio(p.hiddenKb, h.residentKb);
    if (p.hiddenKb < 0) {
        std::printf("resident while hidden in the tray: not measured (needs an X server, and the window gone after a "
                    "click on its close button)\n");
    } else {
        std::printf("resident while hidden in the tray: %.1f MB, %.2f x the floor's resident memory; goal at most "
                    "%.2f x: %s\n",
                    mb(p.hiddenKb),
                    hiddenRatio,
                    HiddenGoalRatio,
                    verdict(hiddenRatio <= HiddenGoalRatio));
    }
    const double startRatio = ratio(p.startMs, h.startMs);
    std::printf("start to a visible window with the scene drawn: %lld ms, %.2f x the floor (CPU %.2f x); goal at most "
                "%.2f x: %s\n",
                p.startMs,
                startRatio,
                ratio(p.cpuMs, h.cpuMs),
                StartGoalRatio,
                verdict(startRatio > 0 && startRatio <= StartGoalRatio));
    std::printf("idle CPU over %d s with the listener running: %.2f %%; goal at most %.2f %%: %s\n",
                IdleSeconds,
                idlePercent,
                IdleGoalPercent,
                verdict(idlePercent >= 0 && idlePercent <= IdleGoalPercent));
    const bool stallMeasured = stall.size() == 3;
    const qint64 stallMs = stallMeasured ? stall.at(0).toLongLong() : -1;
    std::printf("GUI stall during a factory reset against the virtual mouse with real pauses (%lld ms, failed "
                "exchanges %lld): %lld ms; goal at most %lld ms: %s\n",
                stallMeasured ? stall.at(1).toLongLong() : -1LL,
                stallMeasured ? stall.at(2).toLongLong() : -1LL,
                stallMs,
                StallGoalMs,
                verdict(stallMs >= 0 && stallMs <= StallGoalMs));
    const bool framesMeasured = frames.size() == 6;
    const qint64 busyGap = framesMeasured ? frames.at(2).toLongLong() : -1;
    const qint64 dropGap = framesMeasured ? frames.at(5).toLongLong() : -1;
    std::printf("busy animation: %lld frames in %lld ms, longest gap %lld ms; goal at most %lld ms: %s\n",
                framesMeasured ? frames.at(0).toLongLong() : -1LL,
                framesMeasured ? frames.at(1).toLongLong() : -1LL,
                busyGap,
                FrameGapGoalMs,
                verdict(busyGap >= 0 && busyGap <= FrameGapGoalMs));
    std::printf("drop-down opening: %lld frames in %lld ms, longest gap %lld ms; goal at most %lld ms: %s\n",
                framesMeasured ? frames.at(3).toLongLong() : -1LL,
                framesMeasured ? frames.at(4).toLongLong() : -1LL,
                dropGap,
                FrameGapGoalMs,
                verdict(dropGap >= 0 && dropGap <= FrameGapGoalMs));
    const bool switchMeasured = switching.size() == 4;
    const auto switchFigure = [&](int i) { return switchMeasured ? switching.at(i).toLongLong() : -1LL; };
    const double quickRatio = ratio(switchFigure(1), switchFigure(0));
    std::printf("profile change against the virtual mouse with real pauses, median of %d: full %lld ms; made for the "
                "application in front, to a profile differing in DPI and effect %lld ms (ratio %.2f), and also in "
                "colours %lld ms (ratio %.2f); failed exchanges %lld; goal at most %.2f: %s\n",
                switchRuns,
                switchFigure(0),
                switchFigure(1),
                quickRatio,
                switchFigure(2),
                ratio(switchFigure(2), switchFigure(0)),
                switchFigure(3),
                SwitchGoalRatio,
                verdict(quickRatio > 0 && quickRatio <= SwitchGoalRatio));
    return 0;
}
