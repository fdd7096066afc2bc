#include "AppRulesStore.h"
#include "ConfigStore.h"
#include "GunStore.h"
#include "LanguageStore.h"
#include "MacroLibrary.h"
#include "ScriptedChooser.h"
#include "StorePaths.h"
#include "StoreTools.h"
#include "TempModules.h"
#include "TestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

class TestStoreConfig : public QObject
{
    Q_OBJECT

private slots:
    void profilePaths_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("file");
        QTest::newRow("first") << 0 << "p1.bin";
        QTest::newRow("tenth") << 9 << "p10.bin";
        QTest::newRow("past the ten") << 10 << "";
        QTest::newRow("negative") << -1 << "";
    }

    void profilePaths()
    {
        QFETCH(int, slot);
        QFETCH(QString, file);
        const QString path = StorePaths("/base").profile(slot);
        QCOMPARE(path, file.isEmpty() ? QString() : QDir::cleanPath("/base/modules/setting/" + file));
    }

    void listValues_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QVariantList>("expected");

        QTest::newRow("missing key") << QByteArray() << QVariantList();
        QTest::newRow("single text") << QByteArray("value=abc") << QVariantList();
        QTest::newRow("two items") << QByteArray("value=1, 2") << QVariantList {"1", "2"};
        QTest::newRow("quoted comma") << QByteArray("value=\"a,b\", c") << QVariantList {"a,b", "c"};
    }

    void listValues()
    {
        QFETCH(QByteArray, line);
        QFETCH(QVariantList, expected);
        TempModules modules;
        QVERIFY(modules.write("modules/setting/p1.bin", "[mouse]\n" + line + "\n"));
        ConfigStore store(modules.baseDir());

        QCOMPARE(store.getDataList("mouse/value", false), expected);
        QCOMPARE(store.getData("mouse/value", false).isValid(), !line.isEmpty());
    }

    void profileEntriesFallBackToTheDefaults_data()
    {
        QTest::addColumn<QByteArray>("profile");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("read");

        const QString left = "0 0 240 0";
        const QString dpis = "400 800 1600 3200 4800 6400 8000 12000";
        // clang-format off
        QTest::newRow("file of another kind")   << QByteArray("[x]\ny=1\n") << "mouseKeyMatrix/0" << left;
        QTest::newRow("record cut short")       << QByteArray("[mouseKeyMatrix]\n0=0, 0\n") << "mouseKeyMatrix/0" << left;
        QTest::newRow("record with a word")     << QByteArray("[mouseKeyMatrix]\n0=0, x, 241, 0\n") << "mouseKeyMatrix/0" << left;
        QTest::newRow("record as stored")       << QByteArray("[mouseKeyMatrix]\n0=0, 0, 241, 0\n") << "mouseKeyMatrix/0" << "0 0 241 0";
        QTest::newRow("firmware matrix missing") << QByteArray("[mouse]\nreportRate=1\n") << "mouseFwKeyMatrix/0" << "1 0 240 0";
        QTest::newRow("dpi list cut short")     << QByteArray("[mouse]\ndpiValueArray=400, 800\n") << "mouse/dpiValueArray" << dpis;
        QTest::newRow("lighting missing")       << QByteArray("[mouse]\nreportRate=1\n") << "mouse/lightValue" << "0 2 4";
        QTest::newRow("number not a number")    << QByteArray("[mouse]\nreportRate=fast\n") << "mouse/reportRate" << "3";
        QTest::newRow("number as stored")       << QByteArray("[mouse]\nreportRate=1\n") << "mouse/reportRate" << "1";
        QTest::newRow("text as stored")         << QByteArray("[mouseMacroKey]\n2=Greeting\n") << "mouseMacroKey/2" << "Greeting";
        // clang-format on
    }

    // A profile entry that is missing or not shaped as the default profile's reads as the default's,
    // so no damaged or foreign file turns into zeros on the mouse.
    void profileEntriesFallBackToTheDefaults()
    {
        QFETCH(QByteArray, profile);
        QFETCH(QString, key);
        QFETCH(QString, read);
        TempModules modules;
        QVERIFY(modules.write("modules/setting/p2.bin", profile));
        ConfigStore store(modules.baseDir());
        store.setCurrentProfile(1);

        const QVariant value = store.getData(key, false);
        const QString text
            = value.typeId() == QMetaType::QStringList ? value.toStringList().join(' ') : value.toString();
        QCOMPARE(text, read);
    }

    void writesReachDisk()
    {
        TempModules modules;
        const QByteArray defaults = modules.read("modules/setting/pD.bin");
        {
            ConfigStore store(modules.baseDir());
            store.setCurrentProfile(4);
            store.setData("mouse/reportRate", 1);
            store.setDataList("mouse/lightValue", {1, 2, 3});
            store.setGlobalData("mouse/selectGun", QVariantList {0, 4, 2});

            // Another reader sees the writes at once, as texts.
            ConfigStore reader(modules.baseDir());
            reader.setCurrentProfile(4);
            QCOMPARE(reader.getData("mouse/reportRate", false), QVariant(QStringLiteral("1")));
            QCOMPARE(reader.getDataList("mouse/lightValue", false), (QVariantList {"1", "2", "3"}));
            QCOMPARE(StoreTools::listValue(reader.getGlobalData("mouse/selectGun")), (QVariantList {"0", "4", "2"}));
            // The default profile is read, never written.
            QCOMPARE(reader.getData("mouse/reportRate", true).toInt(), 3);
            QCOMPARE(modules.read("modules/setting/pD.bin"), defaults);

            store.profileSettings(7)->setValue("mouse/scrollRate", 11);
        }
        // Changes made straight on a settings object reach the disk at the end.
        QVERIFY(modules.read("modules/setting/p8.bin").contains("scrollRate=11\n"));
    }

    void resetApconfig_data()
    {
        QTest::addColumn<QByteArray>("defaults"); // null: missing
        QTest::addColumn<bool>("ok");

        QTest::newRow("default copy") << QByteArray("[common]\nname=Default\n") << true;
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("binary") << TestSupport::binaryBytes() << false;
        QTest::newRow("no keys") << QByteArray("; nothing here\n") << false;
    }

    void resetApconfig()
    {
        QFETCH(QByteArray, defaults);
        QFETCH(bool, ok);
        TempModules modules;
        QVERIFY(QFile::remove(modules.path("modules/setting/apConfigD.bin")));
        QVERIFY(defaults.isNull() || modules.write("modules/setting/apConfigD.bin", defaults));
        ConfigStore store(modules.baseDir());
        store.setGlobalData("common/name", "Mine");

        if (!ok) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^resetApconfig:"));
        }
        QCOMPARE(store.resetApconfig(), ok);

        if (ok) {
            QCOMPARE(modules.read("modules/setting/apConfig.bin"), defaults);
            QCOMPARE(store.getGlobalData("common/name").toString(), QStringLiteral("Default"));
            QVERIFY(!store.getGlobalData("mouse/keyCount").isValid());
        } else {
            QVERIFY(modules.read("modules/setting/apConfig.bin").contains("name=Mine\n"));
            QCOMPARE(store.getGlobalData("common/name").toString(), QStringLiteral("Mine"));
            QCOMPARE(store.getGlobalData("mouse/keyCount").toInt(), 8);
        }
        store.setGlobalData("common/after", 2);
        QVERIFY(modules.read("modules/setting/apConfig.bin").contains("after=2\n"));
    }

    void failedWritesAreReported_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("cause"); // a folder in the file's place, binary values, or refused by the seam
        // clang-format off
        QTest::newRow("profile") << "setData" << "modules/setting/p1.bin" << "folder";
        QTest::newRow("global configuration") << "setGlobalData" << "modules/setting/apConfig.bin" << "folder";
        QTest::newRow("profile reset") << "resetProfile" << "modules/setting/p1.bin" << "folder";
        QTest::newRow("configuration reset, disk full") << "resetApconfig" << "modules/setting/apConfig.bin" << "refused";
        QTest::newRow("macro import, disk full") << "importMacroFile" << "modules/macro/Imported.bin" << "refused";
        QTest::newRow("name list") << "updataNameList" << "modules/setting/name.bin" << "folder";
        QTest::newRow("profile holding binary values") << "setData" << "modules/setting/p1.bin" << "binary";
        QTest::newRow("name list holding binary values") << "updataNameList" << "modules/setting/name.bin" << "binary";
        QTest::newRow("profile, disk full") << "setData" << "modules/setting/p1.bin" << "refused";
        QTest::newRow("global configuration, disk full") << "setGlobalData" << "modules/setting/apConfig.bin" << "refused";
        QTest::newRow("profile reset, disk full") << "resetProfile" << "modules/setting/p1.bin" << "refused";
        QTest::newRow("name list, disk full") << "updataNameList" << "modules/setting/name.bin" << "refused";
        QTest::newRow("application rules") << "saveAppRules" << "modules/setting/appRules.bin" << "folder";
        QTest::newRow("application rules holding binary values") << "saveAppRules" << "modules/setting/appRules.bin" << "binary";
        QTest::newRow("application rules, disk full") << "saveAppRules" << "modules/setting/appRules.bin" << "refused";
        // clang-format on
    }

    void failedWritesAreReported()
    {
        QFETCH(QString, operation);
        QFETCH(QString, file);
        QFETCH(QString, cause);
        TempModules modules;
        const QByteArray refused("[mouse]\nreportRate=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x1)\n");
        // Such a file is opened under no name, and its failed write still names it.
        QVERIFY(cause != "binary" || modules.write(file, refused));
        QStringList heard;
        ConfigStore store(modules.baseDir());
        MacroLibrary macros(store);
        ScriptedChooser chooser;
        store.setFileChooser(&chooser);
        store.setWriteFailureHandler([&heard](const QString& failed) { heard << failed; });
        const auto write = [&](int value) {
            if (operation == "setData") {
                return store.setData("mouse/reportRate", value);
            }
            if (operation == "setGlobalData") {
                return store.setGlobalData("mouse/profileNo", value);
            }
            if (operation == "resetProfile") {
                return store.resetProfile(0);
            }
            if (operation == "resetApconfig") {
                return store.resetApconfig();
            }
            if (operation == "importMacroFile") {
                const QString source = modules.path("modules/in.mc");
                chooser.answer(source);
                return modules.write("modules/in.mc", "[config]\ntotal=0\nrepeat=" + QByteArray::number(value) + "\n")
                       && macros.importMacroFile("Imported") == MacroLibrary::ImportResult::Imported;
            }
            if (operation == "saveAppRules") {
                return AppRulesStore(store).save({true, value, {}, {}});
            }
            return macros.updataNameList(MacroLibrary::MacroNames, {"Macro_0", QString::number(value)}).toBool();
        };
        const auto read = [&] {
            return operation == "setGlobalData"    ? store.getGlobalData("mouse/profileNo")
                   : operation == "updataNameList" ? QVariant(macros.getNameList(MacroLibrary::MacroNames))
                   : operation == "saveAppRules"   ? QVariant(AppRulesStore(store).load().other)
                                                   : store.getData("mouse/reportRate", false);
        };
        // The rules file comes with the first rule.
        QVERIFY(operation != "saveAppRules" || cause == "binary" || modules.write(file, "[rules]\nother=0\n"));
        const QVariant before = read();
        const QString path = modules.path(file);
        StoreTools::setFileSystemSeam(
            {[&](const QString& written) { return cause != "refused" || written != path; }, {}});
        // A folder in the file's place: no file can be written there, not even by root.
        QVERIFY(cause != "folder" || (QFile::remove(path) && QDir().mkpath(path)));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write .*" + QRegularExpression::escape(file)));
        QVERIFY(!write(1));
        // Reads show what is on disk, not the value that could not be written; a profile entry
        // gone from the disk reads as the default profile's.
        const QVariant gone = operation == "updataNameList"  ? QVariant(QVariantList())
                              : operation == "setGlobalData" ? QVariant()
                              : operation == "saveAppRules"  ? QVariant(AppRulesStore::LeaveAsIs)
                                                             : store.getData("mouse/reportRate", true);
        QCOMPARE(read(), cause == "folder" ? gone : before);
        // A reset fails twice: writing the file's pending changes first, then the copy over it.
        const int failed = store.failedWrites();
        QCOMPARE(failed, operation.startsWith("reset") ? 2 : 1);
        QCOMPARE(store.failedFiles(), QStringList(failed, path));
        QCOMPARE(heard, store.failedFiles());
        StoreTools::setFileSystemSeam({});
        if (cause == "binary") {
            QCOMPARE(modules.read(file), refused);
            return;
        }

        // Once the place is free again, the next write lands and says so.
        QVERIFY(cause != "folder" || QDir(path).removeRecursively());
        QVERIFY(write(2));
        const QString copied = operation == "resetProfile"    ? "modules/setting/pD.bin"
                               : operation == "resetApconfig" ? "modules/setting/apConfigD.bin"
                                                              : QString();
        QVERIFY(copied.isEmpty() ? modules.read(file).contains("2\n") : modules.read(file) == modules.read(copied));
    }

    void batchWritesOnceAtItsEnd()
    {
        TempModules modules;
        ConfigStore store(modules.baseDir());
        {
            ConfigStore::WriteBatch outer(store);
            {
                ConfigStore::WriteBatch inner(store);
                QVERIFY(store.setData("mouse/reportRate", 1));
                QVERIFY(store.setGlobalData("mouse/profileNo", 3));
            }
            // Read back at once, on disk only when the last batch ends.
            QCOMPARE(store.getData("mouse/reportRate", false).toInt(), 1);
            QVERIFY(!modules.read("modules/setting/p1.bin").contains("reportRate=1\n"));
            // A folder in the profile's place: the failure shows when the batch ends.
            QVERIFY(QFile::remove(modules.path("modules/setting/p1.bin")));
            QVERIFY(QDir().mkpath(modules.path("modules/setting/p1.bin")));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write .*p1.bin"));
        }
        QCOMPARE(store.failedWrites(), 1);
        QVERIFY(modules.read("modules/setting/apConfig.bin").contains("profileNo=3\n"));
    }

    void serialisedValuesAsQtReadsThem_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("refused");
        // The payload is the number 5, which Qt decodes harmlessly; the date-time form adds a null flag.
        const QByteArray five("Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)");
        // clang-format off
        QTest::newRow("raw") << "v=@" + five << true;
        QTest::newRow("hex escape") << "v=\\x40" + five << true;
        QTest::newRow("hex escape past 16 bits") << "v=\\x10040" + five << true;
        QTest::newRow("octal escape") << "v=\\100" + five << true;
        QTest::newRow("octal escape past 16 bits, from 7") << "v=\\700000100" + five << true;
        QTest::newRow("date-time form") << QByteArray("v=@DateTime(\\0\\0\\0\\x2\\0\\0\\0\\0\\x5)") << true;
        QTest::newRow("quoted") << "v=\"@" + five + "\"" << true;
        QTest::newRow("after empty quotes") << "v=\"\"@" + five << true;
        QTest::newRow("list item") << "v=1, \\x40" + five << true;
        QTest::newRow("after a line continuation") << "v=\\\n@" + five << true;
        QTest::newRow("escaped at") << "v=@@" + five << false;
        QTest::newRow("escaped backslash") << "v=\\\\x40" + five << false;
        QTest::newRow("inside a text") << "v=a@" + five << false;
        QTest::newRow("comment") << ";v=@" + five << false;
        QTest::newRow("after a comment line") << ";c\nv=@" + five << true;
        QTest::newRow("after a semicolon") << "v=1;@" + five << false;
        QTest::newRow("section header") << "[v=@" + five + "]" << false;
        // clang-format on
    }

    void serialisedValuesAsQtReadsThem()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, refused);
        const QByteArray bytes = "[mouse]\n" + line + "\nafter=1\n";
        QCOMPARE(StoreTools::holdsBinaryValues(bytes), refused);

        // The guard decides as Qt's own reader does.
        TempModules modules;
        QVERIFY(modules.write("probe.ini", bytes));
        const QSettings qt(modules.path("probe.ini"), QSettings::IniFormat);
        bool decoded = false;
        for (const QString& key : qt.allKeys()) {
            const QVariant value = qt.value(key);
            const QVariantList items
                = value.metaType().id() == QMetaType::QVariantList ? value.toList() : QVariantList {value};
            for (const QVariant& item : items) {
                decoded
                    = decoded
                      || (item.metaType().id() != QMetaType::QString && item.metaType().id() != QMetaType::QStringList);
            }
        }
        QCOMPARE(decoded, refused);
    }

    void corruptedFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("contents");

        const QString files("setting/apConfig.bin setting/pD.bin setting/p1.bin setting/name.bin macro/Macro_0.bin "
                            "gun/gunData.bin i18n/English.ini");
        for (const QString& file : files.split(QLatin1Char(' '))) {
            QTest::newRow(qPrintable(file)) << file << TestSupport::binaryBytes();
        }
        QTest::newRow("macro total huge") << "macro/Macro_0.bin" << QByteArray("[config]\ntotal=2000000000\n");
        QTest::newRow("language total huge") << "i18n/English.ini" << QByteArray("[main]\ntotal=2000000000\n0=a\n");
    }

    void corruptedFile()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, contents);
        TempModules modules;
        QVERIFY(modules.write("modules/" + file, contents));
        const QMap<QString, QByteArray> before = modules.snapshot();
        ConfigStore store(modules.baseDir());
        MacroLibrary macros(store);
        GunStore guns(store);
        LanguageStore languages(modules.baseDir());

        // Each file's own values read as missing or cut; every other file reads as shipped.
        QCOMPARE(store.isGun(), file != "setting/apConfig.bin");
        QCOMPARE(store.getData("mouse/reportRate", true).isValid(), file != "setting/pD.bin");
        QCOMPARE(store.currentProfileSettings()->contains("mouseKeyMatrix/0"), file != "setting/p1.bin");
        // A profile that reads as empty reads as the default profile.
        QCOMPARE(store.getDataList("mouseKeyMatrix/0", false).size(), 4);
        QCOMPARE(macros.getNameList(0).size(), file == "setting/name.bin" ? 0 : 2);
        const int actions = macros.loadMacroIni("Macro_0").size();
        QVERIFY(file == "macro/Macro_0.bin" ? actions == 1 || actions == MacroLibrary::MaxActions + 1 : actions == 8);
        QCOMPARE(guns.getGunData(0).size(), file == "gun/gunData.bin" ? 0 : 6);
        const int texts = languages.getLangStrings("main", "English").size();
        QVERIFY(file == "i18n/English.ini" ? texts == 0 || texts == LanguageStore::MaxTexts : texts == 18);

        QVERIFY(store.sync());
        QCOMPARE(modules.snapshot(), before);
    }
};

QTEST_GUILESS_MAIN(TestStoreConfig)
#include "TestStoreConfig.moc"
