#include "DesktopPointer.h"
#include "PointerSettingsKde.h"
#include "TempModules.h"

#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

// Plasma's wheel lines and double-click interval written into kdeglobals of a temporary
// configuration home, with the rest of the file kept as it was.
class TestPointerSettingsKde : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void edits_data();
    void edits();
    void lockedOrLockedBySystem_data();
    void lockedOrLockedBySystem();
    void unwritableFolderIsReported();
    void chosenInPlasmaSession();

private:
    QByteArray stored() const;
    QTemporaryDir m_home;
    QTemporaryDir m_system;
};

void TestPointerSettingsKde::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path()));
    QVERIFY(m_system.isValid());
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_system.path()));
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
}

void TestPointerSettingsKde::cleanup()
{
    QFile::remove(m_system.filePath(QStringLiteral("kdeglobals")));
}

QByteArray TestPointerSettingsKde::stored() const
{
    return TempModules::readFile(m_home.filePath(QStringLiteral("kdeglobals")));
}

void TestPointerSettingsKde::edits_data()
{
    QTest::addColumn<QString>("setting"); // "lines", "double" or "speed"
    QTest::addColumn<uint>("value");
    QTest::addColumn<QByteArray>("before"); // "-": no file
    QTest::addColumn<QByteArray>("after");  // empty: refused, the file unchanged
    const QByteArray other = "[General]\nColorScheme=Breeze\n\n";
    // clang-format off
    QTest::newRow("no file yet")          << "lines"  << 3u    << QByteArray("-")
                                          << QByteArray("[KDE]\nWheelScrollLines=3\n");
    QTest::newRow("value replaced")       << "lines"  << 1000u << other + "[KDE]\nSingleClick=false\nWheelScrollLines=7\n\n[Icons]\nTheme=x\n"
                                          << other + "[KDE]\nSingleClick=false\nWheelScrollLines=1000\n\n[Icons]\nTheme=x\n";
    QTest::newRow("key added to group")   << "double" << 830u  << other + "[KDE]\nSingleClick=false\n\n[Icons]\nTheme=x"
                                          << other + "[KDE]\nSingleClick=false\nDoubleClickInterval=830\n\n[Icons]\nTheme=x";
    QTest::newRow("group added")          << "lines"  << 5u    << other
                                          << other + "[KDE]\nWheelScrollLines=5\n";
    QTest::newRow("immutable group")      << "lines"  << 5u    << QByteArray("[KDE][$i]\nWheelScrollLines=7\n") << QByteArray();
    QTest::newRow("immutable entry")      << "double" << 400u  << QByteArray("[KDE]\nDoubleClickInterval[$i]=500\n") << QByteArray();
    QTest::newRow("every group of the name") << "lines" << 3u << QByteArray("[KDE]\nWheelScrollLines=7\n[Icons]\nTheme=x\n[KDE]\nWheelScrollLines=8\n")
                                          << QByteArray("[KDE]\nWheelScrollLines=3\n[Icons]\nTheme=x\n[KDE]\nWheelScrollLines=3\n");
    QTest::newRow("key in a later group") << "lines"  << 3u    << QByteArray("[KDE]\nSingleClick=false\n[Icons]\nTheme=x\n[KDE]\nWheelScrollLines=8\n")
                                          << QByteArray("[KDE]\nSingleClick=false\n[Icons]\nTheme=x\n[KDE]\nWheelScrollLines=3\n");
    QTest::newRow("immutable file")       << "lines"  << 5u    << QByteArray("[$i]\n[KDE]\nWheelScrollLines=7\n") << QByteArray();
    QTest::newRow("immutable later group") << "lines" << 5u    << QByteArray("[KDE]\nWheelScrollLines=7\n[KDE][$i]\nSingleClick=false\n") << QByteArray();
    QTest::newRow("negative time")        << "double" << 0x80000000u << QByteArray("[KDE]\n") << QByteArray();
    QTest::newRow("no pointer speed")     << "speed"  << 10u   << other << QByteArray();
    // clang-format on
}

void TestPointerSettingsKde::edits()
{
    QFETCH(QString, setting);
    QFETCH(uint, value);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFile::remove(m_home.filePath(QStringLiteral("kdeglobals")));
    QVERIFY(before == "-" || TempModules::writeFile(m_home.filePath(QStringLiteral("kdeglobals")), before));
    PointerSettingsKde kde;
    const bool done = setting == QLatin1String("lines")    ? kde.setWheelScrollLines(value)
                      : setting == QLatin1String("double") ? kde.setDoubleClickTime(value)
                                                           : kde.setPointerSpeed(value);
    QCOMPARE(done, !after.isEmpty());
    QCOMPARE(stored(), after.isEmpty() ? (before == "-" ? QByteArray() : before) : after);
}

void TestPointerSettingsKde::lockedOrLockedBySystem_data()
{
    QTest::addColumn<QByteArray>("system"); // the system-wide kdeglobals; "-" none
    QTest::addColumn<bool>("locked");       // another program holds KConfig's lock
    QTest::addColumn<bool>("applied");
    // clang-format off
    QTest::newRow("free")                   << QByteArray("[KDE]\nWheelScrollLines=9\n") << false << true;
    QTest::newRow("locked by a program")    << QByteArray("-") << true << false;
    QTest::newRow("system group immutable") << QByteArray("[KDE][$i]\nWheelScrollLines=9\n") << false << false;
    QTest::newRow("system entry immutable") << QByteArray("[KDE]\nWheelScrollLines[$i]=9\n") << false << false;
    QTest::newRow("system file immutable")  << QByteArray("[$i]\n[General]\nX=1\n") << false << false;
    // clang-format on
}

void TestPointerSettingsKde::lockedOrLockedBySystem()
{
    QFETCH(QByteArray, system);
    QFETCH(bool, locked);
    QFETCH(bool, applied);
    const QString file = m_home.filePath(QStringLiteral("kdeglobals"));
    QVERIFY(TempModules::writeFile(file, "[KDE]\nWheelScrollLines=7\n"));
    QVERIFY(system == "-" || TempModules::writeFile(m_system.filePath(QStringLiteral("kdeglobals")), system));
    QLockFile other(file + QStringLiteral(".lock"));
    QVERIFY(!locked || other.lock());

    QCOMPARE(PointerSettingsKde().setWheelScrollLines(3), applied);
    QCOMPARE(stored(), applied ? QByteArray("[KDE]\nWheelScrollLines=3\n") : QByteArray("[KDE]\nWheelScrollLines=7\n"));
}

// Files cannot be made in /proc, not even by root: the save fails and says so.
void TestPointerSettingsKde::unwritableFolderIsReported()
{
    PointerSettingsKde kde(QStringLiteral("/proc/self"));
    QVERIFY(!kde.setWheelScrollLines(3));
}

void TestPointerSettingsKde::chosenInPlasmaSession()
{
    qputenv("XDG_CURRENT_DESKTOP", "KDE");
    QFile::remove(m_home.filePath(QStringLiteral("kdeglobals")));
    DesktopPointer pointer;
    QVERIFY(pointer.offers(PointerSettings::Setting::WheelScrollLines));
    QVERIFY(!pointer.offers(PointerSettings::Setting::PointerSpeed));
    QVERIFY(pointer.mouseSetVerticalScrollLines(4));
    QVERIFY(pointer.mouseSetDoubleClickSpeed(1));
    QCOMPARE(stored(), QByteArray("[KDE]\nWheelScrollLines=4\nDoubleClickInterval=830\n"));
}

QTEST_GUILESS_MAIN(TestPointerSettingsKde)
#include "TestPointerSettingsKde.moc"
