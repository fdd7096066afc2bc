#include "ConfigStore.h"
#include "ScriptedChooser.h"
#include "StoreTools.h"
#include "TempModules.h"
#include "TestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

namespace {

enum Operation { Load, Reset, Copy, GlobalReset };

QString slotFile(const TempModules& modules, int slot)
{
    return modules.path(QStringLiteral("modules/setting/p%1.bin").arg(slot + 1));
}

} // namespace

class TestStoreProfiles : public QObject
{
    Q_OBJECT

private slots:
    void saveProfile_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");

        for (const auto& [chosen, written] : {std::pair {"old.pf", "old.pf"},
                                              {"mine", "mine.pf"},
                                              {"mine.txt", "mine.txt.pf"},
                                              {"MINE.PF", "MINE.PF"}}) {
            QTest::newRow(chosen) << QString(chosen) << QString(written);
        }
    }

    void saveProfile()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        TempModules modules;
        QTemporaryDir out;
        QVERIFY(TempModules::writeFile(out.filePath("old.pf"), "an older export"));
        ScriptedChooser chooser;
        chooser.answer(out.filePath(chosen));
        ConfigStore store(modules.baseDir());
        store.setFileChooser(&chooser);
        store.profileSettings(3)->setValue("mouse/scrollRate", 7);

        QVERIFY(store.saveProfile(3));

        QVERIFY(TempModules::readFile(out.filePath(written)).contains("scrollRate=7\n"));
        QCOMPARE(TempModules::readFile(out.filePath(written)), TempModules::readFile(slotFile(modules, 3)));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files).size(), written == "old.pf" ? 1 : 2);
    }

    void failedExportKeepsTarget()
    {
        TempModules modules;
        QTemporaryDir out;
        QVERIFY(TempModules::writeFile(out.filePath("old.pf"), "an older export"));
        QVERIFY(QFile::remove(slotFile(modules, 3)));
        ScriptedChooser chooser;
        chooser.answer(out.filePath("old.pf"));
        ConfigStore store(modules.baseDir());
        store.setFileChooser(&chooser);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^saveProfile:"));
        QVERIFY(!store.saveProfile(3));

        QCOMPARE(TempModules::readFile(out.filePath("old.pf")), QByteArray("an older export"));
    }

    void replaceSlot_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("ok");

        const QByteArray good("[mouse]\nreportRate=0\nscrollRate=1000\n");
        const QByteArray large = good + QByteArray(2 * 1024 * 1024, ' ');
        // The three share one check of the file; loading goes through every kind of file.
        // clang-format off
        QTest::newRow("load settings file") << int(Load) << good << true;
        QTest::newRow("load missing") << int(Load) << QByteArray() << false;
        QTest::newRow("load empty") << int(Load) << QByteArray("\n") << false;
        QTest::newRow("load without profile keys") << int(Load) << QByteArray("[x]\ny=1\n") << false;
        QTest::newRow("load binary") << int(Load) << TestSupport::binaryBytes() << false;
        QTest::newRow("load too large") << int(Load) << large << false;
        QTest::newRow("load cancelled") << int(Load) << QByteArray() << false;
        QTest::newRow("reset settings file") << int(Reset) << good << true;
        QTest::newRow("reset binary") << int(Reset) << TestSupport::binaryBytes() << false;
        QTest::newRow("copy settings file") << int(Copy) << good << true;
        QTest::newRow("copy missing") << int(Copy) << QByteArray() << false;
        // clang-format on
    }

    // Loading, resetting and copying a profile replace slot 2 with another file. Pending changes
    // reach the disk first; a file that is not a settings file leaves the slot as it was.
    void replaceSlot()
    {
        QFETCH(int, operation);
        QFETCH(QByteArray, contents);
        QFETCH(bool, ok);
        TempModules modules;
        QTemporaryDir out;
        const QString source = operation == Load    ? out.filePath("import.pf")
                               : operation == Reset ? modules.path("modules/setting/pD.bin")
                                                    : slotFile(modules, 4);
        QVERIFY(QFile::remove(source) || operation == Load);
        QVERIFY(contents.isNull() || TempModules::writeFile(source, contents));
        const bool cancelled = QTest::currentDataTag() == QLatin1String("load cancelled");
        ScriptedChooser chooser;
        chooser.answer(cancelled ? QString() : source);
        ConfigStore store(modules.baseDir());
        store.setFileChooser(&chooser);
        store.setCurrentProfile(2);
        store.profileSettings(2)->setValue("mouse/scrollRate", 77);
        if (operation == Copy && ok) {
            store.profileSettings(4)->setValue("mouse/dpiCount", 5);
        }
        const QByteArray otherSlot = TempModules::readFile(slotFile(modules, 1));

        if (!ok && !cancelled) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^profile slot 2 kept"));
        }
        const bool done = operation == Load    ? store.loadProfile(2)
                          : operation == Reset ? store.resetProfile(2)
                                               : store.copyProfile(2, 4);

        QCOMPARE(done, ok);
        if (ok) {
            QCOMPARE(TempModules::readFile(slotFile(modules, 2)), TempModules::readFile(source));
            QCOMPARE(store.getData("mouse/scrollRate", false).toInt(), 1000);
            QCOMPARE(store.currentProfileSettings()->contains("mouse/dpiCount"), operation == Copy);
        } else {
            QCOMPARE(store.getData("mouse/scrollRate", false).toInt(), 77);
            QCOMPARE(store.getData("mouse/dpiCount", false).toInt(), 8);
        }
        store.setData("mouse/reportRate", 2);
        const QByteArray after = TempModules::readFile(slotFile(modules, 2));
        QVERIFY(after.contains("reportRate=2\n"));
        QCOMPARE(after.contains("scrollRate=77\n"), !ok);
        QCOMPARE(TempModules::readFile(slotFile(modules, 1)), otherSlot);
    }

    void coarseTimeStamps_data()
    {
        QTest::addColumn<int>("operation");
        QTest::newRow("import") << int(Load);
        QTest::newRow("reset") << int(Reset);
        QTest::newRow("copy") << int(Copy);
        QTest::newRow("global reset") << int(GlobalReset);
    }

    // On a file system with coarse time stamps a replacement of the same size keeps the old stamp.
    void coarseTimeStamps()
    {
        QFETCH(int, operation);
        TempModules modules;
        QTemporaryDir out;
        const QString target
            = operation == GlobalReset ? modules.path("modules/setting/apConfig.bin") : slotFile(modules, 2);
        const QString source = operation == Load          ? out.filePath("import.pf")
                               : operation == Reset       ? modules.path("modules/setting/pD.bin")
                               : operation == GlobalReset ? modules.path("modules/setting/apConfigD.bin")
                                                          : slotFile(modules, 4);
        QVERIFY(TempModules::writeFile(target, "[mouse]\nreportRate=1\n"));
        QVERIFY(TempModules::writeFile(source, "[mouse]\nreportRate=2\n"));
        const QDateTime stamp = QFileInfo(target).lastModified().addSecs(-10);
        const auto restamp = [stamp](const QString& file) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(stamp, QFileDevice::FileModificationTime));
        };
        restamp(target);
        StoreTools::setFileSystemSeam({{}, restamp});
        ScriptedChooser chooser;
        chooser.answer(source);
        ConfigStore store(modules.baseDir());
        store.setFileChooser(&chooser);
        store.setCurrentProfile(2);
        const auto read = [&] {
            return (operation == GlobalReset ? store.getGlobalData("mouse/reportRate")
                                             : store.getData("mouse/reportRate", false))
                .toInt();
        };
        QCOMPARE(read(), 1);

        QVERIFY(operation == Load    ? store.loadProfile(2)
                : operation == Reset ? store.resetProfile(2)
                : operation == Copy  ? store.copyProfile(2, 4)
                                     : store.resetApconfig());
        StoreTools::setFileSystemSeam({});

        QCOMPARE(read(), 2);
        QVERIFY(operation == GlobalReset ? store.setGlobalData("mouse/other", 5) : store.setData("mouse/other", 5));
        QCOMPARE(TempModules::readFile(target), QByteArray("[mouse]\nother=5\nreportRate=2\n"));
    }

    void copyProfileOntoItself()
    {
        TempModules modules;
        ConfigStore store(modules.baseDir());
        store.profileSettings(3)->setValue("mouse/scrollRate", 12);

        QVERIFY(store.copyProfile(3, 3));

        QVERIFY(TempModules::readFile(slotFile(modules, 3)).contains("scrollRate=12\n"));
        QCOMPARE(store.profileSettings(3)->value("mouse/scrollRate").toInt(), 12);
    }

    void slotsOutsideRange_data()
    {
        QTest::addColumn<int>("slot");
        QTest::newRow("-1") << -1;
        QTest::newRow("10") << 10;
        QTest::newRow("minimum") << std::numeric_limits<int>::min();
    }

    void slotsOutsideRange()
    {
        QFETCH(int, slot);
        TempModules modules;
        QTemporaryDir out;
        ScriptedChooser chooser;
        chooser.answer(out.filePath("x.pf"));
        ConfigStore store(modules.baseDir());
        store.setFileChooser(&chooser);
        store.setCurrentProfile(3);
        const QMap<QString, QByteArray> before = modules.snapshot();

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^setCurrentProfile"));
        store.setCurrentProfile(slot);
        QCOMPARE(store.currentProfile(), 3);
        QVERIFY(!store.saveProfile(slot));
        QVERIFY(!store.loadProfile(slot));
        QVERIFY(!store.resetProfile(slot));
        QVERIFY(!store.copyProfile(slot, 0));
        QVERIFY(!store.copyProfile(0, slot));

        QCOMPARE(chooser.questions(), 0);
        QVERIFY(store.profileSettings(slot) == nullptr);
        QCOMPARE(modules.snapshot(), before);
    }
};

QTEST_GUILESS_MAIN(TestStoreProfiles)
#include "TestStoreProfiles.moc"
