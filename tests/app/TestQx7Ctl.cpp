// qx7ctl run as a process against the virtual mouse of both controller families, read through its trace.
#include "HidScrambler.h"
#include "TempModules.h"
#include "VirtualMouse.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
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
    void failedExchange();
    void keyKeepsTheOnlyLeftButton();
    void unwritableFile_data();
    void unwritableFile();
    void readProfileGivesImage();
    void manualNamesEveryCommandAndOption();
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
    QTest::addColumn<QString>("key");        // profile key stored, "" for none
    QTest::addColumn<QString>("stored");

    const QStringList dpis {"400", "800", "1600", "3200", "4000", "5000", "6000", "7000"};
    const QStringList colors {"#ff0000", "#00ff00", "#0000ff", "#ffffff", "#000000", "#101010", "#202020", "#303030"};
    // clang-format off
    QTest::newRow("553 report-rate") << "553" << false << QStringList {"report-rate", "500"} << "010200" << "mouse/reportRate" << "2";
    QTest::newRow("553 dpi") << "553" << false << QStringList {"dpi", "3"} + dpis << "110308" << "mouse/dpiValueArray" << "400 800 1600 3200 4000 5000 6000 7000";
    QTest::newRow("560 dpi scrambled") << "560" << true << QStringList {"dpi", "2"} + dpis << "0c0180" << "mouse/currentDpiCount" << "2";
    QTest::newRow("553 light") << "553" << false << QStringList {"light", "2", "1", "3"} << "0d" << "mouse/lightValue" << "2 1 3";
    QTest::newRow("560 colors") << "560" << false << QStringList {"colors"} + colors << "0c0080" << "mouse/colorValue" << "255 0 0 0 255 0 0 0 255 255 255 255 0 0 0 16 16 16 32 32 32 48 48 48";
    QTest::newRow("553 key") << "553" << false << QStringList {"key", "3", "0300B500"} << "12014008" << "mouseKeyMatrix/3" << "3 0 181 0";
    QTest::newRow("553 key macro") << "553" << false << QStringList {"key", "3", "04020300", "Macro_1"} << "130480" << "mouseMacroKey/3" << "Macro_1";
    QTest::newRow("560 key macro scrambled") << "560" << true << QStringList {"key", "2", "04000200", "Macro_0"} << "0d0180" << "mouseKeyMatrix/2" << "4 0 2 0";
    QTest::newRow("553 keys") << "553" << false << QStringList {"keys"} << "12014008" << "" << "";
    QTest::newRow("560 macro scrambled") << "560" << true << QStringList {"macro", "11", "Macro_1"} << "0f0c80" << "" << "";
    QTest::newRow("553 gun") << "553" << false << QStringList {"gun", "2", "5", "9"} << "04000500" << "" << "";
    QTest::newRow("560 gun") << "560" << false << QStringList {"gun", "1", "5", "9", "3"} << "0c0280" << "" << "";
    QTest::newRow("553 dpi-stage") << "553" << false << QStringList {"dpi-stage", "3"} << "0b03" << "" << "";
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
        QSettings profile(modules.path("modules/setting/p1.bin"), QSettings::IniFormat);
        const QVariant value = profile.value(key);
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
    QTest::newRow("stage 9") << QStringList {"dpi-stage", "9"};
    QTest::newRow("dpi too few values") << QStringList {"dpi", "3", "400"};
    QTest::newRow("dpi out of range") << QStringList {"dpi", "3", "400", "800", "1600", "3200", "4000", "5000", "6000", "99999"};
    QTest::newRow("dpi off the step") << QStringList {"dpi", "3", "400", "825", "1600", "3200", "4000", "5000", "6000", "7000"};
    QTest::newRow("dpi below range") << QStringList {"dpi", "3", "150", "800", "1600", "3200", "4000", "5000", "6000", "7000"};
    QTest::newRow("dpi count 0") << QStringList {"dpi", "0", "400", "800", "1600", "3200", "4000", "5000", "6000", "7000"};
    QTest::newRow("light mode") << QStringList {"light", "40", "1", "1"};
    QTest::newRow("light speed") << QStringList {"light", "1", "5", "1"};
    QTest::newRow("colour not hex") << QStringList {"colors", "#ff0000", "#00ff00", "#0000ff", "#ffffff", "#000000", "#101010", "#202020", "red"};
    QTest::newRow("key entry 16") << QStringList {"key", "16", "0300b500"};
    QTest::newRow("key record not hex") << QStringList {"key", "1", "0300b5zz"};
    QTest::newRow("key macro without name") << QStringList {"key", "3", "04000300"};
    QTest::newRow("key macro of another slot") << QStringList {"key", "3", "04000500", "Macro_0"};
    QTest::newRow("key macro run mode 3") << QStringList {"key", "3", "04030300", "Macro_0"};
    QTest::newRow("key macro unknown") << QStringList {"key", "3", "04000300", "NoSuchMacro"};
    QTest::newRow("key macro past the slots") << QStringList {"key", "12", "04000c00", "Macro_0"};
    QTest::newRow("key name without macro") << QStringList {"key", "3", "0300b500", "Macro_0"};
    QTest::newRow("macro slot 12") << QStringList {"macro", "12", "Macro_0"};
    QTest::newRow("macro unknown") << QStringList {"macro", "1", "NoSuchMacro"};
    QTest::newRow("gun slot 4") << QStringList {"gun", "4", "1", "1"};
    QTest::newRow("gun y 65") << QStringList {"gun", "1", "1", "65"};
    QTest::newRow("gun preset 6") << QStringList {"gun", "1", "1", "1", "6"};
    QTest::newRow("profile 6") << QStringList {"profile", "6"};
    QTest::newRow("read-profile 5") << QStringList {"read-profile", "5"};
    QTest::newRow("options with argument") << QStringList {"options", "x"};
    QTest::newRow("unknown option") << QStringList {"--verbose", "options"};
    // clang-format on
}

