#include "ConfigStore.h"
#include "FactoryKeyMatrix.h"
#include "MacroLibrary.h"
#include "ScriptedChooser.h"
#include "StoreTools.h"
#include "TempModules.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

class TestStoreMacros : public QObject
{
    Q_OBJECT

private slots:
    void saveAndLoad();
    void shorterSaveDropsOldActions();
    void missingMacro();
    void createKeepsOldActionsHidden();
    void deleteMacro();
    void refusedNames_data();
    void refusedNames();
    void nameListFillerMarker();
    void nameListRemovedWhenEmpty();
    void nameListBadType_data();
    void nameListBadType();
    void deleteUpdatesBoundSlotsOnly();
    void deleteSkipsMissingAndShortEntries();
    void deleteUsesFactoryRecordWithoutDefault();
    void renameUpdatesProfiles();
    void renameOntoExistingMacro();
    void exportAndImport();
    void importRefusals_data();
    void importRefusals();
    void corruptedFiles_data();
    void corruptedFiles();
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

QStringList treeListing(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files.append(it.next());
    }
    files.sort();
    return files;
}

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

} // namespace

void TestStoreMacros::saveAndLoad()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    MacroLibrary macros(store);

    QCOMPARE(macros.createMacroIni("Tap A", 0), QVariant(true));
    QCOMPARE(macros.saveMacroIni("Tap A", {"1,A", "0,50", "2,A"}, 1), QVariant(true));

    QCOMPARE(macros.loadMacroIni("Tap A"), (QStringList {"1,A", "0,50", "2,A", "1"}));
    QSettings file(modules.path("modules/macro/Tap A.bin"), QSettings::IniFormat);
    QCOMPARE(file.value("config/index").toString(), QStringLiteral("0"));
    QCOMPARE(file.value("config/did").toString(), QStringLiteral("-1"));
}

void TestStoreMacros::shorterSaveDropsOldActions()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    MacroLibrary macros(store);
    QVERIFY(macros.createMacroIni("m", 3).toBool());
    QVERIFY(macros.saveMacroIni("m", {"1,A", "0,10", "2,A", "1,B", "2,B"}, 2).toBool());

    QVERIFY(macros.saveMacroIni("m", {"3,MS-L", "4,MS-L"}, 9).toBool());

    QSettings file(modules.path("modules/macro/m.bin"), QSettings::IniFormat);
    file.beginGroup("macro");
    QCOMPARE(file.childKeys(), (QStringList {"0", "1"}));
    file.endGroup();
    QCOMPARE(file.value("config/index").toString(), QStringLiteral("3"));
    QCOMPARE(macros.loadMacroIni("m"), (QStringList {"3,MS-L", "4,MS-L", "9"}));
}

void TestStoreMacros::missingMacro()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    MacroLibrary macros(store);

    QVERIFY(macros.loadMacroIni("nothing").isEmpty());
    QCOMPARE(macros.saveMacroIni("nothing", {"1,A"}, 1), QVariant(false));
    QVERIFY(!QFile::exists(modules.path("modules/macro/nothing.bin")));
    QCOMPARE(macros.deleteMacroIni("nothing"), QVariant(false));
    QCOMPARE(macros.modifyMacroNameUpdateProfile("nothing", "other"), QVariant(false));
}

void TestStoreMacros::createKeepsOldActionsHidden()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    MacroLibrary macros(store);
    QCOMPARE(macros.loadMacroIni("Macro_0").size(), 8);

    QVERIFY(macros.createMacroIni("Macro_0", 0).toBool());

    QCOMPARE(macros.loadMacroIni("Macro_0"), QStringList {"1"});
    QVERIFY(bytes(modules.path("modules/macro/Macro_0.bin")).contains("[macro]"));
}

void TestStoreMacros::deleteMacro()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    MacroLibrary macros(store);
    bindMacro(store, 0, 3, "Macro_1");

    QCOMPARE(macros.deleteMacroIni("Macro_1"), QVariant(true));

    QVERIFY(!QFile::exists(modules.path("modules/macro/Macro_1.bin")));
    QCOMPARE(store.profileSettings(0)->value("mouseMacroKey/3").toString(), QStringLiteral("Macro_1"));
    QCOMPARE(macros.getNameList(0), (QVariantList {"Macro_0", "Macro_1"}));
}

void TestStoreMacros::refusedNames_data()
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

