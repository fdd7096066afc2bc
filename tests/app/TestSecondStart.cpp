// The configurator as a process: its command line, and two starts, where the second hands over to
// the first and exits with 1.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString configPath()
{
    return qEnvironmentVariable("QX7_BUILD_DIR") + QStringLiteral("/qx7-config");
}

bool waitForLine(QProcess& process, QString& seen, const QString& line, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!seen.contains(line) && timer.elapsed() < timeoutMs) {
        process.waitForReadyRead(200);
        seen += QString::fromLocal8Bit(process.readAllStandardError());
    }
    return seen.contains(line);
}

} // namespace

class TestSecondStart : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data();
    void commandLine();
    void screenshotBesideTheUser();
    void secondStartRestoresFirst();
};

void TestSecondStart::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("error");
    // clang-format off
    QTest::newRow("help")              << QStringList {"--help"} << 0 << "--screenshot <FILE>" << "";
    QTest::newRow("version")           << QStringList {"--version"} << 0 << "qx7-config 0." << "";
    QTest::newRow("Qt's own option")   << QStringList {"-platform", "offscreen", "--version"} << 0 << "qx7-config" << "";
    QTest::newRow("misspelt option")   << QStringList {"--virtual-mose"} << 1 << "" << "Unknown option 'virtual-mose'";
    QTest::newRow("value missing")     << QStringList {"--virtual-mouse", "--screenshot"} << 1 << "" << "Missing value after '--screenshot'";
    QTest::newRow("screen alone")      << QStringList {"--screen", "gun"} << 1 << "" << "--screen goes with --screenshot";
    QTest::newRow("stray argument")    << QStringList {"gun"} << 1 << "" << "unexpected argument 'gun'";
    // clang-format on
}

void TestSecondStart::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, error);
    // Answered without any window system to reach.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(configPath(), args);
    QVERIFY(process.waitForFinished(30000));
    const QString printed = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), status);
    QVERIFY2(printed.contains(out), qPrintable(printed));
    QVERIFY2(errors.contains(error), qPrintable(errors));
    if (status != 0) {
        QVERIFY2(errors.contains("Usage: "), qPrintable(errors));
    }
}

void TestSecondStart::screenshotBesideTheUser()
{
    // Start-up moves into the program's folder; the file lands where the user typed its name.
    QTemporaryDir here;
    QProcess process;
    process.setWorkingDirectory(here.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    // A name of this run's own.
    const QString name = QFileInfo(here.path()).fileName() + QStringLiteral(".png");
    process.start(configPath(), {"--virtual-mouse", "--screenshot", name, "--screen", "help"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(QFileInfo(here.filePath(name)).size() > 0);
    QVERIFY(!QFileInfo::exists(QFileInfo(configPath()).dir().filePath(name)));
}

// Restored only while a mouse is connected: that rule is TestConfigurator's.
void TestSecondStart::secondStartRestoresFirst()
{
    QProcess first;
    first.start(configPath(), {"--virtual-mouse"});
    QVERIFY(first.waitForStarted());
    QString seen;
    QVERIFY2(waitForLine(first, seen, "Device Connect", 30000), qPrintable(seen));

    QProcess second;
    second.start(configPath(), {"--virtual-mouse"});
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitCode(), 1);
    const QString secondOutput = QString::fromLocal8Bit(second.readAllStandardError());
    QVERIFY(!secondOutput.contains("Device"));

    QVERIFY2(waitForLine(first, seen, "Window restored", 30000), qPrintable(seen));
    first.terminate();
    QVERIFY(first.waitForFinished(30000));
}

QTEST_GUILESS_MAIN(TestSecondStart)
#include "TestSecondStart.moc"
