// qx7ctl run as a process against the virtual mouse of both controller families, read through its trace.
#include "CtlCommand.h"
#include "CtlDocs.h"
#include "HidScrambler.h"
#include "Qx7Ctl.h"
#include "TempModules.h"
#include "VirtualMouse.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {

struct Run
{
    int status = -1;
    QString out;
    QStringList trace;
    QString errors;
    // The command frames as the link built them, unscrambled when the mouse scrambles.
    QList<QByteArray> frames;
};

QVariantMap values(const QString& file)
{
    QSettings settings(file, QSettings::IniFormat);
    QVariantMap all;
    for (const QString& key : settings.allKeys()) {
        all.insert(key, settings.value(key));
    }
    return all;
}

QString ctlPath()
{
    return qEnvironmentVariable("QX7_BUILD_DIR") + QStringLiteral("/qx7ctl");
}

// A copy of the shipped files set up for the virtual mouse of one controller family.
struct Modules : TempModules
{
    Modules(const QString& family, bool encode)
        : encode(encode)
    {
        QSettings global(path("modules/setting/apConfig.bin"), QSettings::IniFormat);
        global.setValue("mouse/icType", family);
        global.setValue("0/isEncode", encode ? "true" : "false");
        global.setValue("0/sCode", "Qx7A9z");
    }

    const bool encode;
};

} // namespace

class TestQx7Ctl : public QObject
{
    Q_OBJECT

private slots:
    void commands_data();
    void commands();
    void badArgumentsSendAndStoreNothing_data();
    void badArgumentsSendAndStoreNothing();
    void noVerifiedDevice_data();
    void noVerifiedDevice();
    void failedExchange_data();
    void failedExchange();
    void keyKeepsTheOnlyLeftButton();
    void appRulesWithoutMouse();
    void unwritableFile_data();
    void unwritableFile();
    void readProfileGivesImage();
    void printsSayWhatNumbersMean_data();
    void printsSayWhatNumbersMean();
    void documentation();
    void readmeExamplesRun();
    void readOnlyCommandsWriteNothing_data();
    void readOnlyCommandsWriteNothing();
    void listenPrintsEvents();

private:
    Run run(const Modules& modules, const QStringList& args, bool virtualMouse = true);
};

