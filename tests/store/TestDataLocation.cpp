// Which modules/ folder the store uses, and how the user's copy is made and completed.
#include "DataLocation.h"
#include "TempModules.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

enum class Layout { Beside, Installed, Nothing };

// A program folder with the shipped modules/ beside it, in ../share/qx7-config/ of an installed
// tree, or nowhere; and an empty per-user data folder.
struct Tree
{
    explicit Tree(Layout layout)
    {
        if (layout == Layout::Beside) {
            programDir = shipped.baseDir();
        } else {
            programDir = root.filePath("bin");
            QDir().mkpath(programDir);
            if (layout == Layout::Installed) {
                QDir().mkpath(root.filePath("share"));
                QFile::link(shipped.baseDir(), root.filePath("share/qx7-config"));
            }
        }
        userDir = root.filePath("user/qx7-config");
    }
    QString user(const QString& relative) const { return userDir + "/modules/" + relative; }

    TempModules shipped;
    QTemporaryDir root;
    QString programDir;
    QString userDir;
};

// Every file below the user's modules/ but the copy's own record, sorted.
QStringList userFiles(const Tree& tree)
{
    QStringList files;
    const QDir modules(tree.userDir + "/modules");
    QDirIterator it(modules.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << modules.relativeFilePath(it.next());
    }
    files.sort();
    return files;
}

} // namespace

