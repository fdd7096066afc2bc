// The profile list: adding and importing up to six, the first entry, renaming, and deletion that
// keeps every profile's number equal to its position without losing a file.
#include "MacroLibrary.h"
#include "MainScreen.h"
#include "ProfileScreen.h"
#include "ScreenRig.h"

#include <QMap>
#include <QTest>

namespace {

QString slotPath(const ScreenRig& rig, int slot)
{
    return rig.modules.path(QStringLiteral("modules/setting/p%1.bin").arg(slot + 1));
}

QList<QByteArray> slotFiles(const ScreenRig& rig)
{
    QList<QByteArray> files;
    for (int slot = 0; slot < ProfileScreen::MaxEntries; ++slot) {
        files << TempModules::readFile(slotPath(rig, slot));
    }
    return files;
}

QStringList storedList(const ScreenRig& rig)
{
    QStringList texts;
    for (const QVariant& text : rig.macros->getNameList(MacroLibrary::ProfileNames)) {
        texts << text.toString();
    }
    return texts;
}

// Started up with `count` entries, each profile with DPI stages of its own.
void startWith(ScreenRig& rig, int count)
{
    rig.screens->main()->initUI();
    for (int i = 1; i < count; ++i) {
        QVERIFY(rig.screens->profile()->newProfile());
    }
    for (int slot = 0; slot < count; ++slot) {
        rig.store->profileSettings(slot)->setValue(
            QStringLiteral("mouse/dpiValueArray"),
            QVariantList {400 + 100 * slot, 800, 1600, 3200, 4800, 6400, 8000, 12000});
    }
    rig.store->sync();
}

// What the mouse holds after switching to each entry: one DPI table per position.
QList<QByteArray> tablesOnSwitching(ScreenRig& rig)
{
    MainScreen* main = rig.screens->main();
    const int back = main->profileNo();
    QList<QByteArray> tables;
    for (int i = 0; i < rig.screens->profile()->names().size(); ++i) {
        if (i == main->profileNo()) {
            main->changeProfile(i == 0 ? 1 : 0);
        }
        main->changeProfile(i);
        tables << rig.v.mouse.state().dpiTable;
    }
    main->changeProfile(back);
    return tables;
}

} // namespace

class TestProfileScreen : public QObject
{
    Q_OBJECT

private slots:
    void adding_data();
    void adding();
    void firstEntryAndStoredNumbers();
    void rename_data();
    void rename();
    void deleteInTheMiddle_data();
    void deleteInTheMiddle();
    void failedDeletionPutsFilesBack();
};

void TestProfileScreen::adding_data()
{
    QTest::addColumn<bool>("isImport");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("answer"); // "profile", "binary" or "" (cancelled)
    QTest::addColumn<bool>("added");
    QTest::addColumn<bool>("notice");
    // clang-format off
    QTest::newRow("new")                 << false << 2 << ""        << true  << false;
    QTest::newRow("new with six")        << false << 6 << ""        << false << false;
    QTest::newRow("import")              << true  << 2 << "profile" << true  << false;
    QTest::newRow("import with six")     << true  << 6 << "profile" << false << false;
    QTest::newRow("import not a profile") << true << 2 << "binary"  << false << true;
    QTest::newRow("import cancelled")    << true  << 2 << ""        << false << false;
    // clang-format on
}

void TestProfileScreen::adding()
{
    QFETCH(bool, isImport);
    QFETCH(int, count);
    QFETCH(QString, answer);
    QFETCH(bool, added);
    QFETCH(bool, notice);
    ScreenRig rig;
    startWith(rig, count);
    ProfileScreen* profiles = rig.screens->profile();
    // A deleted profile's file is still in the slot a new entry takes.
    rig.store->profileSettings(count)->setValue(QStringLiteral("test/stale"), 1);
    rig.store->sync();
    const QString imported = rig.modules.path(QStringLiteral("import.pf"));
    QVERIFY(TempModules::writeFile(imported,
                                   answer == QLatin1String("binary") ? QByteArray("\x00\x01\xff\xfe", 4)
                                                                     : QByteArray("[mouse]\nreportRate=1\n")));
    if (!answer.isEmpty()) {
        rig.chooser.answer(imported);
    }
    const QStringList namesBefore = profiles->names();
    const QStringList storedBefore = storedList(rig);
    const QList<QByteArray> filesBefore = slotFiles(rig);

    QCOMPARE(isImport ? profiles->importProfile() : profiles->newProfile(), added);
    QCOMPARE(!profiles->notice().isEmpty(), notice);
    if (!added) {
        QCOMPARE(profiles->names(), namesBefore);
        QCOMPARE(storedList(rig), storedBefore);
        QCOMPARE(slotFiles(rig), filesBefore);
        return;
    }
    QCOMPARE(profiles->names().size(), count + 1);
    QCOMPARE(profiles->selected(), count);
    QCOMPARE(storedList(rig).last(), QStringLiteral("profile_%1%2").arg(count - 1).arg(count));
    QCOMPARE(TempModules::readFile(slotPath(rig, count)),
             TempModules::readFile(isImport ? imported : rig.modules.path(QStringLiteral("modules/setting/pD.bin"))));
}