void TestQx7Ctl::badArgumentsSendAndStoreNothing()
{
    QFETCH(QStringList, args);
    const Modules modules("560", false);
    const QByteArray before = modules.read("modules/setting/p1.bin");
    const QByteArray globalBefore = modules.read("modules/setting/apConfig.bin");
    const Run r = run(modules, args);
    QCOMPARE(r.status, 1);
    QVERIFY(r.trace.isEmpty());
    QVERIFY(r.errors.startsWith("qx7ctl: "));
    QCOMPARE(modules.read("modules/setting/p1.bin"), before);
    QCOMPARE(modules.read("modules/setting/apConfig.bin"), globalBefore);
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
    QVERIFY(r.errors.contains("no verified device"));
}

void TestQx7Ctl::failedExchange()
{
    // A 553 mouse does not answer the 560 profile read: the block read runs out of time.
    const Modules modules("553", false);
    const Run r = run(modules, {"read-profile", "1"});
    QCOMPARE(r.status, 3);
    QVERIFY(r.errors.contains("read-profile"));
}

void TestQx7Ctl::keyKeepsTheOnlyLeftButton()
{
    // As the dialog does not open on it: nothing stored, no matrix sent.
    const Modules modules("553", false);
    const QByteArray before = modules.read("modules/setting/p1.bin");
    const Run r = run(modules, {"key", "0", "0300b500"});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.errors.contains("only left button"), qPrintable(r.errors));
    QCOMPARE(modules.read("modules/setting/p1.bin"), before);
    for (const QByteArray& frame : r.frames) {
        QVERIFY(frame.at(1) != 0x12);
    }
}

void TestQx7Ctl::unwritableFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("error");
    // clang-format off
    QTest::newRow("reset") << "modules/setting/p1.bin" << QStringList {"reset"} << "reset: the profile could not be restored";
    QTest::newRow("name list written at start") << "modules/setting/name.bin" << QStringList {"dpi-stage", "2"} << "dpi-stage: a settings file could not be written: ";
    // clang-format on
}

void TestQx7Ctl::unwritableFile()
{
    QFETCH(QString, file);
    QFETCH(QStringList, args);
    QFETCH(QString, error);
    const Modules modules("553", false);
    // A folder in the file's place cannot be written, not even by root.
    QVERIFY(QFile::remove(modules.path(file)));
    QVERIFY(QDir().mkpath(modules.path(file)));
    const Run r = run(modules, args);
    QCOMPARE(r.status, 4);
    QVERIFY2(r.errors.contains("qx7ctl: " + error), qPrintable(r.errors));
}

void TestQx7Ctl::manualNamesEveryCommandAndOption()
{
    QProcess process;
    process.start(ctlPath(), {"--help"});
    QVERIFY(process.waitForFinished(60000));
    const QStringList help = QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n');
    // The manual page's source, with its escaped hyphens as plain ones.
    const QString manual
        = QString::fromUtf8(TempModules::readFile(TempModules::shippedPath("dist/linux/qx7ctl.1"))).replace("\\-", "-");
    QVERIFY(!manual.isEmpty());
    int named = 0;
    for (const QString& line : help) {
        // An option or a command starts its line of the help: "  --trace ...", "  report-rate ...".
        const QRegularExpressionMatch m = QRegularExpression("^  (--[a-z-]+|[a-z][a-z-]+)").match(line);
        if (!m.hasMatch()) {
            continue;
        }
        const QRegularExpression entry("^\\.B[IR]? " + QRegularExpression::escape(m.captured(1)) + "\\b",
                                       QRegularExpression::MultilineOption);
        QVERIFY2(entry.match(manual).hasMatch(), qPrintable(m.captured(1)));
        ++named;
    }
    QVERIFY(named > 10);
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