Run TestQx7Ctl::run(const Modules& modules, const QStringList& args, bool virtualMouse)
{
    QStringList options {"--data-dir", modules.baseDir(), "--trace"};
    if (virtualMouse) {
        options << "--virtual-mouse"
                << "--fast";
    }
    QProcess process;
    process.start(ctlPath(), options + args);
    process.waitForFinished(60000);
    Run r;
    r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QStringList errLines = QString::fromLocal8Bit(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    const unsigned char code[8] = {0, 'Q', 'x', '7', 'A', '9', 'z', 0};
    for (const QString& line : errLines) {
        if (!line.startsWith("hid ")) {
            r.errors += line + '\n';
            continue;
        }
        r.trace << line;
        if (line.startsWith("hid feature-out ")) {
            QByteArray frame = QByteArray::fromHex(line.mid(16).toLatin1().replace(' ', ""));
            if (modules.encode && frame.size() == 9) {
                HidScrambler::decipher(reinterpret_cast<unsigned char*>(frame.data()) + 1, code);
            }
            r.frames << frame;
        }
    }
    return r;
}

void TestQx7Ctl::commands_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("encode");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("frameStart"); // hex of bytes 1.. of a frame that must be sent
    QTest::addColumn<QString>("key");        // profile key stored, "" for none; "FILE:KEY" in another file
    QTest::addColumn<QString>("stored");

    const QStringList dpis {"400", "800", "1600", "3200", "4000", "5000", "6000", "7000"};
    const QStringList colors {"#ff0000", "#00ff00", "#0000ff", "#ffffff", "#000000", "#101010", "#202020", "#303030"};
    // clang-format off
    QTest::newRow("553 report-rate") << "553" << false << QStringList {"report-rate", "500"} << "010200" << "mouse/reportRate" << "2";
    QTest::newRow("553 dpi") << "553" << false << QStringList {"dpi", "3"} + dpis << "110308" << "mouse/dpiValueArray" << "400 800 1600 3200 4000 5000 6000 7000";
    QTest::newRow("560 dpi scrambled") << "560" << true << QStringList {"dpi", "2"} + dpis << "0c0180" << "mouse/currentDpiCount" << "2";
    // Breath has a speed but keeps the brightness; Static keeps both, at full brightness.
    QTest::newRow("553 light") << "553" << false << QStringList {"light", "3", "1", "3"} << "0d" << "mouse/lightValue" << "2 1 4";
    QTest::newRow("553 light static") << "553" << false << QStringList {"light", "1", "3", "0"} << "0d" << "mouse/lightValue" << "0 2 4";
    QTest::newRow("560 colors") << "560" << false << QStringList {"colors"} + colors << "0c0080" << "mouse/colorValue" << "255 0 0 0 255 0 0 0 255 255 255 255 0 0 0 16 16 16 32 32 32 48 48 48";
    QTest::newRow("553 key") << "553" << false << QStringList {"key", "4", "0300B500"} << "12014008" << "mouseKeyMatrix/3" << "3 0 181 0";
    QTest::newRow("553 key macro") << "553" << false << QStringList {"key", "4", "04020300", "Macro_1"} << "130480" << "mouseMacroKey/3" << "Macro_1";
    QTest::newRow("560 key macro scrambled") << "560" << true << QStringList {"key", "3", "Macro_0"} << "0d0180" << "mouseKeyMatrix/2" << "4 0 2 0";
    QTest::newRow("553 keys") << "553" << false << QStringList {"keys"} << "12014008" << "" << "";
    QTest::newRow("560 macro scrambled") << "560" << true << QStringList {"macro", "8", "Macro_1"} << "0f0880" << "" << "";
    QTest::newRow("553 gun") << "553" << false << QStringList {"gun", "2", "5", "9"} << "04000500" << "" << "";
    QTest::newRow("560 gun") << "560" << false << QStringList {"gun", "1", "5", "9", "4"} << "0c0280" << "" << "";
    QTest::newRow("553 dpi-stage") << "553" << false << QStringList {"dpi-stage", "3"} << "0b03" << "" << "";
    QTest::newRow("553 options after the command") << "553" << false << QStringList {"report-rate", "250", "--fast"} << "010400" << "mouse/reportRate" << "1";
    QTest::newRow("560 key by the function's name") << "560" << false << QStringList {"key", "2", "next"} << "0d0180" << "mouseKeyMatrix/1" << "3 0 181 0";
    QTest::newRow("553 gun period") << "553" << false << QStringList {"gun", "3", "0", "4", "Thomson", "33"} << "12014008" << "gun/gunData.bin:gunData/5" << "Thomson L-Click 33 0 4 0";
    QTest::newRow("560 reset") << "560" << false << QStringList {"reset"} << "040102" << "" << "";
    // clang-format on
}

void TestQx7Ctl::commands()
{
    QFETCH(QString, family);
    QFETCH(bool, encode);
    QFETCH(QStringList, args);
    QFETCH(QString, frameStart);
    QFETCH(QString, key);
    QFETCH(QString, stored);

    const Modules modules(family, encode);
    QVERIFY(modules.isValid());
    const Run r = run(modules, args);
    QVERIFY2(r.status == 0, qPrintable(r.errors));
    const QByteArray wanted = QByteArray::fromHex(frameStart.toLatin1());
    bool found = false;
    for (const QByteArray& frame : r.frames) {
        found = found || frame.mid(1).startsWith(wanted);
    }
    QVERIFY2(found, qPrintable(r.trace.join('\n')));
    if (!key.isEmpty()) {
        const QStringList place = key.contains(':') ? key.split(':') : QStringList {"setting/p1.bin", key};
        QSettings file(modules.path("modules/" + place.at(0)), QSettings::IniFormat);
        const QVariant value = file.value(place.at(1));
        const QString text
            = value.typeId() == QMetaType::QStringList ? value.toStringList().join(' ') : value.toString();
        QCOMPARE(text, stored);
    }
}