void TestProfileScreen::firstEntryAndStoredNumbers()
{
    ScreenRig rig;
    rig.macros->updataNameList(MacroLibrary::ProfileNames, {"Mine0", "Gamer3"});
    rig.store->profileSettings(3)->setValue(QStringLiteral("test/owner"), QStringLiteral("Gamer"));
    rig.store->setGlobalData(QStringLiteral("mouse/profileNo"), 3);
    rig.store->sync();
    rig.screens->main()->initUI();
    ProfileScreen* profiles = rig.screens->profile();
    QCOMPARE(profiles->names(), (QStringList {"Standard", "Gamer"}));
    // The profile numbered 3 now sits at its position, its file with it, and is still current.
    QCOMPARE(storedList(rig), (QStringList {"Standard0", "Gamer1"}));
    QCOMPARE(rig.store->profileSettings(1)->value(QStringLiteral("test/owner")).toString(), QStringLiteral("Gamer"));
    QCOMPARE(rig.screens->main()->profileNo(), 1);
    QCOMPARE(profiles->selected(), 1);
    QVERIFY(!profiles->canDelete(0));
    QVERIFY(!profiles->deleteProfile(0));
    QVERIFY(!profiles->rename(0, QStringLiteral("Other")));
    QCOMPARE(profiles->names().first(), QStringLiteral("Standard"));
}

void TestProfileScreen::rename_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("notice");
    // clang-format off
    QTest::newRow("new name")        << 1 << " Work " << true << "";
    QTest::newRow("another's name")  << 1 << "profile_1" << false << "That name is already in use";
    QTest::newRow("its own name")    << 1 << "profile_0" << false << "";
    QTest::newRow("the first entry") << 0 << "Work" << false << "";
    QTest::newRow("blank")           << 2 << "  " << false << "";
    QTest::newRow("past the list")   << 3 << "Work" << false << "";
    // clang-format on
}

void TestProfileScreen::rename()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(bool, taken);
    QFETCH(QString, notice);
    ScreenRig rig;
    startWith(rig, 3);
    const QStringList before = storedList(rig);
    QCOMPARE(rig.screens->profile()->rename(index, name), taken);
    QCOMPARE(rig.screens->profile()->notice(), notice);
    QStringList expected = before;
    if (taken) {
        expected[index] = name.trimmed() + QString::number(index);
    }
    QCOMPARE(storedList(rig), expected);
}

void TestProfileScreen::deleteInTheMiddle_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<int>("currentAfter");
    // clang-format off
    QTest::newRow("middle, current before it") << 2 << 1 << true  << 1;
    QTest::newRow("middle, current after it")  << 1 << 3 << true  << 2;
    QTest::newRow("last")                      << 4 << 0 << true  << 0;
    QTest::newRow("the profile in use")        << 2 << 2 << false << 2;
    QTest::newRow("the first entry")           << 0 << 3 << false << 3;
    // clang-format on
}

void TestProfileScreen::deleteInTheMiddle()
{
    QFETCH(int, index);
    QFETCH(int, current);
    QFETCH(bool, deleted);
    QFETCH(int, currentAfter);
    ScreenRig rig;
    startWith(rig, 5);
    ProfileScreen* profiles = rig.screens->profile();
    QList<QByteArray> tables = tablesOnSwitching(rig);
    rig.screens->main()->changeProfile(current);
    const QByteArray currentFile = TempModules::readFile(slotPath(rig, current));
    QStringList names = profiles->names();

    QCOMPARE(profiles->deleteProfile(index), deleted);
    if (deleted) {
        tables.removeAt(index);
        names.removeAt(index);
    }
    QCOMPARE(profiles->names(), names);
    QCOMPARE(rig.screens->main()->profileNo(), currentAfter);
    QCOMPARE(rig.store->currentProfile(), currentAfter);
    QCOMPARE(rig.store->getGlobalData(QStringLiteral("mouse/profileNo")).toInt(), currentAfter);
    QCOMPARE(TempModules::readFile(slotPath(rig, currentAfter)), currentFile);
    for (int i = 0; i < names.size(); ++i) {
        QVERIFY(storedList(rig).at(i).endsWith(QString::number(i)));
    }
    // Every remaining entry switches to its own profile.
    QCOMPARE(tablesOnSwitching(rig), tables);
}

void TestProfileScreen::failedDeletionPutsFilesBack()
{
    ScreenRig rig;
    startWith(rig, 4);
    ProfileScreen* profiles = rig.screens->profile();
    // The last profile's file reads as empty, so it cannot be moved.
    QVERIFY(TempModules::writeFile(slotPath(rig, 3), {}));
    const QList<QByteArray> before = slotFiles(rig).mid(0, 4);
    const QStringList stored = storedList(rig);
    QVERIFY(!profiles->deleteProfile(1));
    QVERIFY(!profiles->notice().isEmpty());
    QCOMPARE(slotFiles(rig).mid(0, 4), before);
    QCOMPARE(storedList(rig), stored);
}

QTEST_GUILESS_MAIN(TestProfileScreen)
#include "TestProfileScreen.moc"
