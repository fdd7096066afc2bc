// qx7ctl run as a process against the virtual mouse of both controller families. Each case of
// qx7ctl-cases.txt gives its set-up and commands and their whole result: status, every line printed,
// every report and pause sent to the mouse (unscrambled), every value each file gained, changed or lost.
#include "CaseFile.h"
#include "CtlCommand.h"
#include "CtlDocs.h"
#include "HidScrambler.h"
#include "Qx7Ctl.h"
#include "TempModules.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {

QString ctlPath()
{
    return qEnvironmentVariable("QX7_BUILD_DIR") + QStringLiteral("/qx7ctl");
}

} // namespace

class TestQx7Ctl : public QObject
{
    Q_OBJECT

private slots:
    void cases_data();
    void cases();
    void documentation();
    void readmeExamplesRun();
    void listenPrintsEvents();
};

void TestQx7Ctl::cases_data()
{
    CaseFile::addRows({"cli/qx7ctl-cases.txt"});
}

void TestQx7Ctl::cases()
{
    QFETCH(QStringList, block);
    TempModules modules;
    QVERIFY(modules.isValid());
    const QString dir = modules.baseDir();
    QStringList family {"553"};
    QStringList expected;
    for (const QString& line : std::as_const(block)) {
        const QString word = line.section(' ', 0, 0);
        const QString rest = line.section(' ', 1).replace("$DIR", dir);
        if (word == "family") {
            family = rest.split(' ');
        } else if (word == "set") {
            QSettings(modules.path("modules/" + rest.section(' ', 0, 0)), QSettings::IniFormat)
                .setValue(rest.section(' ', 1, 1), rest.section(' ', 2));
        } else if (word == "write") {
            QVERIFY(modules.write("modules/" + rest.section(' ', 0, 0),
                                  rest.section(' ', 1).replace("\\n", "\n").toUtf8()));
        } else if (word == "folder") {
            // A folder in a file's place can be neither read nor written, not even by root.
            QFile::remove(modules.path("modules/" + rest));
            QVERIFY(QDir().mkpath(modules.path("modules/" + rest)));
        } else {
            expected << line;
        }
    }
    const bool encode = family.contains("scrambled");
    {
        QSettings global(modules.path("modules/setting/apConfig.bin"), QSettings::IniFormat);
        global.setValue("mouse/icType", family.first());
        global.setValue("0/isEncode", encode ? "true" : "false");
        global.setValue("0/sCode", "Qx7A9z");
    }
    const unsigned char code[8] = {0, 'Q', 'x', '7', 'A', '9', 'z', 0};
    const QMap<QString, QDateTime> stamps = modules.stamps(true);
    const QMap<QString, QString> before = CaseFile::values(dir);

    QStringList actual;
    QStringList wire;
    for (const QString& line : std::as_const(expected)) {
        const QString word = line.section(' ', 0, 0);
        if (word != "run" && word != "offline") {
            continue;
        }
        QStringList args = QProcess::splitCommand(line.section(' ', 1).replace("$DIR", dir));
        args << "--data-dir" << dir << "--trace";
        if (word == "run") {
            args << "--virtual-mouse"
                 << "--fast";
        }
        QProcess process;
        process.setWorkingDirectory(dir);
        process.start(ctlPath(), args);
        QVERIFY(process.waitForFinished(60000));
        actual << line;
        const int status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        if (status != 0) {
            actual << "status " + QString::number(status);
        }
        for (const QString& out :
             QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
            actual << "out " + out;
        }
        for (QString err : QString::fromLocal8Bit(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts)) {
            err.replace(dir, "$DIR");
            if (!err.startsWith("hid ")) {
                actual << "error " + err;
                continue;
            }
            if (err.startsWith("hid feature-out ") && encode) {
                QByteArray frame = QByteArray::fromHex(err.mid(16).toLatin1());
                HidScrambler::decipher(reinterpret_cast<unsigned char*>(frame.data()) + 1, code);
                err = "hid feature-out " + frame.toHex(' ');
            }
            // What the mouse answers is the virtual mouse's; the device check's challenge is random.
            if (!err.startsWith("hid feature-in ") && !err.startsWith("hid input ")) {
                wire << "wire "
                            + err.mid(4).replace(QRegularExpression("^feature-out 00 00 .*"),
                                                 "feature-out 00 00 (challenge)");
            }
        }
    }
    actual << wire << CaseFile::changes(dir, before, stamps, modules.stamps());
    QVERIFY(CaseFile::same(actual, expected));
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
    const TempModules modules;
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
    QProcess process;
    process.start(ctlPath(), {"--data-dir", modules.baseDir(), "profile"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.readAllStandardOutput(), QByteArray("  1 Standard\n* 2 Shooter\n"));
    QVERIFY(QFileInfo(folder.filePath("shooter.pf")).isFile());
}

void TestQx7Ctl::listenPrintsEvents()
{
    const TempModules modules;
    QSettings(modules.path("modules/setting/apConfig.bin"), QSettings::IniFormat).setValue("mouse/icType", "553");
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