void TestQx7Ctl::badArgumentsSendAndStoreNothing_data()
{
    QTest::addColumn<QStringList>("args");
    // clang-format off
    QTest::newRow("no command") << QStringList {};
    QTest::newRow("unknown command") << QStringList {"frobnicate"};
    QTest::newRow("rate not offered") << QStringList {"report-rate", "300"};
    QTest::newRow("stage past the four in use") << QStringList {"dpi-stage", "6"};
    QTest::newRow("stage 0") << QStringList {"dpi-stage", "0"};
    QTest::newRow("dpi too few values") << QStringList {"dpi", "3", "400"};
    QTest::newRow("dpi out of range") << QStringList {"dpi", "3", "400", "800", "1600", "3200", "4000", "5000", "6000", "99999"};
    QTest::newRow("dpi off the step") << QStringList {"dpi", "3", "400", "825", "1600", "3200", "4000", "5000", "6000", "7000"};
    QTest::newRow("dpi below range") << QStringList {"dpi", "3", "150", "800", "1600", "3200", "4000", "5000", "6000", "7000"};
    QTest::newRow("dpi count 0") << QStringList {"dpi", "0", "400", "800", "1600", "3200", "4000", "5000", "6000", "7000"};
    QTest::newRow("light mode 0") << QStringList {"light", "0", "1", "1"};
    QTest::newRow("light mode unknown") << QStringList {"light", "Disco", "1", "1"};
    QTest::newRow("light speed") << QStringList {"light", "1", "5", "1"};
    QTest::newRow("colour not hex") << QStringList {"colors", "#ff0000", "#00ff00", "#0000ff", "#ffffff", "#000000", "#101010", "#202020", "red"};
    QTest::newRow("key 0") << QStringList {"key", "0", "0300b500"};
    QTest::newRow("key past the mouse's buttons") << QStringList {"key", "9", "0300b500"};
    QTest::newRow("key record not hex") << QStringList {"key", "1", "0300b5zz"};
    QTest::newRow("key record of no type") << QStringList {"key", "3", "99000000"};
    QTest::newRow("key gun slot 4") << QStringList {"key", "3", "08000400"};
    QTest::newRow("key function unknown") << QStringList {"key", "3", "Teleport"};
    QTest::newRow("key without function") << QStringList {"key", "3"};
    QTest::newRow("key macro without name") << QStringList {"key", "4", "04000300"};
    QTest::newRow("key macro of another slot") << QStringList {"key", "4", "04000500", "Macro_0"};
    QTest::newRow("key macro run mode 3") << QStringList {"key", "4", "04030300", "Macro_0"};
    QTest::newRow("key macro unknown") << QStringList {"key", "4", "04000300", "NoSuchMacro"};
    QTest::newRow("key name without macro") << QStringList {"key", "4", "0300b500", "Macro_0"};
    QTest::newRow("macro slot 0") << QStringList {"macro", "0", "Macro_0"};
    QTest::newRow("macro unknown") << QStringList {"macro", "1", "NoSuchMacro"};
    QTest::newRow("gun slot 4") << QStringList {"gun", "4", "1", "1"};
    QTest::newRow("gun y 65") << QStringList {"gun", "1", "1", "65"};
    QTest::newRow("gun preset 7") << QStringList {"gun", "1", "1", "1", "7"};
    QTest::newRow("gun period 3") << QStringList {"gun", "1", "1", "1", "1", "3"};
    QTest::newRow("profile 2 of one") << QStringList {"profile", "2"};
    QTest::newRow("profile unknown name") << QStringList {"profile", "FPS"};
    QTest::newRow("delete the first profile") << QStringList {"profile-delete", "1"};
    QTest::newRow("new profile named as one") << QStringList {"profile-new", "Standard"};
    QTest::newRow("rename the first profile") << QStringList {"profile-rename", "1", "Mine"};
    QTest::newRow("import no file") << QStringList {"profile-import", "/nonexistent/x.pf"};
    QTest::newRow("read-profile 5") << QStringList {"read-profile", "5"};
    QTest::newRow("options with argument") << QStringList {"options", "x"};
    QTest::newRow("unknown option") << QStringList {"--verbose", "options"};
    QTest::newRow("unknown option after the command") << QStringList {"options", "--verbose"};
    QTest::newRow("app-rules add without profile") << QStringList {"app-rules", "add", "game.exe"};
    QTest::newRow("app-rules add a path") << QStringList {"app-rules", "add", "/usr/bin/game", "1"};
    QTest::newRow("app-rules add to no such profile") << QStringList {"app-rules", "add", "game", "FPS"};
    QTest::newRow("app-rules remove with no rules") << QStringList {"app-rules", "remove", "1"};
    QTest::newRow("app-rules other profile 0") << QStringList {"app-rules", "other", "0"};
    QTest::newRow("app-rules unknown action") << QStringList {"app-rules", "sort"};
    // clang-format on
}

