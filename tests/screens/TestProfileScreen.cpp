// A profile deletion stopped between any two of its writes; the list's other flows are cases of
// the screens' flows table.
#include "MainScreen.h"
#include "ProfileScreen.h"
#include "ScreenRig.h"
#include "StoreTools.h"

#include <QFileInfo>
#include <QMap>
#include <QTest>

namespace {

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
    void interruptedDeletion();
};

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