void TestStoreMacros::refusedNames()
{
    QFETCH(QString, name);

    TempModules modules;
    QTemporaryDir out;
    QVERIFY(writeFile(out.filePath("import.mc"), "[config]\ntotal=0\nrepeat=1\n"));
    ScriptedChooser chooser;
    chooser.answer(out.filePath("import.mc"));
    chooser.answer(out.filePath("export.mc"));
    ConfigStore store(modules.baseDir());
    store.setFileChooser(&chooser);
    MacroLibrary macros(store);
    bindMacro(store, 1, 2, "Macro_0");
    const QStringList before = treeListing(modules.baseDir());
    const QByteArray profile = bytes(modules.path("modules/setting/p2.bin"));

    QCOMPARE(macros.createMacroIni(name, 0), QVariant(false));
    QCOMPARE(macros.saveMacroIni(name, {"1,A"}, 1), QVariant(false));
    QVERIFY(macros.loadMacroIni(name).isEmpty());
    QCOMPARE(macros.deleteMacroIni(name), QVariant(false));
    QCOMPARE(macros.modifyMacroNameUpdateProfile("Macro_0", name), QVariant(false));
    QCOMPARE(macros.modifyMacroNameUpdateProfile(name, "Macro_9"), QVariant(false));
    macros.deleteMacroUpdateProfile(name);
    QVERIFY(!macros.loadMacroFile(name));
    QVERIFY(!macros.saveMacroFile(name));

    QCOMPARE(treeListing(modules.baseDir()), before);
    QCOMPARE(bytes(modules.path("modules/setting/p2.bin")), profile);
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList {"import.mc"});
}

void TestStoreMacros::nameListFillerMarker()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    MacroLibrary macros(store);

    QCOMPARE(macros.updataNameList(0, {"Only"}), QVariant(true));

    QCOMPARE(macros.getNameList(0), (QVariantList {"Only", MacroLibrary::FillerMarker}));
    QSettings file(modules.path("modules/setting/name.bin"), QSettings::IniFormat);
    QCOMPARE(file.value("macro/macroName").toStringList(), (QStringList {"Only", "zuvrenkalpot"}));
    QCOMPARE(macros.getNameList(1).size(), 6);
}

void TestStoreMacros::nameListRemovedWhenEmpty()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    MacroLibrary macros(store);
    QCOMPARE(macros.getNameList(2), (QVariantList {"Standard0", "zuvrenkalpot"}));

    QCOMPARE(macros.updataNameList(2, {}), QVariant(true));

    QVERIFY(macros.getNameList(2).isEmpty());
    QVERIFY(!bytes(modules.path("modules/setting/name.bin")).contains("profileName"));
    QCOMPARE(macros.getNameList(0).size(), 2);
    QCOMPARE(macros.updataNameList(3, {"0", "1", "2"}), QVariant(true));
    QCOMPARE(macros.getNameList(3), (QVariantList {"0", "1", "2"}));
}

void TestStoreMacros::nameListBadType_data()
{
    QTest::addColumn<QVariant>("type");
    QTest::newRow("4") << QVariant(4);
    QTest::newRow("negative text") << QVariant("-1");
    QTest::newRow("word") << QVariant("macro");
    QTest::newRow("invalid") << QVariant();
}

void TestStoreMacros::nameListBadType()
{
    QFETCH(QVariant, type);
    TempModules modules;
    ConfigStore store(modules.baseDir());
    MacroLibrary macros(store);
    const QByteArray before = bytes(modules.path("modules/setting/name.bin"));

    QCOMPARE(macros.updataNameList(type, {"a", "b"}), QVariant(false));

    QVERIFY(macros.getNameList(type).isEmpty());
    QCOMPARE(bytes(modules.path("modules/setting/name.bin")), before);
}

void TestStoreMacros::deleteUpdatesBoundSlotsOnly()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    MacroLibrary macros(store);
    bindMacro(store, 2, 3, "Macro_0");
    bindMacro(store, 7, 3, "Macro_0");
    bindMacro(store, 4, 5, "Macro_1");

    macros.deleteMacroUpdateProfile("Macro_0");

    QCOMPARE(entry(store, 2, 3), StoreTools::listValue(store.defaultProfileSettings()->value("mouseKeyMatrix/3")));
    QCOMPARE(entry(store, 2, 3), (QVariantList {"0", "0", "244", "0"}));
    QCOMPARE(entry(store, 7, 3), (QVariantList {4, 1, 3, 0}));
    QCOMPARE(entry(store, 4, 5), (QVariantList {4, 1, 5, 0}));
    QVERIFY(bytes(modules.path("modules/setting/p3.bin")).contains("3=0, 0, 244, 0\n"));
}