void TestQx7Ctl::badArgumentsSendAndStoreNothing()
{
    QFETCH(QStringList, args);
    const Modules modules("560", false);
    const QByteArray before = modules.read("modules/setting/p1.bin");
    const QByteArray globalBefore = modules.read("modules/setting/apConfig.bin");
    const QVariantMap namesBefore = values(modules.path("modules/setting/name.bin"));
    const Run r = run(modules, args);
    QCOMPARE(r.status, 1);
    QVERIFY(r.trace.isEmpty());
    // One line in the user's words.
    QVERIFY2(r.errors.startsWith("qx7ctl: ") && r.errors.count('\n') == 1, qPrintable(r.errors));
    QCOMPARE(modules.read("modules/setting/p1.bin"), before);
    QCOMPARE(modules.read("modules/setting/apConfig.bin"), globalBefore);
    QCOMPARE(values(modules.path("modules/setting/name.bin")), namesBefore);
    QVERIFY(!QFileInfo::exists(modules.path("modules/setting/appRules.bin")));
}

void TestQx7Ctl::noVerifiedDevice_data()
{
    QTest::addColumn<bool>("encode");
    QTest::addColumn<QString>("mouseCode");
    QTest::newRow("scrambling with another code") << true << "000000";
    QTest::newRow("no such device attached") << false << "";
}

void TestQx7Ctl::noVerifiedDevice()
{
    QFETCH(bool, encode);
    QFETCH(QString, mouseCode);
    const Modules modules("553", encode);
    QStringList args {"options"};
    if (mouseCode.isEmpty()) {
        QSettings global(modules.path("modules/setting/apConfig.bin"), QSettings::IniFormat);
        global.setValue("0/vid", "ffff");
        global.setValue("0/pid", "fffe");
    } else {
        args = QStringList {"--virtual-scode", mouseCode, "options"};
    }
    const Run r = run(modules, args, !mouseCode.isEmpty());
    QCOMPARE(r.status, 2);
    QVERIFY(r.out.isEmpty());
    // What to check.
    for (const char* hint : {"no verified device", "plugged in", "70-qx7-config.rules", "--virtual-mouse"}) {
        QVERIFY2(r.errors.contains(QLatin1String(hint)), qPrintable(r.errors));
    }
}

void TestQx7Ctl::failedExchange_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("error");
    // A 553 mouse does not answer the 560 profile read: the block read runs out of time.
    QTest::newRow("read-profile on a 553")
        << "553" << QStringList {"read-profile", "1"} << "read-profile: an exchange with the mouse failed";
    QTest::newRow("macro, mouse gone") << "560" << QStringList {"--virtual-unplug", "0", "macro", "2", "Macro_0"}
                                       << "macro: an exchange with the mouse failed";
}

void TestQx7Ctl::failedExchange()
{
    QFETCH(QString, family);
    QFETCH(QStringList, args);
    QFETCH(QString, error);
    const Modules modules(family, false);
    const Run r = run(modules, args);
    QCOMPARE(r.status, 3);
    QVERIFY2(r.errors.contains(error), qPrintable(r.errors));
    QVERIFY2(!r.errors.contains("longer"), qPrintable(r.errors));
}

