#include "ConfigStore.h"
#include "FactoryKeyMatrix.h"
#include "MacroLibrary.h"
#include "ScriptedChooser.h"
#include "StoreTools.h"
#include "TempModules.h"
#include "TestSupport.h"

#include <QRegularExpression>
#include <QSettings>
#include <QTest>

namespace {

void bindMacro(ConfigStore& store, int slot, int entry, const QString& name)
{
    QSettings* profile = store.profileSettings(slot);
    profile->setValue(QStringLiteral("mouseKeyMatrix/%1").arg(entry), QVariantList {4, 1, entry, 0});
    profile->setValue(QStringLiteral("mouseMacroKey/%1").arg(entry), name);
    profile->sync();
}

QVariantList entry(ConfigStore& store, int slot, int entry)
{
    return StoreTools::listValue(store.profileSettings(slot)->value(QStringLiteral("mouseKeyMatrix/%1").arg(entry)));
}

QString boundName(ConfigStore& store, int slot, int entry)
{
    return store.profileSettings(slot)->value(QStringLiteral("mouseMacroKey/%1").arg(entry)).toString();
}

// A list value claiming 671 million elements.
QByteArray hugeListValue()
{
    return QByteArray("[config]\ntotal=1\n[macro]\n0=@Variant(\\0\\0\\0\\t(\\0\\0\\0\\x7f\\0\\0\\0\\x7f)\n");
}

} // namespace

class TestStoreMacros : public QObject
{
    Q_OBJECT

private slots:
    void saveLoadDelete()
    {
        TempModules modules;
        ConfigStore store(modules.baseDir());
        MacroLibrary macros(store);

        // Creating over an existing macro empties it; a shorter save drops the old actions.
        QVERIFY(macros.createMacroIni("Macro_0", 3).toBool());
        QCOMPARE(macros.loadMacroIni("Macro_0"), QStringList {"1"});
        QVERIFY(macros.saveMacroIni("Macro_0", {"1,A", "0,50", "2,A"}, 2).toBool());
        QVERIFY(macros.saveMacroIni("Macro_0", {"3,MS-L", "4,MS-L"}, 9).toBool());
        QCOMPARE(macros.loadMacroIni("Macro_0"), (QStringList {"3,MS-L", "4,MS-L", "9"}));
        QVERIFY(!modules.read("modules/macro/Macro_0.bin").contains("2=\"2,A\""));

        QCOMPARE(macros.saveMacroIni("Tap", {"1,A"}, 1), QVariant(false));
        QVERIFY(!QFile::exists(modules.path("modules/macro/Tap.bin")));
        QCOMPARE(macros.deleteMacroIni("Macro_0"), QVariant(true));
        QVERIFY(!QFile::exists(modules.path("modules/macro/Macro_0.bin")));
        QCOMPARE(macros.deleteMacroIni("Macro_0"), QVariant(false));
    }

    void refusedNames_data()
    {
        QTest::addColumn<QString>("name");

        QTest::newRow("empty") << "";
        QTest::newRow("dot") << ".";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("slash") << "a/b";
        QTest::newRow("parent") << "../setting/p1";
        QTest::newRow("absolute") << "/tmp/evil";
        QTest::newRow("backslash") << "a\\b";
        QTest::newRow("nul") << QString::fromLatin1("a\0b", 3);
        QTest::newRow("too long for the file system") << QString(300, QLatin1Char('x'));
    }