void TestStoreMacros::deleteSkipsMissingAndShortEntries()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    MacroLibrary macros(store);
    QSettings* profile = store.profileSettings(1);
    profile->remove("mouseKeyMatrix/0");
    profile->setValue("mouseKeyMatrix/1", QVariantList {4, 1});
    profile->setValue("mouseKeyMatrix/2", "4");
    profile->setValue("mouseKeyMatrix/3", QVariantList {4, 0, "x", 0});
    profile->setValue("mouseMacroKey/0", "Macro_0");
    profile->sync();
    bindMacro(store, 1, 9, "Macro_0");
    // An unbound macro record must not match the empty name.
    profile->setValue("mouseKeyMatrix/10", QVariantList {4, 0, 11, 0});
    profile->sync();

    macros.deleteMacroUpdateProfile("Macro_0");
    macros.deleteMacroUpdateProfile("");

    QVERIFY(!profile->contains("mouseKeyMatrix/0"));
    QCOMPARE(entry(store, 1, 1), (QVariantList {4, 1}));
    QCOMPARE(profile->value("mouseKeyMatrix/2").toString(), QStringLiteral("4"));
    QCOMPARE(entry(store, 1, 3), (QVariantList {4, 0, "x", 0}));
    QCOMPARE(entry(store, 1, 9), (QVariantList {"0", "0", "0", "0"}));
    QCOMPARE(entry(store, 1, 10), (QVariantList {4, 0, 11, 0}));
}

void TestStoreMacros::deleteUsesFactoryRecordWithoutDefault()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    MacroLibrary macros(store);
    store.defaultProfileSettings()->remove("mouseKeyMatrix/6");
    store.defaultProfileSettings()->setValue("mouseKeyMatrix/7", QVariantList {0, 0});
    bindMacro(store, 0, 6, "Macro_1");
    bindMacro(store, 0, 7, "Macro_1");

    macros.deleteMacroUpdateProfile("Macro_1");

    QCOMPARE(entry(store, 0, 6), FactoryKeyMatrix::record(6));
    QCOMPARE(entry(store, 0, 7), FactoryKeyMatrix::record(7));
    QCOMPARE(FactoryKeyMatrix::record(7), (QVariantList {0x00, 0xF0, 0x1E, 0x02}));
}

void TestStoreMacros::renameUpdatesProfiles()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    MacroLibrary macros(store);
    for (int slot : {0, 3, 5, 6, 9}) {
        bindMacro(store, slot, 4, "Macro_0");
    }
    bindMacro(store, 2, 4, "Macro_1");

    QCOMPARE(macros.modifyMacroNameUpdateProfile("Macro_0", "Jump"), QVariant(true));

    for (int slot : {0, 3, 5}) {
        QCOMPARE(store.profileSettings(slot)->value("mouseMacroKey/4").toString(), QStringLiteral("Jump"));
    }
    for (int slot : {6, 9}) {
        QCOMPARE(store.profileSettings(slot)->value("mouseMacroKey/4").toString(), QStringLiteral("Macro_0"));
    }
    QCOMPARE(store.profileSettings(2)->value("mouseMacroKey/4").toString(), QStringLiteral("Macro_1"));
    QVERIFY(!QFile::exists(modules.path("modules/macro/Macro_0.bin")));
    QCOMPARE(macros.loadMacroIni("Jump").size(), 8);
    QVERIFY(bytes(modules.path("modules/setting/p4.bin")).contains("4=Jump\n"));
}

void TestStoreMacros::renameOntoExistingMacro()
{
    TempModules modules;
    ConfigStore store(modules.baseDir());
    MacroLibrary macros(store);
    bindMacro(store, 1, 0, "Macro_0");
    const QByteArray target = bytes(modules.path("modules/macro/Macro_1.bin"));

    QCOMPARE(macros.modifyMacroNameUpdateProfile("Macro_0", "Macro_1"), QVariant(false));

    QCOMPARE(store.profileSettings(1)->value("mouseMacroKey/0").toString(), QStringLiteral("Macro_1"));
    QVERIFY(QFile::exists(modules.path("modules/macro/Macro_0.bin")));
    QCOMPARE(bytes(modules.path("modules/macro/Macro_1.bin")), target);
}

