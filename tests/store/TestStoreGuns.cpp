#include "ConfigStore.h"
#include "GunStore.h"
#include "TempModules.h"

#include <QFile>
#include <QSettings>
#include <QTest>

class TestStoreGuns : public QObject
{
    Q_OBJECT

private slots:
    void xySensitivity();
    void selectGun();
    void saveAndReadPreset();
    void renamePreset();
    void removeNamedPreset();
    void shortListsWriteNothing_data();
    void shortListsWriteNothing();
    void missingPresetFile();
    void corruptedPresetFile();
};

namespace {

QByteArray bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestStoreGuns::xySensitivity()
{
    TempModules modules;
    QVERIFY(modules.write("modules/setting/p2.bin", "[mouse]\nreportRate=1\n"));
    ConfigStore store(modules.baseDir());
    GunStore guns(store);
    store.setCurrentProfile(1);

    QCOMPARE(guns.getXYSensitive(0).toInt(), 4);
    QCOMPARE(guns.getXYSensitive(1).toInt(), 4);
    guns.setXYSensitive(0, 7);

    QCOMPARE(guns.getXYSensitive(0).toInt(), 7);
    QCOMPARE(guns.getXYSensitive(1).toInt(), 4);
    QVERIFY(bytes(modules.path("modules/setting/p2.bin")).contains("[XYSensitive]\n0=7\n"));
    store.setCurrentProfile(0);
    QCOMPARE(guns.getXYSensitive(0).toInt(), 4);
}

void TestStoreGuns::selectGun()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    GunStore guns(store);

    QCOMPARE(guns.getselectGun(5), QVariant(QString()));
    QCOMPARE(guns.getselectGun(2).toString(), QStringLiteral("2"));
    guns.setSelectGun(5, 3);
    QCOMPARE(guns.getselectGun(5).toInt(), 3);
    QVERIFY(bytes(modules.path("modules/setting/p1.bin")).contains("5=3\n"));
}

void TestStoreGuns::saveAndReadPreset()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    GunStore guns(store);

    QVERIFY(guns.mouseSaveGundata(1, {"AK", "L-Click", 9, 0, 7, 0, "ignored"}));

    QCOMPARE(guns.getGunData(1), (QVariantList {"AK", "L-Click", "9", "0", "7", "0"}));
    QCOMPARE(guns.getGunData(0), (QVariantList {"M416", "L-Click", "10", "0", "10", "0"}));
    QSettings file(modules.path("modules/gun/gunData.bin"), QSettings::IniFormat);
    QCOMPARE(file.value("gunData/1").toStringList(), (QStringList {"AK", "L-Click", "9", "0", "7", "0"}));
}

void TestStoreGuns::renamePreset()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    GunStore guns(store);
    QVERIFY(guns.modifyGundata(1, {"Old", "L-Click", 10, 0, 10, 0, "nothing"}));
    const QVariantList indexed = guns.getGunData(2);

    QVERIFY(guns.modifyGundata(1, {"New", "L-Click", 12, 0, 20, 5, "Old"}));

    QVERIFY(guns.getGunData("Old").isEmpty());
    QCOMPARE(guns.getGunData("New"), (QVariantList {"L-Click", "12", "0", "20", "5"}));
    QCOMPARE(guns.getGunData(2), indexed);
    QCOMPARE(guns.getGunDataKey(), (QStringList {"0", "1", "2", "3", "4", "5", "New"}));
}

void TestStoreGuns::removeNamedPreset()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    GunStore guns(store);
    QVERIFY(guns.modifyGundata(1, {"Temp", "L-Click", 10, 0, 10, 0, "x"}));

    QVERIFY(guns.modifyGundata(0, {"Temp"}));

    QCOMPARE(guns.getGunDataKey(), (QStringList {"0", "1", "2", "3", "4", "5"}));
}

void TestStoreGuns::shortListsWriteNothing_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QVariant>("type");
    QTest::addColumn<QVariantList>("values");

    QTest::newRow("save five") << 0 << QVariant() << QVariantList {"A", "L-Click", 1, 2, 3};
    QTest::newRow("save none") << 0 << QVariant() << QVariantList {};
    QTest::newRow("rename six") << 1 << QVariant(1) << QVariantList {"N", "L-Click", 1, 2, 3, 4};
    QTest::newRow("rename empty name") << 1 << QVariant(1) << QVariantList {"", "L-Click", 1, 2, 3, 4, "0"};
    QTest::newRow("remove nothing") << 1 << QVariant(0) << QVariantList {};
    QTest::newRow("other type") << 1 << QVariant(2) << QVariantList {"0", "L-Click", 1, 2, 3, 4, "1"};
    QTest::newRow("type not a number") << 1 << QVariant("x") << QVariantList {"0"};
}

void TestStoreGuns::shortListsWriteNothing()
{
    QFETCH(int, operation);
    QFETCH(QVariant, type);
    QFETCH(QVariantList, values);

    TempModules modules;
    ConfigStore store(modules.baseDir());
    GunStore guns(store);
    const QByteArray before = bytes(modules.path("modules/gun/gunData.bin"));

    const bool written = operation == 0 ? guns.mouseSaveGundata(1, values) : guns.modifyGundata(type, values);

    QVERIFY(!written);
    QCOMPARE(bytes(modules.path("modules/gun/gunData.bin")), before);
}

void TestStoreGuns::missingPresetFile()
{
    TempModules modules;
    QVERIFY(QFile::remove(modules.path("modules/gun/gunData.bin")));
    ConfigStore store(modules.baseDir());
    GunStore guns(store);

    QVERIFY(guns.getGunData(0).isEmpty());
    QVERIFY(guns.getGunDataKey().isEmpty());
    QVERIFY(!guns.mouseSaveGundata(0, {"A", "L-Click", 1, 2, 3, 4}));
    QVERIFY(!guns.modifyGundata(1, {"A", "L-Click", 1, 2, 3, 4, "B"}));
    QVERIFY(!QFile::exists(modules.path("modules/gun/gunData.bin")));
}

void TestStoreGuns::corruptedPresetFile()
{
    TempModules modules;
    QByteArray binary;
    for (int i = 0; i < 4096; ++i) {
        binary.append(char((i * 131 + 17) % 256));
    }
    QVERIFY(modules.write("modules/gun/gunData.bin", binary));
    ConfigStore store(modules.baseDir());
    GunStore guns(store);

    QVERIFY(guns.getGunData(0).isEmpty());
    QVERIFY(guns.mouseSaveGundata(0, {"A", "L-Click", 1, 2, 3, 4}));
    QCOMPARE(guns.getGunData(0), (QVariantList {"A", "L-Click", "1", "2", "3", "4"}));
    QCOMPARE(store.getData("mouse/reportRate", false).toInt(), 3);
}

QTEST_GUILESS_MAIN(TestStoreGuns)
#include "TestStoreGuns.moc"