void TestQx7Ctl::keyKeepsTheOnlyLeftButton()
{
    // As the dialog does not open on it: nothing stored, no matrix sent.
    const Modules modules("553", false);
    const QByteArray before = modules.read("modules/setting/p1.bin");
    const Run r = run(modules, {"key", "1", "0300b500"});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.errors.contains("Key 1 is the only left button"), qPrintable(r.errors));
    QCOMPARE(modules.read("modules/setting/p1.bin"), before);
    for (const QByteArray& frame : r.frames) {
        QVERIFY(frame.at(1) != 0x12);
    }
}

void TestQx7Ctl::appRulesWithoutMouse()
{
    // No device anywhere: the rules are settings only.
    const Modules modules("553", false);
    {
        QSettings global(modules.path("modules/setting/apConfig.bin"), QSettings::IniFormat);
        global.setValue("0/vid", "ffff");
    }
    QCOMPARE(run(modules, {"profile-new", "FPS"}, false).status, 0);
    QCOMPARE(run(modules, {"app-rules", "add", "game.exe", "fps", "Game", "Arena"}, false).status, 0);
    QCOMPARE(run(modules, {"app-rules", "add", "tool", "1"}, false).status, 0);
    QCOMPARE(run(modules, {"app-rules", "on"}, false).status, 0);
    QCOMPARE(run(modules, {"app-rules", "other", "Standard"}, false).status, 0);
    QCOMPARE(run(modules, {"app-rules", "remove", "2"}, false).status, 0);
    const QByteArray stored = modules.read("modules/setting/appRules.bin");
    // Refused against the list as it is: nothing is written.
    QCOMPARE(run(modules, {"app-rules", "add", "game.exe", "3"}, false).status, 1);
    QCOMPARE(run(modules, {"app-rules", "remove", "2"}, false).status, 1);
    QCOMPARE(modules.read("modules/setting/appRules.bin"), stored);
    const Run r = run(modules, {"app-rules"}, false);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, "following on\n1 game.exe class=Game title=Arena -> 2 FPS\nother -> 1 Standard\n");
    QVERIFY(r.trace.isEmpty());
}

void TestQx7Ctl::unwritableFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("error");
    // clang-format off
    QTest::newRow("reset") << "modules/setting/p1.bin" << QStringList {"reset"} << "reset: the profile could not be restored";
    QTest::newRow("no configuration") << "modules/setting/apConfig.bin" << QStringList {"options"} << "options: a settings file could not be read: ";
    QTest::newRow("export") << "out.pf" << QStringList {"profile-export", "1", "out.pf"} << "profile-export: ";
    QTest::newRow("name list tidied before the first write") << "modules/setting/name.bin" << QStringList {"report-rate", "500"} << "report-rate: a settings file could not be written: ";
    QTest::newRow("application rules") << "modules/setting/appRules.bin" << QStringList {"app-rules", "on"} << "app-rules: a settings file could not be written: ";
    // clang-format on
}

void TestQx7Ctl::unwritableFile()
{
    QFETCH(QString, file);
    QFETCH(QStringList, args);
    QFETCH(QString, error);
    const Modules modules("553", false);
    // A folder in the file's place can be neither read nor written, not even by root.
    QFile::remove(modules.path(file));
    QVERIFY(QDir().mkpath(modules.path(file)));
    QStringList named = args;
    named.replaceInStrings("out.pf", modules.path(file));
    const Run r = run(modules, named);
    QCOMPARE(r.status, 4);
    QVERIFY2(r.errors.contains("qx7ctl: " + error), qPrintable(r.errors));
    QVERIFY2(r.errors.contains(QFileInfo(file).fileName()), qPrintable(r.errors));
    // In the user's words only: the store's log lines stay out.
    for (const QString& line : r.errors.split('\n', Qt::SkipEmptyParts)) {
        QVERIFY2(line.startsWith("qx7ctl: "), qPrintable(line));
    }
}

void TestQx7Ctl::readOnlyCommandsWriteNothing_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QStringList>("args");
    QTest::newRow("profile") << "553" << QStringList {"profile"};
    QTest::newRow("dpi-stage") << "553" << QStringList {"dpi-stage"};
    QTest::newRow("dpi-stage 2") << "553" << QStringList {"dpi-stage", "2"};
    QTest::newRow("options") << "553" << QStringList {"options"};
    QTest::newRow("read-profile") << "560" << QStringList {"read-profile", "1"};
    QTest::newRow("app-rules") << "553" << QStringList {"app-rules"};
}

