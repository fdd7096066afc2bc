// Two starts of the configurator: the second hands over to the first and exits with 1.
#include <QProcess>
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
    void secondStartRestoresFirst();
};

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
