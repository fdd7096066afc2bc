// Reading the configured devices, finding their interfaces and picking the one to use.
#include "DeviceConnector.h"
#include "DeviceRecords.h"
#include "TempModules.h"
#include "VirtualLink.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

void writeRecord(QSettings& ini, int n, const DeviceRecord& c)
{
    const QString p = QString::number(n) + '/';
    ini.setValue(p + "type", "1");
    ini.setValue(p + "vid", QString::number(c.vid, 16));
    ini.setValue(p + "pid", QString::number(c.pid, 16));
    ini.setValue(p + "usagePage", QString::number(c.usagePage, 16));
    ini.setValue(p + "usage", QString::number(c.usage, 16));
    ini.setValue(p + "usagePage2", QString::number(c.usagePage2, 16));
    ini.setValue(p + "usage2", QString::number(c.usage2, 16));
    ini.setValue(p + "reportLength", c.reportLength);
    ini.setValue(p + "isEncode", c.isEncode ? "true" : "false");
    ini.setValue(p + "sCode", c.sCode);
}

} // namespace

class TestDeviceConnector : public QObject
{
    Q_OBJECT

private slots:
    void recordFields_data();
    void recordFields();
    void missingFileReadsAsNoRecords();
    void deviceCountIsCut_data();
    void deviceCountIsCut();
    void firstPassingRecordIsUsed_data();
    void firstPassingRecordIsUsed();

private:
    QTemporaryDir m_dir;
};

void TestDeviceConnector::recordFields_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value"); // empty: not in the file
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("type missing") << "type" << "" << "-1";
    QTest::newRow("type hex") << "type" << "1a" << "26";
    QTest::newRow("type not hex") << "type" << "zz" << "0";
    QTest::newRow("vid hex") << "vid" << "04d9" << "1241";
    QTest::newRow("vid keeps low 16 bits") << "vid" << "1a0b1" << "41137";
    QTest::newRow("vid not hex") << "vid" << "xyz" << "0";
    QTest::newRow("usage2") << "usage2" << "ff01" << "65281";
    QTest::newRow("reportLength default") << "reportLength" << "" << "32";
    QTest::newRow("reportLength decimal") << "reportLength" << "64" << "64";
    QTest::newRow("isEncode default") << "isEncode" << "" << "0";
    QTest::newRow("isEncode true") << "isEncode" << "true" << "1";
    QTest::newRow("isEncode FALSE") << "isEncode" << "FALSE" << "0";
    QTest::newRow("isEncode 0") << "isEncode" << "0" << "0";
    QTest::newRow("isEncode other text") << "isEncode" << "yes" << "1";
    QTest::newRow("sCode default") << "sCode" << "" << "731540";
    QTest::newRow("sCode") << "sCode" << "abc" << "abc";
    // clang-format on
}

void TestDeviceConnector::recordFields()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    const QString path = m_dir.filePath(QStringLiteral("fields.ini"));
    QFile::remove(path);
    {
        QSettings ini(path, QSettings::IniFormat);
        ini.setValue("common/deviceCount", 2);
        if (!value.isEmpty()) {
            ini.setValue("1/" + key, value);
        }
    }
    const QList<DeviceRecord*> records = DeviceRecords::load(path);
    QCOMPARE(records.size(), 2);
    const DeviceRecord& r = *records.at(1);
    const QMap<QString, QString> fields {{"type", QString::number(r.type)},
                                         {"vid", QString::number(r.vid)},
                                         {"usage2", QString::number(r.usage2)},
                                         {"reportLength", QString::number(r.reportLength)},
                                         {"isEncode", QString::number(r.isEncode)},
                                         {"sCode", r.sCode}};
    QCOMPARE(fields.value(key), expected);
    QVERIFY(r.path.isEmpty() && r.path2.isEmpty());
    qDeleteAll(records);
}

void TestDeviceConnector::missingFileReadsAsNoRecords()
{
    VirtualLink v;
    QCOMPARE(DeviceConnector::findAndVerify(v.link, m_dir.filePath("absent.bin")), -1);
    QCOMPARE(v.link.deviceCount(), 0);
}

void TestDeviceConnector::deviceCountIsCut_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("records");
    QTest::newRow("one past the cap") << "65" << DeviceRecords::MaxDevices;
    QTest::newRow("negative") << "-3" << 0;
    // Qt's reader would decode it to the number 2; the records are read through the store's guard.
    QTest::newRow("serialised number") << "\\x40Variant(\\0\\0\\0\\x2\\0\\0\\0\\x2)" << 0;
}

void TestDeviceConnector::deviceCountIsCut()
{
    QFETCH(QString, count);
    QFETCH(int, records);
    // A file of its own: Qt would take a same-sized file of the same name and age from its cache.
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".ini");
    QVERIFY(TempModules::writeFile(path, "[common]\ndeviceCount=" + count.toLatin1() + "\n"));
    const QList<DeviceRecord*> loaded = DeviceRecords::load(path);
    QCOMPARE(loaded.size(), records);
    qDeleteAll(loaded);
}

void TestDeviceConnector::firstPassingRecordIsUsed_data()
{
    QTest::addColumn<bool>("firstPresent");
    QTest::addColumn<bool>("firstCommandInterface");
    QTest::addColumn<bool>("firstCodeRight");
    QTest::addColumn<int>("expected");
    QTest::newRow("both pass: the first") << true << true << true << 0;
    QTest::newRow("first unplugged") << false << true << true << 1;
    QTest::newRow("first has only its event interface") << true << false << true << 1;
    QTest::newRow("first fails the handshake") << true << true << false << 1;
}

void TestDeviceConnector::firstPassingRecordIsUsed()
{
    QFETCH(bool, firstPresent);
    QFETCH(bool, firstCommandInterface);
    QFETCH(bool, firstCodeRight);
    QFETCH(int, expected);

    VirtualMouse::Config a;
    a.device.pid = 0x1111;
    a.device.isEncode = true;
    a.device.sCode = QStringLiteral("aaaaaa");
    VirtualMouse::Config b;
    b.device.pid = 0x2222;
    VirtualMouse second(b);
    VirtualMouse first(a, &second);
    if (!firstPresent) {
        first.unplug();
    }
    RecordingClock clock;
    Hid_Thread link(&first, &clock);

    const QString path = m_dir.filePath(QStringLiteral("two.ini"));
    QFile::remove(path);
    {
        QSettings ini(path, QSettings::IniFormat);
        ini.setValue("common/deviceCount", 2);
        DeviceRecord recordA = a.device;
        if (!firstCodeRight) {
            recordA.sCode = QStringLiteral("bbbbbb");
        }
        if (!firstCommandInterface) {
            recordA.usage = 0x1234;
        }
        writeRecord(ini, 0, recordA);
        writeRecord(ini, 1, b.device);
    }
    QCOMPARE(DeviceConnector::findAndVerify(link, path), expected);
    QCOMPARE(link.deviceIndex(), expected);
    QCOMPARE(link.deviceRecord(1).path, QString::fromLatin1(second.commandPath()));
    QCOMPARE(link.deviceRecord(1).path2, QString::fromLatin1(second.eventPath()));
    QCOMPARE(link.deviceRecord(0).path2.isEmpty(), !firstPresent);
}

QTEST_GUILESS_MAIN(TestDeviceConnector)
#include "TestDeviceConnector.moc"