// Even over a list start-up would tidy and a current profile past its end.
void TestQx7Ctl::readOnlyCommandsWriteNothing()
{
    QFETCH(QString, family);
    QFETCH(QStringList, args);
    const Modules modules(family, false);
    QVERIFY(modules.write("modules/setting/name.bin", "[profile]\nprofileName=A0, B7, C2\n"));
    {
        QSettings global(modules.path("modules/setting/apConfig.bin"), QSettings::IniFormat);
        global.setValue("mouse/profileNo", 9);
    }
    const QMap<QString, QDateTime> stamps = modules.stamps(true);
    const QMap<QString, QByteArray> files = modules.snapshot();
    const Run r = run(modules, args);
    QVERIFY2(r.status == 0, qPrintable(r.errors));
    QCOMPARE(modules.snapshot(), files);
    QCOMPARE(modules.stamps(), stamps);
}

void TestQx7Ctl::documentation()
{
    // The README's command list and examples are the table's.
    const QString readme = QString::fromUtf8(TempModules::readFile(TempModules::shippedPath("README.md")));
    const int begin = int(readme.indexOf(QLatin1String(CtlDocs::ReadmeBegin)));
    QVERIFY(begin > 0);
    QVERIFY2(readme.mid(begin).startsWith(CtlDocs::readmeBlock()),
             "the README's qx7ctl commands are not the table's: run build/qx7ctl-docs readme README.md");

    // The installed manual page, made at build time, names every command and option of --help.
    QProcess process;
    process.start(ctlPath(), {"--help"});
    QVERIFY(process.waitForFinished(60000));
    const QStringList help = QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n');
    const QString manual
        = QString::fromUtf8(TempModules::readFile(qEnvironmentVariable("QX7_BUILD_DIR") + "/dist/linux/qx7ctl.1"))
              .replace("\\-", "-");
    int named = 0;
    for (const QString& line : help) {
        // An option or a command starts its line of the help: "  --trace ...", "  report-rate ...".
        const QRegularExpressionMatch m = QRegularExpression("^  (--[a-z-]+|[a-z][a-z-]+)").match(line);
        if (!m.hasMatch()) {
            continue;
        }
        const QRegularExpression entry("^\\.B " + QRegularExpression::escape(m.captured(1)) + "\\b",
                                       QRegularExpression::MultilineOption);
        QVERIFY2(entry.match(manual).hasMatch(), qPrintable(m.captured(1)));
        ++named;
    }
    QCOMPARE(named, int(CtlCommand::all().size() + Qx7Ctl::options().size()));
}

void TestQx7Ctl::readmeExamplesRun()
{
    // In order, on one copy of the shipped files, from a folder of their own, with no input.
    const QString readme = QString::fromUtf8(TempModules::readFile(TempModules::shippedPath("README.md")));
    const int begin = int(readme.indexOf("Examples, which a test runs"));
    QVERIFY(begin > 0);
    const QStringList lines = readme.mid(begin, readme.indexOf(QLatin1String(CtlDocs::ReadmeEnd)) - begin).split('\n');
    const Modules modules("560", false);
    QTemporaryDir folder;
    int ran = 0;
    for (const QString& line : lines) {
        if (!line.startsWith("    qx7ctl ")) {
            continue;
        }
        QStringList args = QProcess::splitCommand(line.mid(11).section("  # ", 0, 0));
        args << "--data-dir" << modules.baseDir() << "--virtual-mouse"
             << "--fast";
        QProcess process;
        process.setWorkingDirectory(folder.path());
        process.start(ctlPath(), args);
        process.closeWriteChannel();
        QVERIFY2(process.waitForFinished(60000), qPrintable(line));
        QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
                 qPrintable(line + "\n" + process.readAllStandardError()));
        ++ran;
    }
    QVERIFY(ran >= CtlCommand::all().size());
    // Where they leave the profiles: the renamed one in use, the imported copy deleted.
    const Run r = run(modules, {"profile"});
    QCOMPARE(r.out, QStringLiteral("  1 Standard\n* 2 Shooter\n"));
    QVERIFY(QFileInfo(folder.filePath("shooter.pf")).isFile());
}