class TestDataLocation : public QObject
{
    Q_OBJECT

private slots:
    void choosesFolder_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("prepared");
        QTest::addColumn<bool>("userCopy");
        // clang-format off
        QTest::newRow("writable beside the program") << int(Layout::Beside) << true << false;
        QTest::newRow("installed tree") << int(Layout::Installed) << true << true;
        QTest::newRow("nothing shipped") << int(Layout::Nothing) << false << false;
        // clang-format on
    }

    void choosesFolder()
    {
        QFETCH(int, layout);
        QFETCH(bool, prepared);
        QFETCH(bool, userCopy);
        Tree tree(static_cast<Layout>(layout));
        const QMap<QString, QByteArray> shippedBefore = tree.shipped.snapshot();
        DataLocation location(tree.programDir, tree.userDir);
        QString error;
        QCOMPARE(location.prepare(&error), prepared);
        QCOMPARE(error.isEmpty(), prepared);
        QCOMPARE(location.usesUserCopy(), userCopy);
        QCOMPARE(QFileInfo::exists(tree.userDir), userCopy);
        if (userCopy) {
            QCOMPARE(location.dataDir(), tree.userDir);
            // The store's files, not the scene or the artwork.
            const QStringList files = userFiles(tree);
            QCOMPARE(location.copiedFiles(), files);
            QVERIFY(files.contains("setting/p1.bin") && files.contains("i18n/English.ini"));
            QVERIFY(files.filter(QRegularExpression("^(qml|img)/")).isEmpty());
            for (const QString& file : files) {
                QCOMPARE(TempModules::readFile(tree.user(file)), tree.shipped.read("modules/" + file));
            }
        } else {
            QCOMPARE(location.dataDir(), QDir(tree.programDir).absolutePath());
        }
        QCOMPARE(tree.shipped.snapshot(), shippedBefore);
    }

    void userCopyIsKept()
    {
        Tree tree(Layout::Installed);
        QVERIFY(DataLocation(tree.programDir, tree.userDir).prepare());
        QVERIFY(TempModules::writeFile(tree.user("setting/p1.bin"), "[mouse]\nreportRate=1\n"));
        QVERIFY(QFile::remove(tree.user("macro/Macro_1.bin")));
        // A newer version ships one more file.
        QVERIFY(tree.shipped.write("modules/i18n/Deutsch.ini", "[other]\ntotal=0\n"));
        const QMap<QString, QByteArray> shippedBefore = tree.shipped.snapshot();

        DataLocation again(tree.programDir, tree.userDir);
        QVERIFY(again.prepare());
        QCOMPARE(again.dataDir(), tree.userDir);
        QCOMPARE(again.copiedFiles(), QStringList {"i18n/Deutsch.ini"});
        QCOMPARE(TempModules::readFile(tree.user("i18n/Deutsch.ini")), QByteArray("[other]\ntotal=0\n"));
        QCOMPARE(TempModules::readFile(tree.user("setting/p1.bin")), QByteArray("[mouse]\nreportRate=1\n"));
        // The user deleted that macro: it stays deleted.
        QVERIFY(!QFileInfo::exists(tree.user("macro/Macro_1.bin")));
        QCOMPARE(tree.shipped.snapshot(), shippedBefore);
    }

    void followsTheInstalledCopy_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("deleted");   // by the user; else shipped anew
        QTest::addColumn<QString>("result"); // "shipped", "user's", "absent" or "merged"
        // clang-format off
        QTest::newRow("configuration deleted") << "setting/apConfig.bin" << true << "shipped";
        QTest::newRow("profile deleted") << "setting/p3.bin" << true << "shipped";
        QTest::newRow("name lists deleted") << "setting/name.bin" << true << "shipped";
        QTest::newRow("gun presets deleted") << "gun/gunData.bin" << true << "shipped";
        QTest::newRow("language deleted") << "i18n/English.ini" << true << "shipped";
        QTest::newRow("macro deleted") << "macro/Macro_1.bin" << true << "absent";
        QTest::newRow("new language texts") << "i18n/English.ini" << false << "shipped";
        QTest::newRow("new factory defaults") << "setting/pD.bin" << false << "shipped";
        QTest::newRow("new default configuration") << "setting/apConfigD.bin" << false << "shipped";
        QTest::newRow("new device records") << "setting/apConfig.bin" << false << "merged";
        QTest::newRow("new shipped profile") << "setting/p1.bin" << false << "user's";
        QTest::newRow("new shipped macro") << "macro/Macro_0.bin" << false << "user's";
        // clang-format on
    }

    // What belongs to the user stays the user's; what ships with the program follows each release.
    void followsTheInstalledCopy()
    {
        QFETCH(QString, file);
        QFETCH(bool, deleted);
        QFETCH(QString, result);
        Tree tree(Layout::Installed);
        QVERIFY(DataLocation(tree.programDir, tree.userDir).prepare());
        // The user's own choices and values, in every file.
        for (const QString& own : userFiles(tree)) {
            QSettings settings(tree.user(own), QSettings::IniFormat);
            settings.setValue("mouse/profileNo", 3);
            settings.setValue("test/own", "mine");
        }
        const QByteArray users = TempModules::readFile(tree.user(file));
        if (deleted) {
            QVERIFY(QFile::remove(tree.user(file)));
        } else {
            QSettings shipped(tree.shipped.path("modules/" + file), QSettings::IniFormat);
            shipped.setValue("0/pid", "a1ef");
            shipped.setValue("mouse/profileNo", 0);
        }

        DataLocation again(tree.programDir, tree.userDir);
        QVERIFY(again.prepare());
        const QByteArray now = TempModules::readFile(tree.user(file));
        QCOMPARE(QFileInfo::exists(tree.user(file)), result != "absent");
        if (result == "shipped") {
            QCOMPARE(now, tree.shipped.read("modules/" + file));
        } else if (result == "user's") {
            QCOMPARE(now, users);
        } else if (result == "merged") {
            const QSettings merged(tree.user(file), QSettings::IniFormat);
            QCOMPARE(merged.value("0/pid").toString(), QStringLiteral("a1ef"));
            QCOMPARE(merged.value("mouse/profileNo").toInt(), 3);
            QCOMPARE(merged.value("test/own").toString(), QStringLiteral("mine"));
            QCOMPARE(merged.value("common/name").toString(), QStringLiteral("QX7 Config"));
        }
        // Once up to date, a later start changes nothing.
        const QMap<QString, QByteArray> settled = TempModules::snapshotOf(tree.userDir);
        QVERIFY(DataLocation(tree.programDir, tree.userDir).prepare());
        QCOMPARE(TempModules::snapshotOf(tree.userDir), settled);
    }

    void userFolderCannotBeMade()
    {
        Tree tree(Layout::Installed);
        // A file where the per-user folder should be: no folder can be made there, not even by root.
        QVERIFY(TempModules::writeFile(tree.root.filePath("user"), "x"));
        DataLocation location(tree.programDir, tree.userDir);
        QString error;
        QVERIFY(!location.prepare(&error));
        QVERIFY2(error.contains(tree.userDir), qPrintable(error));
        QCOMPARE(location.dataDir(), location.shippedDir());
        QVERIFY(!location.usesUserCopy());
        // For the tray to name.
        QCOMPARE(location.failedFiles(), QStringList {tree.userDir + "/modules"});
    }
};

QTEST_GUILESS_MAIN(TestDataLocation)
#include "TestDataLocation.moc"
