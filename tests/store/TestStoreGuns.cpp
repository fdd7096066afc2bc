#include "ConfigStore.h"
#include "GunStore.h"
#include "TempModules.h"

#include <QFile>
#include <QTest>

class TestStoreGuns : public QObject
{
    Q_OBJECT

private slots:
    void profileValues()
    {
        TempModules modules;
        QVERIFY(modules.write("modules/setting/p2.bin", "[mouse]\nreportRate=1\n"));
        ConfigStore store(modules.baseDir());
        GunStore guns(store);
        store.setCurrentProfile(1);

        QCOMPARE(guns.getXYSensitive(1).toInt(), GunStore::DefaultSensitivity);
        QCOMPARE(guns.getselectGun(1), QVariant(QString()));
        guns.setXYSensitive(0, 7);
        guns.setSelectGun(1, 3);

        QVERIFY(modules.read("modules/setting/p2.bin").contains("[XYSensitive]\n0=7\n"));
        QVERIFY(modules.read("modules/setting/p2.bin").contains("[selectGun]\n1=3\n"));
        store.setCurrentProfile(0);
        QCOMPARE(guns.getXYSensitive(0).toInt(), 4);
        QCOMPARE(guns.getselectGun(2).toString(), QStringLiteral("2"));
    }

    void presets()
    {
        TempModules modules;
        ConfigStore store(modules.baseDir());
        GunStore guns(store);

        QVERIFY(guns.mouseSaveGundata(1, {"Rifle", "L-Click", 9, 0, 7, 0, "ignored"}));
        QCOMPARE(guns.getGunData(1), (QVariantList {"Rifle", "L-Click", "9", "0", "7", "0"}));

        QVERIFY(guns.modifyGundata(1, {"Old", "L-Click", 10, 0, 10, 0, "nothing"}));
        QVERIFY(guns.modifyGundata(1, {"New", "L-Click", 12, 0, 20, 5, "Old"}));
        QVERIFY(guns.getGunData("Old").isEmpty());
        QCOMPARE(guns.getGunData("New"), (QVariantList {"L-Click", "12", "0", "20", "5"}));
        QCOMPARE(guns.getGunDataKey(), (QStringList {"0", "1", "2", "3", "4", "5", "New"}));

        QVERIFY(guns.modifyGundata(0, {"New"}));
        QCOMPARE(guns.getGunDataKey(), (QStringList {"0", "1", "2", "3", "4", "5"}));
    }

    void severalPresets()
    {
        TempModules modules;
        ConfigStore store(modules.baseDir());
        GunStore guns(store);

        QVERIFY(guns.savePresets({{"0", {"A", "L-Click", 9, 0, 5, 0}}, {"2", {"C", "L-Click", 9, 0, 8, 0}}}));
        QCOMPARE(guns.getGunData(0), (QVariantList {"A", "L-Click", "9", "0", "5", "0"}));
        QCOMPARE(guns.getGunData(2), (QVariantList {"C", "L-Click", "9", "0", "8", "0"}));

        // One short list keeps the others out as well.
        const QByteArray before = modules.read("modules/gun/gunData.bin");
        QVERIFY(!guns.savePresets({{"1", {"B", "L-Click", 9, 0, 7, 0}}, {"3", {"D"}}}));
        QVERIFY(!guns.savePresets({{"", {"E", "L-Click", 9, 0, 7, 0}}}));
        QCOMPARE(modules.read("modules/gun/gunData.bin"), before);
    }

    void shortListsWriteNothing_data()
    {
        QTest::addColumn<QVariant>("type"); // invalid: mouseSaveGundata
        QTest::addColumn<QVariantList>("values");

        QTest::newRow("save five") << QVariant() << QVariantList {"A", "L-Click", 1, 2, 3};
        QTest::newRow("save none") << QVariant() << QVariantList {};
        QTest::newRow("rename six") << QVariant(1) << QVariantList {"N", "L-Click", 1, 2, 3, 4};
        QTest::newRow("rename empty name") << QVariant(1) << QVariantList {"", "L-Click", 1, 2, 3, 4, "0"};
        QTest::newRow("remove nothing") << QVariant(0) << QVariantList {};
        QTest::newRow("other type") << QVariant(2) << QVariantList {"0", "L-Click", 1, 2, 3, 4, "1"};
        QTest::newRow("type not a number") << QVariant("x") << QVariantList {"0"};
        // The presets stand under their positions: no name key may replace or remove one.
        QTest::newRow("rename onto a position") << QVariant(1) << QVariantList {"3", "L-Click", 1, 2, 3, 4, "Old"};
        QTest::newRow("rename away from a position") << QVariant(1) << QVariantList {"N", "L-Click", 1, 2, 3, 4, "2"};
        QTest::newRow("remove a position") << QVariant(0) << QVariantList {"4"};
    }

    void shortListsWriteNothing()
    {
        QFETCH(QVariant, type);
        QFETCH(QVariantList, values);
        TempModules modules;
        ConfigStore store(modules.baseDir());
        GunStore guns(store);
        const QByteArray before = modules.read("modules/gun/gunData.bin");

        QVERIFY(!(type.isValid() ? guns.modifyGundata(type, values) : guns.mouseSaveGundata(1, values)));

        QCOMPARE(modules.read("modules/gun/gunData.bin"), before);
    }

    void missingPresetFile()
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
};

QTEST_GUILESS_MAIN(TestStoreGuns)
#include "TestStoreGuns.moc"
