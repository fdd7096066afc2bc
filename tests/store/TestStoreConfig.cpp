#include "ConfigStore.h"
#include "TempModules.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

class TestStoreConfig : public QObject
{
    Q_OBJECT

private slots:
    void missingKeyIsInvalid();
    void listConversion_data();
    void listConversion();
    void deviceFlags_data();
    void deviceFlags();
    void recoveryReadsDefaultProfile();
    void writesReachDiskAtOnce();
    void resetApconfigTakesDefaultCopy();
    void resetApconfigWithoutDefaultCopyKeepsConfiguration_data();
    void resetApconfigWithoutDefaultCopyKeepsConfiguration();
    void currentProfileChoosesFile();
    void currentProfileOutsideSlotsIgnored_data();
    void currentProfileOutsideSlotsIgnored();
    void corruptedFile_data();
    void corruptedFile();
};

namespace {

QByteArray bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestStoreConfig::missingKeyIsInvalid()
{
    TempModules modules;
    QVERIFY(modules.isValid());
    ConfigStore store(modules.baseDir());

    QVERIFY(!store.getData("mouse/noSuchKey", false).isValid());
    QVERIFY(!store.getData("mouse/noSuchKey", true).isValid());
    QVERIFY(store.getDataList("mouse/noSuchKey", false).isEmpty());
    QVERIFY(!store.getGlobalData("common/noSuchKey").isValid());
    QCOMPARE(store.getData("mouse/reportRate", false), QVariant(QStringLiteral("3")));
}

void TestStoreConfig::listConversion_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QVariantList>("expected");

    QTest::newRow("single text") << QByteArray("abc") << QVariantList();
    QTest::newRow("single number") << QByteArray("7") << QVariantList();
    QTest::newRow("empty") << QByteArray("") << QVariantList();
    QTest::newRow("two items") << QByteArray("1, 2") << QVariantList {"1", "2"};
    QTest::newRow("quoted comma") << QByteArray("\"a,b\", c") << QVariantList {"a,b", "c"};
}

void TestStoreConfig::listConversion()
{
    QFETCH(QByteArray, stored);
    QFETCH(QVariantList, expected);

    TempModules modules;
    QVERIFY(modules.write("modules/setting/p1.bin", "[mouse]\nvalue=" + stored + "\n"));
    ConfigStore store(modules.baseDir());

    QCOMPARE(store.getDataList("mouse/value", false), expected);
}

void TestStoreConfig::deviceFlags_data()
{
    QTest::addColumn<QByteArray>("mouseGroup");
    QTest::addColumn<bool>("colorful");
    QTest::addColumn<bool>("gun");
    QTest::addColumn<QString>("icType");
    QTest::addColumn<bool>("is55328");

    QTest::newRow("all set") << QByteArray("isColorful=true\nisGun=true\nicType=553\nis55328=true\n") << true << true
                             << "553" << true;
    QTest::newRow("false texts") << QByteArray("isColorful=false\nisGun=false\nicType=560\nis55328=false\n") << false
                                 << false << "560" << false;
    QTest::newRow("missing") << QByteArray() << false << false << "" << false;
}

void TestStoreConfig::deviceFlags()
{
    QFETCH(QByteArray, mouseGroup);
    QFETCH(bool, colorful);
    QFETCH(bool, gun);
    QFETCH(QString, icType);
    QFETCH(bool, is55328);

    TempModules modules;
    QVERIFY(modules.write("modules/setting/apConfig.bin", "[mouse]\n" + mouseGroup));
    ConfigStore store(modules.baseDir());

    QCOMPARE(store.isColorful(), colorful);
    QCOMPARE(store.isGun(), gun);
    QCOMPARE(store.icType(), icType);
    QCOMPARE(store.is55328(), is55328);
}

void TestStoreConfig::recoveryReadsDefaultProfile()
{
    TempModules modules;
    QVERIFY(modules.write("modules/setting/p3.bin", "[mouse]\nreportRate=1\n"));
    ConfigStore store(modules.baseDir());
    const QByteArray defaults = bytes(modules.path("modules/setting/pD.bin"));

    store.setCurrentProfile(2);
    QCOMPARE(store.getData("mouse/reportRate", false).toInt(), 1);
    QCOMPARE(store.getData("mouse/reportRate", true).toInt(), 3);

    store.setData("mouse/reportRate", 0);
    store.setDataList("mouse/lightValue", {1, 2, 3});
    QCOMPARE(store.getData("mouse/reportRate", true).toInt(), 3);
    QCOMPARE(bytes(modules.path("modules/setting/pD.bin")), defaults);
    QCOMPARE(store.getDataList("mouse/lightValue", false), (QVariantList {1, 2, 3}));
}

void TestStoreConfig::writesReachDiskAtOnce()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    store.setCurrentProfile(4);

    store.setData("mouse/reportRate", 1);
    store.setDataList("mouse/dpiValueArray", {100, 200, 300, 400, 500, 600, 700, 800});
    store.setGlobalData("mouse/selectGun", QVariantList {0, 4, 2});

    const QByteArray profile = bytes(modules.path("modules/setting/p5.bin"));
    QVERIFY(profile.contains("reportRate=1\n"));
    QVERIFY(profile.contains("dpiValueArray=100, 200, 300, 400, 500, 600, 700, 800\n"));
    QVERIFY(bytes(modules.path("modules/setting/apConfig.bin")).contains("selectGun=0, 4, 2\n"));
    QVERIFY(!bytes(modules.path("modules/setting/p1.bin")).contains("reportRate=1\n"));
}

