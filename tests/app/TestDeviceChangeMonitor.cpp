// Device nodes coming and going raise a notice; other files in the folder do not.
#include "DeviceChangeMonitor.h"
#include "TempModules.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class TestDeviceChangeMonitor : public QObject
{
    Q_OBJECT

private slots:
    void hidrawNodesRaiseNotices();
};

void TestDeviceChangeMonitor::hidrawNodesRaiseNotices()
{
    QTemporaryDir dev;
    QVERIFY(dev.isValid());
    QVERIFY(TempModules::writeFile(dev.filePath("hidraw0"), {}));
    std::unique_ptr<DeviceChangeMonitor> monitor(DeviceChangeMonitor::create(nullptr, dev.path()));
    QSignalSpy notices(monitor.get(), &DeviceChangeMonitor::devicesChanged);

    QVERIFY(TempModules::writeFile(dev.filePath("ttyS9"), {}));
    QVERIFY(TempModules::writeFile(dev.filePath("hidraw7"), {}));
    QTRY_COMPARE(notices.count(), 1);
    QVERIFY(QFile::remove(dev.filePath("hidraw0")));
    QTRY_COMPARE(notices.count(), 2);
    // Folder changes that leave the nodes as they were are not notices.
    QVERIFY(QFile::remove(dev.filePath("ttyS9")));
    QTest::qWait(300);
    QCOMPARE(notices.count(), 2);
}

QTEST_GUILESS_MAIN(TestDeviceChangeMonitor)
#include "TestDeviceChangeMonitor.moc"
