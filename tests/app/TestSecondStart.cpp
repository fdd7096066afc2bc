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
    void secondStartRestoresFirst_data();
    void secondStartRestoresFirst();
};

void TestSecondStart::secondStartRestoresFirst_data()
{
    QTest::addColumn<QStringList>("firstArgs");
    QTest::addColumn<QString>("firstState");
    QTest::addColumn<bool>("restores");
    QTest::newRow("with a mouse") << QStringList {"--virtual-mouse"} << "Device Connect" << true;
    QTest::newRow("without a mouse") << QStringList {} << "Device DisConnect" << false;
}

void TestSecondStart::secondStartRestoresFirst()
{
    QFETCH(QStringList, firstArgs);
    QFETCH(QString, firstState);
    QFETCH(bool, restores);

    QProcess first;
    first.start(configPath(), firstArgs);
    QVERIFY(first.waitForStarted());
    QString seen;
    QVERIFY2(waitForLine(first, seen, firstState, 30000), qPrintable(seen));

    QProcess second;
    second.start(configPath(), {"--virtual-mouse"});
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitCode(), 1);
    const QString secondOutput = QString::fromLocal8Bit(second.readAllStandardError());
    QVERIFY(!secondOutput.contains("Device"));

    if (restores) {
        QVERIFY2(waitForLine(first, seen, "Window restored", 30000), qPrintable(seen));
    } else {
        // Give the first instance the time to take the message in; it must not show its window.
        QTest::qWait(1500);
        seen += QString::fromLocal8Bit(first.readAllStandardError());
        QVERIFY(!seen.contains("Window restored"));
    }
    first.terminate();
    QVERIFY(first.waitForFinished(30000));
}

QTEST_GUILESS_MAIN(TestSecondStart)
#include "TestSecondStart.moc"