void TestStoreMacros::exportAndImport()
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
    QCOMPARE(bytes(out.filePath("taps.mc")), bytes(modules.path("modules/macro/Macro_0.bin")));

    QVERIFY(macros.loadMacroFile("Macro_5"));
    QCOMPARE(bytes(modules.path("modules/macro/Macro_5.bin")), bytes(out.filePath("taps.mc")));
    QCOMPARE(macros.loadMacroIni("Macro_5"), macros.loadMacroIni("Macro_0"));

    QCOMPARE(chooser.questions().size(), 2);
    for (const auto& asked : chooser.questions()) {
        QCOMPARE(asked.filter, QStringLiteral("Macro(*.mc)"));
        QCOMPARE(asked.startDir, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    }
    QCOMPARE(chooser.questions().at(0).caption, QStringLiteral("Save File"));
    QCOMPARE(chooser.questions().at(1).caption, QStringLiteral("Open File"));
}

void TestStoreMacros::importRefusals_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QByteArray>("source");

    QTest::newRow("cancelled") << "Macro_7" << QByteArray();
    QTest::newRow("existing macro kept") << "Macro_1" << QByteArray("[config]\ntotal=0\n");
    QTest::newRow("binary file") << "Macro_7" << QByteArray("\x01\x02\xff\xfe\x00[config]\ntotal=1\n", 21);
    QTest::newRow("no settings") << "Macro_7" << QByteArray("just a line of text\n");
}

void TestStoreMacros::importRefusals()
{
    QFETCH(QString, target);
    QFETCH(QByteArray, source);

    TempModules modules;
    QTemporaryDir out;
    ScriptedChooser chooser;
    if (!source.isEmpty()) {
        QVERIFY(writeFile(out.filePath("in.mc"), source));
        chooser.answer(out.filePath("in.mc"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^loadMacroFile: refused"));
    }
    ConfigStore store(modules.baseDir());
    store.setFileChooser(&chooser);
    MacroLibrary macros(store);
    const QStringList before = treeListing(modules.baseDir());
    const QByteArray existing = bytes(modules.path("modules/macro/" + target + ".bin"));

    QVERIFY(!macros.loadMacroFile(target));

    QCOMPARE(chooser.questions().size(), 1);
    QCOMPARE(treeListing(modules.baseDir()), before);
    QCOMPARE(bytes(modules.path("modules/macro/" + target + ".bin")), existing);
}

void TestStoreMacros::corruptedFiles_data()
{
    QTest::addColumn<QByteArray>("contents");

    QByteArray binary;
    for (int i = 0; i < 4096; ++i) {
        binary.append(char((i * 7919 + 5) % 256));
    }
    QTest::newRow("binary") << binary;
    QTest::newRow("huge total") << QByteArray("[config]\ntotal=2000000000\nrepeat=1\n");
    QTest::newRow("negative total") << QByteArray("[config]\ntotal=-5\nrepeat=1\n");
    QTest::newRow("text total") << QByteArray("[config]\ntotal=many\nrepeat=1\n[macro]\n0=\"1,A\"\n");
}

void TestStoreMacros::corruptedFiles()
{
    QFETCH(QByteArray, contents);

    TempModules modules;
    QVERIFY(modules.write("modules/macro/Macro_0.bin", contents));
    QVERIFY(modules.write("modules/setting/name.bin", contents));
    ConfigStore store(modules.baseDir());
    MacroLibrary macros(store);

    const QStringList actions = macros.loadMacroIni("Macro_0");
    QVERIFY(!actions.isEmpty());
    QVERIFY(actions.size() <= MacroLibrary::MaxActions + 1);
    QVERIFY(macros.getNameList(0).isEmpty());
    QCOMPARE(macros.loadMacroIni("Macro_1").size(), 8);

    QVERIFY(macros.saveMacroIni("Macro_0", {"1,B", "2,B"}, 3).toBool());
    QCOMPARE(macros.loadMacroIni("Macro_0"), (QStringList {"1,B", "2,B", "3"}));
    QVERIFY(macros.updataNameList(0, {"Macro_0", "Macro_1"}).toBool());
    QCOMPARE(macros.getNameList(0), (QVariantList {"Macro_0", "Macro_1"}));
}

QTEST_GUILESS_MAIN(TestStoreMacros)
#include "TestStoreMacros.moc"
