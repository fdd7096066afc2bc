#include "ConfigStore.h"
#include "ScriptedChooser.h"
#include "TempModules.h"

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

class TestStoreProfiles : public QObject
{
    Q_OBJECT

private slots:
    void saveProfile_data();
    void saveProfile();
    void saveProfileCancelled();
    void loadProfileIntoCurrentSlot();
    void loadProfileRefusesBadFile_data();
    void loadProfileRefusesBadFile();
    void resetProfileCopiesDefault();
    void resetProfileWithoutDefaultKeepsSlot_data();
    void resetProfileWithoutDefaultKeepsSlot();
    void copyProfileBothWays();
    void copyProfileOntoItself();
    void slotsOutsideRange_data();
    void slotsOutsideRange();
};

namespace {

QByteArray bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size();
}

QString slotFile(const TempModules& modules, int slot)
{
    return modules.path(QStringLiteral("modules/setting/p%1.bin").arg(slot + 1));
}

} // namespace

void TestStoreProfiles::saveProfile_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");

    QTest::newRow("existing export") << "old.pf"
                                     << "old.pf";
    QTest::newRow("no ending") << "mine"
                               << "mine.pf";
    QTest::newRow("other ending") << "mine.txt"
                                  << "mine.txt.pf";
    QTest::newRow("upper case ending") << "MINE.PF"
                                       << "MINE.PF";
}

void TestStoreProfiles::saveProfile()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);

    TempModules modules;
    QTemporaryDir out;
    QVERIFY(writeFile(out.filePath("old.pf"), "an older export"));
    ScriptedChooser chooser;
    chooser.answer(out.filePath(chosen));
    ConfigStore store(modules.baseDir());
    store.setFileChooser(&chooser);
    store.setCurrentProfile(3);
    store.setData("mouse/scrollRate", 7);

    QVERIFY(store.saveProfile(3));

    QCOMPARE(bytes(out.filePath(written)), bytes(slotFile(modules, 3)));
    QVERIFY(bytes(out.filePath(written)).contains("scrollRate=7\n"));
    QCOMPARE(QDir(out.path()).entryList(QDir::Files).size(), written == "old.pf" ? 1 : 2);
    QCOMPARE(chooser.questions().size(), 1);
    const ScriptedChooser::Question asked = chooser.questions().constFirst();
    QVERIFY(asked.save);
    QCOMPARE(asked.caption, QStringLiteral("Save File"));
    QCOMPARE(asked.filter, QStringLiteral("Profile(*.pf)"));
    QCOMPARE(asked.startDir, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

void TestStoreProfiles::saveProfileCancelled()
{
    TempModules modules;
    ScriptedChooser chooser;
    ConfigStore store(modules.baseDir());
    store.setFileChooser(&chooser);

    QVERIFY(!store.saveProfile(0));
    QVERIFY(!store.loadProfile(0));
    QCOMPARE(chooser.questions().size(), 2);
    QCOMPARE(chooser.questions().at(1).caption, QStringLiteral("Open File"));
    QCOMPARE(chooser.questions().at(1).filter, QStringLiteral("Profile(*.pf)"));
    QCOMPARE(bytes(slotFile(modules, 0)), bytes(TempModules::shippedPath("modules/setting/p1.bin")));
}

void TestStoreProfiles::loadProfileIntoCurrentSlot()
{
    TempModules modules;
    QTemporaryDir out;
    const QString import = out.filePath("import.pf");
    QVERIFY(writeFile(import, "[mouse]\nreportRate=0\nscrollRate=1000\n"));
    ScriptedChooser chooser;
    chooser.answer(import);
    ConfigStore store(modules.baseDir());
    store.setFileChooser(&chooser);
    store.setCurrentProfile(2);
    QCOMPARE(store.getData("mouse/reportRate", false).toInt(), 3);

    QVERIFY(store.loadProfile(2));

    QCOMPARE(store.getData("mouse/reportRate", false).toInt(), 0);
    QCOMPARE(store.getData("mouse/scrollRate", false).toInt(), 1000);
    QVERIFY(!store.getData("mouse/dpiCount", false).isValid());
    QCOMPARE(bytes(slotFile(modules, 2)), bytes(import));
    QCOMPARE(bytes(slotFile(modules, 1)), bytes(TempModules::shippedPath("modules/setting/p2.bin")));

    store.setData("mouse/reportRate", 1);
    QVERIFY(bytes(slotFile(modules, 2)).contains("reportRate=1\n"));
    QCOMPARE(bytes(import), QByteArray("[mouse]\nreportRate=0\nscrollRate=1000\n"));
}

void TestStoreProfiles::loadProfileRefusesBadFile_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("exists");

    QByteArray binary;
    for (int i = 0; i < 2048; ++i) {
        binary.append(char((i * 31 + 7) % 256));
    }
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("binary") << binary << true;
    QTest::newRow("too large") << QByteArray("[mouse]\nreportRate=0\n") + QByteArray(2 * 1024 * 1024, ' ') << true;
}