void TestQx7Ctl::printsSayWhatNumbersMean_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("virtualMouse");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    // clang-format off
    QTest::newRow("buttons, without a mouse") << QStringList {"key"} << false << 0 << QString(
        "Key  1  0000f000  Left Key\nKey  2  0000f100  Right Key\nKey  3  0000f200  Middle Key\n"
        "Key  4  0000f400  Forward Key\nKey  5  0000f300  Back Key\nKey  6  05000100  DPI+\n"
        "Key  7  05000200  DPI-\nKey  8  00f01e02  Double Fire\n");
    QTest::newRow("profiles, without a mouse") << QStringList {"profile"} << false << 0 << QString("* 1 Standard\n");
    QTest::newRow("gun slots") << QStringList {"gun"} << false << 0 << QString(
        "gun slot 1: preset 1 M416, fire period 10 ms, endless, Y correction 10\n"
        "gun slot 2: preset 2 AKM, fire period 10 ms, endless, Y correction 10\n"
        "gun slot 3: preset 3 M16A4, fire period 10 ms, endless, Y correction 10\n"
        "presets: 1 M416, 2 AKM, 3 M16A4, 4 SCAR-L, 5 UNP9, 6 Thomson\n");
    QTest::newRow("lighting") << QStringList {"light"} << false << 0 << QString(
        "mode 1 Static, speed 2 of 0-4, brightness 4 of 0-4\n"
        "modes: 1 Static, 2 Breath, 3 Neon, 4 OFF, 5 Twinkling, 6 Wave, 7 Gliding, 8 Finger Moving, "
        "9 Vertical Flipping, 10 YO-YO, 11 Spotlight\n");
    QTest::newRow("active stage") << QStringList {"dpi-stage"} << true << 0 << QString("stage 1 of 4 in use: 400 DPI\n");
    QTest::newRow("active stage needs the mouse") << QStringList {"dpi-stage"} << false << 2 << QString();
    QTest::newRow("keyboard options") << QStringList {"options"} << true << 0 << QString("04 00 00 00\n");
    // clang-format on
}

void TestQx7Ctl::printsSayWhatNumbersMean()
{
    QFETCH(QStringList, args);
    QFETCH(bool, virtualMouse);
    QFETCH(int, status);
    QFETCH(QString, out);
    const Modules modules("560", false);
    const Run r = run(modules, args, virtualMouse);
    QCOMPARE(r.status, status);
    QCOMPARE(r.out, out);
}

void TestQx7Ctl::readProfileGivesImage()
{
    const Modules modules("560", true);
    const Run r = run(modules, {"read-profile", "2"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out.trimmed(), QString::fromLatin1(VirtualMouse::initialProfileImage(2).toHex(' ')));
}

void TestQx7Ctl::listenPrintsEvents()
{
    const Modules modules("553", false);
    QProcess process;
    process.start(ctlPath(), {"--data-dir", modules.baseDir(), "--virtual-mouse", "--fast", "listen"});
    QVERIFY(process.waitForStarted());
    // Each line presses the virtual mouse's DPI button: stage 1 -> 2 -> 3.
    QTRY_VERIFY_WITH_TIMEOUT((process.write("\n"), process.waitForReadyRead(500)), 20000);
    QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
    process.write("\n");
    QTRY_VERIFY_WITH_TIMEOUT((out += QString::fromLocal8Bit(process.readAllStandardOutput())).count('\n') >= 2, 20000);
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 0);
    const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
    QVERIFY(lines.size() >= 2);
    QCOMPARE(lines.at(0), QStringLiteral("dpi 2"));
    QCOMPARE(lines.at(1), QStringLiteral("dpi 3"));
}

QTEST_GUILESS_MAIN(TestQx7Ctl)
#include "TestQx7Ctl.moc"