void TestStoreConfig::resetApconfigTakesDefaultCopy()
{
    TempModules modules;
    QVERIFY(modules.write("modules/setting/apConfigD.bin",
                          "[common]\nname=Default\n[mouse]\nicType=553\nisColorful=false\nisGun=false\n"));
    ConfigStore store(modules.baseDir());
    QVERIFY(store.isColorful());
    store.setGlobalData("common/name", "Changed");

    QVERIFY(store.resetApconfig());

    QCOMPARE(store.getGlobalData("common/name").toString(), QStringLiteral("Default"));
    QCOMPARE(store.getGlobalData("mouse/icType").toString(), QStringLiteral("553"));
    QVERIFY(!store.getGlobalData("mouse/keyCount").isValid());
    QCOMPARE(bytes(modules.path("modules/setting/apConfig.bin")), bytes(modules.path("modules/setting/apConfigD.bin")));
    QCOMPARE(store.icType(), QStringLiteral("560"));
    QVERIFY(store.isColorful());
    QVERIFY(store.isGun());
}

void TestStoreConfig::resetApconfigWithoutDefaultCopyKeepsConfiguration_data()
{
    QTest::addColumn<QByteArray>("defaults");
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("binary") << QByteArray("\x00\x01\x02\xff[mouse]\nicType=553\n", 23);
    QTest::newRow("no keys") << QByteArray("; nothing here\n");
}

void TestStoreConfig::resetApconfigWithoutDefaultCopyKeepsConfiguration()
{
    QFETCH(QByteArray, defaults);
    TempModules modules;
    QVERIFY(QFile::remove(modules.path("modules/setting/apConfigD.bin")));
    if (!defaults.isEmpty()) {
        QVERIFY(modules.write("modules/setting/apConfigD.bin", defaults));
    }
    ConfigStore store(modules.baseDir());
    store.setGlobalData("common/name", "Mine");
    const QByteArray before = bytes(modules.path("modules/setting/apConfig.bin"));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^resetApconfig:"));
    QVERIFY(!store.resetApconfig());

    QCOMPARE(bytes(modules.path("modules/setting/apConfig.bin")), before);
    QCOMPARE(store.getGlobalData("common/name").toString(), QStringLiteral("Mine"));
    QCOMPARE(store.getGlobalData("mouse/keyCount").toInt(), 8);
}

void TestStoreConfig::currentProfileChoosesFile()
{
    TempModules modules;
    QVERIFY(modules.write("modules/setting/p4.bin", "[mouse]\nscrollRate=30\n"));
    ConfigStore store(modules.baseDir());
    QCOMPARE(store.currentProfile(), 0);

    store.setCurrentProfile(3);

    QCOMPARE(store.getData("mouse/scrollRate", false).toInt(), 30);
    store.setCurrentProfile(9);
    QCOMPARE(store.getData("mouse/scrollRate", false).toInt(), 3);
}

void TestStoreConfig::currentProfileOutsideSlotsIgnored_data()
{
    QTest::addColumn<int>("slot");
    QTest::newRow("-1") << -1;
    QTest::newRow("10") << 10;
    QTest::newRow("large") << 1000000;
}

void TestStoreConfig::currentProfileOutsideSlotsIgnored()
{
    QFETCH(int, slot);
    TempModules modules;
    ConfigStore store(modules.baseDir());
    store.setCurrentProfile(3);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^setCurrentProfile"));
    store.setCurrentProfile(slot);

    QCOMPARE(store.currentProfile(), 3);
    store.setData("mouse/scrollRate", 42);
    QCOMPARE(store.getData("mouse/scrollRate", false).toInt(), 42);
    QVERIFY(bytes(modules.path("modules/setting/p4.bin")).contains("scrollRate=42\n"));
}

void TestStoreConfig::corruptedFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("contents");

    QByteArray binary;
    for (int i = 0; i < 4096; ++i) {
        binary.append(char((i * 7919 + 13) % 256));
    }
    const QByteArray garbage("[[[mouse\n=\n\"unterminated\n\\\\\\x00\x01\x02 = = ,,,;;\n[]\n");
    for (const char* name : {"apConfig.bin", "pD.bin", "p1.bin"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 binary").arg(name))) << name << binary;
        QTest::newRow(qPrintable(QStringLiteral("%1 garbage").arg(name))) << name << garbage;
    }
}

void TestStoreConfig::corruptedFile()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, contents);

    TempModules modules;
    QVERIFY(modules.write("modules/setting/" + file, contents));
    const QByteArray otherSlot = bytes(modules.path("modules/setting/p2.bin"));
    ConfigStore store(modules.baseDir());

    const bool globalBroken = file == QLatin1String("apConfig.bin");
    QCOMPARE(store.getGlobalData("mouse/keyCount").isValid(), !globalBroken);
    QCOMPARE(store.isGun(), !globalBroken);
    QCOMPARE(store.getData("mouse/reportRate", true).isValid(), file != QLatin1String("pD.bin"));
    QCOMPARE(store.getDataList("mouseKeyMatrix/0", false).size(), file == QLatin1String("p1.bin") ? 0 : 4);

    // The broken file can be written again; the other files are as they were.
    store.setData("mouse/reportRate", 2);
    QCOMPARE(store.getData("mouse/reportRate", false).toInt(), 2);
    store.setCurrentProfile(1);
    QCOMPARE(store.getData("mouse/reportRate", false).toInt(), 3);
    QCOMPARE(bytes(modules.path("modules/setting/p2.bin")), otherSlot);
}

QTEST_GUILESS_MAIN(TestStoreConfig)
#include "TestStoreConfig.moc"