void TestStoreProfiles::loadProfileRefusesBadFile()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, exists);

    TempModules modules;
    QTemporaryDir out;
    const QString import = out.filePath("import.pf");
    if (exists) {
        QVERIFY(writeFile(import, contents));
    }
    ScriptedChooser chooser;
    chooser.answer(import);
    ConfigStore store(modules.baseDir());
    store.setFileChooser(&chooser);
    store.setData("mouse/scrollRate", 9);
    const QByteArray before = bytes(slotFile(modules, 0));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^profile slot 0 kept"));
    QVERIFY(!store.loadProfile(0));

    QCOMPARE(bytes(slotFile(modules, 0)), before);
    QCOMPARE(store.getData("mouse/scrollRate", false).toInt(), 9);
}

void TestStoreProfiles::resetProfileCopiesDefault()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    store.setCurrentProfile(1);
    store.setData("mouse/scrollRate", 51);
    store.setCurrentProfile(2);
    store.setData("mouse/scrollRate", 52);
    const QByteArray otherSlot = bytes(slotFile(modules, 1));

    QVERIFY(store.resetProfile(2));

    QCOMPARE(bytes(slotFile(modules, 2)), bytes(modules.path("modules/setting/pD.bin")));
    QCOMPARE(store.getData("mouse/scrollRate", false).toInt(), 3);
    QCOMPARE(bytes(slotFile(modules, 1)), otherSlot);
}

void TestStoreProfiles::resetProfileWithoutDefaultKeepsSlot_data()
{
    QTest::addColumn<QByteArray>("defaults");
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("binary") << QByteArray("\x7f"
                                          "ELF\x02\x01\x01\x00\x00\xff\xfe[mouse]\nscrollRate=1\n",
                                          29);
    QTest::newRow("empty") << QByteArray("\n");
}

void TestStoreProfiles::resetProfileWithoutDefaultKeepsSlot()
{
    QFETCH(QByteArray, defaults);
    TempModules modules;
    QVERIFY(QFile::remove(modules.path("modules/setting/pD.bin")));
    if (!defaults.isEmpty()) {
        QVERIFY(modules.write("modules/setting/pD.bin", defaults));
    }
    ConfigStore store(modules.baseDir());
    store.setCurrentProfile(2);
    store.setData("mouse/scrollRate", 77);
    const QByteArray before = bytes(slotFile(modules, 2));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^profile slot 2 kept"));
    QVERIFY(!store.resetProfile(2));

    QVERIFY(QFile::exists(slotFile(modules, 2)));
    QCOMPARE(bytes(slotFile(modules, 2)), before);
    QCOMPARE(store.getData("mouse/scrollRate", false).toInt(), 77);
    store.setData("mouse/scrollRate", 78);
    QVERIFY(bytes(slotFile(modules, 2)).contains("scrollRate=78\n"));
}

void TestStoreProfiles::copyProfileBothWays()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    store.setCurrentProfile(4);
    store.setData("mouse/scrollRate", 1000);
    store.setCurrentProfile(1);
    store.setData("mouse/reportRate", 0);

    QVERIFY(store.copyProfile(1, 4));
    QCOMPARE(bytes(slotFile(modules, 1)), bytes(slotFile(modules, 4)));
    QCOMPARE(store.getData("mouse/scrollRate", false).toInt(), 1000);
    QCOMPARE(store.getData("mouse/reportRate", false).toInt(), 3);

    store.setDataList("mouse/lightValue", {3, 1, 1});
    QVERIFY(store.copyProfile(4, 1));
    QCOMPARE(bytes(slotFile(modules, 4)), bytes(slotFile(modules, 1)));
    store.setCurrentProfile(4);
    QCOMPARE(store.getDataList("mouse/lightValue", false), (QVariantList {"3", "1", "1"}));
}

void TestStoreProfiles::copyProfileOntoItself()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    store.setCurrentProfile(3);
    store.setData("mouse/scrollRate", 12);

    QVERIFY(store.copyProfile(3, 3));

    QVERIFY(QFile::exists(slotFile(modules, 3)));
    QCOMPARE(store.getData("mouse/scrollRate", false).toInt(), 12);
    QVERIFY(bytes(slotFile(modules, 3)).contains("scrollRate=12\n"));
}

void TestStoreProfiles::slotsOutsideRange_data()
{
    QTest::addColumn<int>("slot");
    QTest::newRow("-1") << -1;
    QTest::newRow("10") << 10;
    QTest::newRow("minimum") << std::numeric_limits<int>::min();
}

void TestStoreProfiles::slotsOutsideRange()
{
    QFETCH(int, slot);
    TempModules modules;
    QTemporaryDir out;
    ScriptedChooser chooser;
    chooser.answer(out.filePath("x.pf"));
    ConfigStore store(modules.baseDir());
    store.setFileChooser(&chooser);
    QDir setting(modules.path("modules/setting"));
    const QStringList filesBefore = setting.entryList(QDir::Files);

    QVERIFY(!store.saveProfile(slot));
    QVERIFY(!store.loadProfile(slot));
    QVERIFY(!store.resetProfile(slot));
    QVERIFY(!store.copyProfile(slot, 0));
    QVERIFY(!store.copyProfile(0, slot));

    QVERIFY(chooser.questions().isEmpty());
    QVERIFY(store.profileSettings(slot) == nullptr);
    QCOMPARE(setting.entryList(QDir::Files), filesBefore);
    QCOMPARE(bytes(slotFile(modules, 0)), bytes(TempModules::shippedPath("modules/setting/p1.bin")));
}

QTEST_GUILESS_MAIN(TestStoreProfiles)
#include "TestStoreProfiles.moc"
