// The profile list: adding and importing up to six, the first entry, renaming, damaged lists, and
// deletion that keeps every profile's number equal to its position without losing a file.
#include "MacroLibrary.h"
#include "MainScreen.h"
#include "ProfileScreen.h"
#include "ScreenRig.h"
#include "StoreTools.h"

#include <QFileInfo>
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
    void damagedLists_data();
    void damagedLists();
    void rename_data();
    void rename();
    void deleteInTheMiddle_data();
    void deleteInTheMiddle();
    void interruptedDeletion();
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

void TestProfileScreen::damagedLists_data()
{
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<int>("profileNo");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("owners"); // the slot each entry's file is in at first
    QTest::addColumn<int>("current");
    // clang-format off
    QTest::newRow("tidy") << QStringList {"Standard0", "B1"} << 1 << QStringList {"Standard", "B"} << QList<int> {0, 1} << 1;
    QTest::newRow("stored numbers") << QStringList {"Mine0", "Gamer3"} << 3 << QStringList {"Standard", "Gamer"} << QList<int> {0, 3} << 1;
    QTest::newRow("numbers above 5") << QStringList {"A0", "B7", "C9", "D1"} << 9 << QStringList {"Standard", "B", "C", "D"} << QList<int> {0, 7, 9, 1} << 2;
    QTest::newRow("duplicates") << QStringList {"A0", "B2", "C2", "D1"} << 2 << QStringList {"Standard", "B", "C", "D"} << QList<int> {0, 2, 2, 1} << 1;
    QTest::newRow("a later entry in an earlier one's slot") << QStringList {"A0", "B2", "C1"} << 1 << QStringList {"Standard", "B", "C"} << QList<int> {0, 2, 1} << 2;
    QTest::newRow("reversed") << QStringList {"A5", "B4", "C3", "D2", "E1", "F0"} << 0 << QStringList {"Standard", "B", "C", "D", "E", "F"} << QList<int> {5, 4, 3, 2, 1, 0} << 5;
    QTest::newRow("current past the list") << QStringList {"A0", "B1"} << 5 << QStringList {"Standard", "B"} << QList<int> {0, 1} << 1;
    QTest::newRow("current stopped between two") << QStringList {"A0", "B1", "C4"} << 3 << QStringList {"Standard", "B", "C"} << QList<int> {0, 1, 4} << 1;
    // clang-format on
}

// A list written elsewhere, damaged, or left by a stop half-way: start-up writes nothing, reads go to
// each profile's own file, and the first change tidies the list without writing over any file.
void TestProfileScreen::damagedLists()
{
    QFETCH(QStringList, stored);
    QFETCH(int, profileNo);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, owners);
    QFETCH(int, current);
    ScreenRig rig;
    for (int slot = 0; slot < ConfigStore::SlotCount; ++slot) {
        rig.store->profileSettings(slot)->setValue(QStringLiteral("test/owner"), slot);
    }
    rig.macros->updataNameList(MacroLibrary::ProfileNames, stored);
    rig.store->setGlobalData(QStringLiteral("mouse/profileNo"), profileNo);
    rig.store->sync();
    rig.restart();
    const QMap<QString, QDateTime> before = rig.modules.stamps(true);
    const QMap<QString, QByteArray> files = rig.modules.snapshot();

    rig.screens->main()->initUI();
    ProfileScreen* profiles = rig.screens->profile();
    QCOMPARE(rig.modules.stamps(), before);
    QCOMPARE(rig.modules.snapshot(), files);
    QCOMPARE(profiles->names(), names);
    QCOMPARE(rig.screens->main()->profileNo(), current);
    QCOMPARE(rig.store->getData(QStringLiteral("test/owner"), false).toInt(), owners.at(current));

    QVERIFY(rig.store->setData(QStringLiteral("test/changed"), 1));
    QStringList tidy;
    for (int i = 0; i < names.size(); ++i) {
        tidy << names.at(i) + QString::number(i);
        QCOMPARE(rig.store->profileSettings(i)->value(QStringLiteral("test/owner")).toInt(), owners.at(i));
    }
    QCOMPARE(storedList(rig), tidy);
    QCOMPARE(rig.store->getGlobalData(QStringLiteral("mouse/profileNo")).toInt(), current);
    QCOMPARE(rig.store->currentProfile(), current);
    QCOMPARE(rig.store->profileSettings(current)->value(QStringLiteral("test/changed")).toInt(), 1);
    QVERIFY(!profiles->canDelete(0));
    QVERIFY(!profiles->rename(0, QStringLiteral("Other")));
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

// A deletion stopped between any two of its writes (a crash, a power loss, a full disk) and the
// program started again: every name still switches to its own profile, and the current one stays.
void TestProfileScreen::interruptedDeletion()
{
    ScreenRig rig;
    startWith(rig, 5);
    rig.screens->main()->changeProfile(3);
    const QStringList names = rig.screens->profile()->names();
    const QList<QByteArray> tables = tablesOnSwitching(rig);
    // What the disk holds before each write of the deletion and after the last: where a stop leaves it.
    QList<QMap<QString, QByteArray>> states;
    const auto record = [&] {
        const QMap<QString, QByteArray> now = TempModules::snapshotOf(rig.modules.path("modules/setting"));
        if (states.isEmpty() || states.last() != now) {
            states << now;
        }
        return true;
    };
    StoreTools::setFileSystemSeam({[&](const QString&) { return record(); }, {}});
    QVERIFY(rig.screens->profile()->deleteProfile(1));
    StoreTools::setFileSystemSeam({});
    record();
    // The list, then three files each followed by the list, and the current profile's number.
    QCOMPARE(states.size(), 9);

    for (const QMap<QString, QByteArray>& state : std::as_const(states)) {
        ScreenRig again;
        for (auto it = state.cbegin(); it != state.cend(); ++it) {
            QVERIFY(again.modules.write("modules/setting/" + QFileInfo(it.key()).fileName(), it.value()));
        }
        again.restart();
        again.screens->main()->initUI();
        QStringList expectedNames = names;
        QList<QByteArray> expectedTables = tables;
        if (again.screens->profile()->names() != names) {
            expectedNames.removeAt(1);
            expectedTables.removeAt(1);
        }
        QCOMPARE(again.screens->profile()->names(), expectedNames);
        QCOMPARE(expectedNames.at(again.screens->main()->profileNo()), QStringLiteral("profile_2"));
        QCOMPARE(tablesOnSwitching(again), expectedTables);
    }
}

QTEST_GUILESS_MAIN(TestProfileScreen)
#include "TestProfileScreen.moc"
