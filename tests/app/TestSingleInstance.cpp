// One instance per executable and user; later starts hand their message to it.
#include "SingleInstance.h"

#include <QLockFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QUuid>
#include <sys/wait.h>
#include <unistd.h>

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void secondStartFindsFirst();
    void messageReachesRunningInstance_data();
    void messageReachesRunningInstance();
    void otherIdentitiesRunSideBySide();
    void lockOfCrashedInstanceIsStale();
};

static QString uniqueIdentity()
{
    return QStringLiteral("/opt/qx7/") + QUuid::createUuid().toString() + QStringLiteral("|tester");
}

void TestSingleInstance::secondStartFindsFirst()
{
    const QString id = uniqueIdentity();
    SingleInstance first(id);
    QVERIFY(!first.isRunning());
    SingleInstance second(id);
    QVERIFY(second.isRunning());
    // Asking again does not change the answer.
    QVERIFY(!first.isRunning());
}

void TestSingleInstance::messageReachesRunningInstance_data()
{
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QString();
    QTest::newRow("text") << QStringLiteral("show yourself");
}

void TestSingleInstance::messageReachesRunningInstance()
{
    QFETCH(QString, message);
    const QString id = uniqueIdentity();
    SingleInstance first(id);
    QVERIFY(!first.isRunning());
    QSignalSpy spy(&first, &SingleInstance::messageReceived);
    SingleInstance second(id);
    QVERIFY(second.isRunning());
    QVERIFY(second.sendMessage(message, 5000));
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), message);
}

void TestSingleInstance::otherIdentitiesRunSideBySide()
{
    SingleInstance a(uniqueIdentity());
    SingleInstance b(uniqueIdentity());
    QVERIFY(!a.isRunning());
    QVERIFY(!b.isRunning());
    QVERIFY(a.serverName() != b.serverName());
}

void TestSingleInstance::lockOfCrashedInstanceIsStale()
{
    const QString id = uniqueIdentity();
    SingleInstance probe(id);
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    const QString lockPath = dir + '/' + probe.serverName() + ".lock";
    const pid_t child = fork();
    if (child == 0) {
        // Takes the lock and dies without releasing it, as a crash would.
        QLockFile lock(lockPath);
        lock.tryLock(0);
        _exit(lock.isLocked() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    QCOMPARE(WEXITSTATUS(status), 0);
    QVERIFY(QFile::exists(lockPath));
    QVERIFY(!probe.isRunning());
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "TestSingleInstance.moc"