    void refusedNames()
    {
        QFETCH(QString, name);
        TempModules modules;
        QTemporaryDir out;
        QVERIFY(TempModules::writeFile(out.filePath("import.mc"), "[config]\ntotal=0\nrepeat=1\n"));
        ScriptedChooser chooser;
        chooser.answer(out.filePath("import.mc"));
        chooser.answer(out.filePath("export.mc"));
        ConfigStore store(modules.baseDir());
        store.setFileChooser(&chooser);
        MacroLibrary macros(store);
        bindMacro(store, 1, 2, "Macro_0");
        const QMap<QString, QByteArray> before = modules.snapshot();

        QCOMPARE(macros.createMacroIni(name, 0), QVariant(false));
        QCOMPARE(macros.saveMacroIni(name, {"1,A"}, 1), QVariant(false));
        QVERIFY(macros.loadMacroIni(name).isEmpty());
        QCOMPARE(macros.deleteMacroIni(name), QVariant(false));
        QCOMPARE(macros.modifyMacroNameUpdateProfile("Macro_0", name), QVariant(false));
        QCOMPARE(macros.modifyMacroNameUpdateProfile(name, "Macro_9"), QVariant(false));
        macros.deleteMacroUpdateProfile(name);
        QVERIFY(!macros.loadMacroFile(name));
        QVERIFY(!macros.saveMacroFile(name));

        QCOMPARE(modules.snapshot(), before);
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList {"import.mc"});
    }

    void nameList_data()
    {
        QTest::addColumn<QVariant>("type");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QVariantList>("stored");
        QTest::addColumn<bool>("ok");

        QTest::newRow("one name") << QVariant(0) << QStringList {"Only"} << QVariantList {"Only", "zuvrenkalpot"}
                                  << true;
        QTest::newRow("three names") << QVariant(3) << QStringList {"0", "1", "2"} << QVariantList {"0", "1", "2"}
                                     << true;
        QTest::newRow("no names") << QVariant(2) << QStringList() << QVariantList() << true;
        QTest::newRow("type 4") << QVariant(4) << QStringList {"a", "b"} << QVariantList() << false;
        QTest::newRow("word") << QVariant("macro") << QStringList {"a", "b"} << QVariantList() << false;
    }

    void nameList()
    {
        QFETCH(QVariant, type);
        QFETCH(QStringList, names);
        QFETCH(QVariantList, stored);
        QFETCH(bool, ok);
        TempModules modules;
        ConfigStore store(modules.baseDir());
        MacroLibrary macros(store);
        const QByteArray before = modules.read("modules/setting/name.bin");

        QCOMPARE(macros.updataNameList(type, names), QVariant(ok));

        QCOMPARE(macros.getNameList(type), stored);
        QCOMPARE(macros.getNameList(1).size(), 6);
        QCOMPARE(modules.read("modules/setting/name.bin") == before, !ok);
    }

    void deleteResetsBindings()
    {
        TempModules modules;
        ConfigStore store(modules.baseDir());
        MacroLibrary macros(store);
        bindMacro(store, 2, 3, "Macro_0");
        bindMacro(store, 7, 3, "Macro_0"); // beyond the bound slots
        bindMacro(store, 4, 5, "Macro_1");
        // Without a usable default entry the built-in one is taken.
        store.defaultProfileSettings()->remove("mouseKeyMatrix/6");
        store.defaultProfileSettings()->setValue("mouseKeyMatrix/7", QVariantList {0, 0});
        bindMacro(store, 0, 6, "Macro_0");
        bindMacro(store, 0, 7, "Macro_0");
        // Missing, short and unreadable entries are no bindings.
        QSettings* profile = store.profileSettings(1);
        profile->remove("mouseKeyMatrix/0");
        profile->setValue("mouseKeyMatrix/1", QVariantList {4, 1});
        profile->setValue("mouseKeyMatrix/2", "4");
        profile->setValue("mouseKeyMatrix/3", QVariantList {4, 0, "x", 0});
        profile->setValue("mouseMacroKey/0", "Macro_0");
        // An unbound macro entry must not match the empty name.
        profile->setValue("mouseKeyMatrix/10", QVariantList {4, 0, 11, 0});

        macros.deleteMacroUpdateProfile("Macro_0");
        macros.deleteMacroUpdateProfile("");

        QCOMPARE(entry(store, 2, 3), (QVariantList {"0", "0", "244", "0"}));
        QVERIFY(modules.read("modules/setting/p3.bin").contains("3=0, 0, 244, 0\n"));
        QCOMPARE(entry(store, 7, 3), (QVariantList {4, 1, 3, 0}));
        QCOMPARE(entry(store, 4, 5), (QVariantList {4, 1, 5, 0}));
        QCOMPARE(entry(store, 0, 6), FactoryKeyMatrix::record(6));
        QCOMPARE(entry(store, 0, 7), FactoryKeyMatrix::record(7));
        QVERIFY(!profile->contains("mouseKeyMatrix/0"));
        QCOMPARE(entry(store, 1, 1), (QVariantList {4, 1}));
        QCOMPARE(profile->value("mouseKeyMatrix/2").toString(), QStringLiteral("4"));
        QCOMPARE(entry(store, 1, 3), (QVariantList {4, 0, "x", 0}));
        QCOMPARE(entry(store, 1, 10), (QVariantList {4, 0, 11, 0}));
    }

    void renameUpdatesBoundSlots()
    {
        TempModules modules;
        ConfigStore store(modules.baseDir());
        MacroLibrary macros(store);
        for (int slot : {0, 5, 6}) {
            bindMacro(store, slot, 4, "Macro_0");
        }
        bindMacro(store, 2, 4, "Macro_1");

        QCOMPARE(macros.modifyMacroNameUpdateProfile("Macro_0", "Jump"), QVariant(true));

        QCOMPARE(boundName(store, 0, 4), QStringLiteral("Jump"));
        QVERIFY(modules.read("modules/setting/p6.bin").contains("4=Jump\n"));
        QCOMPARE(boundName(store, 6, 4), QStringLiteral("Macro_0"));
        QCOMPARE(boundName(store, 2, 4), QStringLiteral("Macro_1"));
        QVERIFY(!QFile::exists(modules.path("modules/macro/Macro_0.bin")));
        QCOMPARE(macros.loadMacroIni("Jump").size(), 8);

        // Onto another macro's name only the bindings follow; neither file changes.
        const QByteArray target = modules.read("modules/macro/Macro_1.bin");
        QCOMPARE(macros.modifyMacroNameUpdateProfile("Jump", "Macro_1"), QVariant(false));
        QCOMPARE(boundName(store, 0, 4), QStringLiteral("Macro_1"));
        QCOMPARE(macros.loadMacroIni("Jump").size(), 8);
        QCOMPARE(modules.read("modules/macro/Macro_1.bin"), target);
    }

    // Qt's decoder of serialised values trusts the element count in the file; such a file is
    // neither read nor written, and stays as it was.
    void serialisedValuesLeftAlone()
    {
        TempModules modules;
        QVERIFY(modules.write("modules/macro/Macro_0.bin", hugeListValue()));
        QVERIFY(modules.write("modules/setting/p1.bin", hugeListValue()));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("holds binary values"));
        ConfigStore store(modules.baseDir());
        MacroLibrary macros(store);
        const QMap<QString, QByteArray> before = modules.snapshot();

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("holds binary values"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write"));
        QCOMPARE(macros.saveMacroIni("Macro_0", {"1,A"}, 1), QVariant(false));

        QCOMPARE(modules.snapshot(), before);
    }

    void exportAndImport()
    {
        TempModules modules;
        QTemporaryDir out;
        ScriptedChooser chooser;
        chooser.answer(out.filePath("taps"));
        chooser.answer(out.filePath("taps.mc"));
        ConfigStore store(modules.baseDir());
        store.setFileChooser(&chooser);
        MacroLibrary macros(store);

        QVERIFY(macros.saveMacroFile("Macro_0"));
        QCOMPARE(TempModules::readFile(out.filePath("taps.mc")), modules.read("modules/macro/Macro_0.bin"));
        QVERIFY(macros.loadMacroFile("Macro_5"));
        QCOMPARE(macros.loadMacroIni("Macro_5"), macros.loadMacroIni("Macro_0"));
    }

    void importRefusals_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("source");

        QTest::newRow("cancelled") << "Macro_7" << QByteArray();
        QTest::newRow("existing macro kept") << "Macro_1" << QByteArray("[config]\ntotal=0\n");
        QTest::newRow("binary file") << "Macro_7" << TestSupport::binaryBytes();
        QTest::newRow("no settings") << "Macro_7" << QByteArray("just a line of text\n");
        QTest::newRow("serialised values") << "Macro_7" << hugeListValue();
        QTest::newRow("settings, not a macro") << "Macro_7" << QByteArray("[mouse]\ndpiCount=4\n");
        QTest::newRow("damaged action count") << "Macro_7" << QByteArray("[config]\ntotal=many\n");
    }

    void importRefusals()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, source);
        TempModules modules;
        QTemporaryDir out;
        ScriptedChooser chooser;
        if (!source.isEmpty()) {
            QVERIFY(TempModules::writeFile(out.filePath("in.mc"), source));
            chooser.answer(out.filePath("in.mc"));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^loadMacroFile: refused"));
        }
        ConfigStore store(modules.baseDir());
        store.setFileChooser(&chooser);
        MacroLibrary macros(store);
        const QMap<QString, QByteArray> before = modules.snapshot();

        QVERIFY(!macros.loadMacroFile(target));

        QCOMPARE(chooser.questions(), 1);
        QCOMPARE(modules.snapshot(), before);
    }
};

QTEST_GUILESS_MAIN(TestStoreMacros)
#include "TestStoreMacros.moc"
