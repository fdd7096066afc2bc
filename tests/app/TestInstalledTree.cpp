// The tree `cmake --install` lays out, run as an installed program: the shipped data is only read,
// the user's settings live in a copy in the per-user data folder.
#include "TempModules.h"

#include <QDirIterator>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int status = -1;
    QString output;
    QString errors;
};

// Read-only to the program; writable again at the end, so that the temporary folder can go.
void setWritable(const QString& dir, bool writable)
{
    QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QStringList entries {dir};
    while (it.hasNext()) {
        entries << it.next();
    }
    for (const QString& entry : entries) {
        QFile file(entry);
        const QFileDevice::Permissions write
            = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        file.setPermissions(writable ? (file.permissions() | QFileDevice::WriteOwner) : (file.permissions() & ~write));
    }
}

} // namespace

class TestInstalledTree : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void settingsLandInUserCopy();
    void unwritableFileStoresNothing();
    void configuratorStartsOnUserCopy();
    void autostartEntryStartsInstalledProgram();

private:
    Run ctl(const QStringList& args) const;
    QString user(const QString& relative) const { return m_userData->filePath("qx7-config/modules/" + relative); }
    QProcessEnvironment environment() const;

    // With a space, as a user's folder may have: the autostart entry must quote the program.
    QTemporaryDir m_prefix {QDir::tempPath() + "/qx7 prefix-XXXXXX"};
    std::unique_ptr<QTemporaryDir> m_userData;
    QMap<QString, QByteArray> m_shippedBefore;
};

void TestInstalledTree::initTestCase()
{
    QVERIFY(m_prefix.isValid());
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(qEnvironmentVariable("QX7_CMAKE", "cmake"),
                  {"--install", qEnvironmentVariable("QX7_BUILD_DIR"), "--prefix", m_prefix.path()});
    QVERIFY(install.waitForFinished(300000));
    QVERIFY2(install.exitCode() == 0, install.readAll().constData());
    for (const char* file : {"bin/qx7-config",
                             "bin/qx7ctl",
                             "share/qx7-config/modules/setting/p1.bin",
                             "share/qx7-config/modules/img/logo.ico",
                             "share/metainfo/com.example.qx7config.metainfo.xml"}) {
        QVERIFY2(QFileInfo::exists(m_prefix.filePath(file)), file);
    }
    setWritable(m_prefix.filePath("share/qx7-config"), false);
    m_shippedBefore = TempModules::snapshotOf(m_prefix.filePath("share/qx7-config"));
}

void TestInstalledTree::init()
{
    m_userData = std::make_unique<QTemporaryDir>();
    QVERIFY(m_userData->isValid());
}

void TestInstalledTree::cleanupTestCase()
{
    // The shipped copy may only ever change by the test's own hand.
    QCOMPARE(TempModules::snapshotOf(m_prefix.filePath("share/qx7-config")), m_shippedBefore);
    setWritable(m_prefix.path(), true);
}

QProcessEnvironment TestInstalledTree::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", m_userData->path());
    env.insert("XDG_CONFIG_HOME", m_userData->filePath("config"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

Run TestInstalledTree::ctl(const QStringList& args) const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    const bool device = args.value(0) != "autostart";
    process.start(m_prefix.filePath("bin/qx7ctl"),
                  (device ? QStringList {"--virtual-mouse", "--fast"} : QStringList {}) + args);
    process.waitForFinished(60000);
    Run r;
    r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    r.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return r;
}

void TestInstalledTree::settingsLandInUserCopy()
{
    Run r = ctl({"report-rate", "250"});
    QVERIFY2(r.status == 0, qPrintable(r.errors));
    QCOMPARE(QSettings(user("setting/p1.bin"), QSettings::IniFormat).value("mouse/reportRate").toInt(), 1);
    QCOMPARE(TempModules::snapshotOf(m_prefix.filePath("share/qx7-config")), m_shippedBefore);

    // A second start works on the same copy: the first change is still there.
    r = ctl({"light", "3", "3", "4"});
    QVERIFY2(r.status == 0, qPrintable(r.errors));
    const QSettings profile(user("setting/p1.bin"), QSettings::IniFormat);
    QCOMPARE(profile.value("mouse/reportRate").toInt(), 1);
    QCOMPARE(profile.value("mouse/lightValue").toStringList(), (QStringList {"2", "3", "4"}));
    QCOMPARE(TempModules::snapshotOf(m_prefix.filePath("share/qx7-config")), m_shippedBefore);
}

void TestInstalledTree::unwritableFileStoresNothing()
{
    QCOMPARE(ctl({"report-rate", "500"}).status, 0);
    // A folder in the profile's place cannot be written, not even by root.
    QVERIFY(QFile::remove(user("setting/p1.bin")));
    QVERIFY(QDir().mkpath(user("setting/p1.bin")));
    const QMap<QString, QByteArray> before = TempModules::snapshotOf(m_userData->path());
    const Run r = ctl({"report-rate", "125"});
    QCOMPARE(r.status, 4);
    QVERIFY2(r.errors.contains("qx7ctl: report-rate: a settings file could not be written: " + user("setting/p1.bin")),
             qPrintable(r.errors));
    // Nothing half-written beside it, nothing else changed.
    QCOMPARE(TempModules::snapshotOf(m_userData->path()), before);
}

void TestInstalledTree::configuratorStartsOnUserCopy()
{
    QCOMPARE(ctl({"profile"}).status, 0);
    QVERIFY(QFileInfo(user("i18n/English.ini")).isFile());
    const QMap<QString, QByteArray> userBefore = TempModules::snapshotOf(m_userData->path());
    const QString shot = m_prefix.filePath("shot.png");
    QProcess process;
    process.setProcessEnvironment(environment());
    // The macro editor's picture records a sample macro: into a copy, not the user's library.
    process.start(m_prefix.filePath("bin/qx7-config"),
                  {"--virtual-mouse", "--language", "English", "--screenshot", shot, "--screen", "macro"});
    QVERIFY(process.waitForFinished(120000));
    const QByteArray errors = process.readAllStandardError();
    QVERIFY2(process.exitCode() == 0, errors.constData());
    // Qt's tray icon warns about a platform signal at every start where the platform lacks it.
    QVERIFY2(!errors.contains("systemTrayWindowChanged"), errors.constData());
    QVERIFY(QFileInfo(shot).size() > 0);
    QCOMPARE(TempModules::snapshotOf(m_userData->path()), userBefore);
    QCOMPARE(TempModules::snapshotOf(m_prefix.filePath("share/qx7-config")), m_shippedBefore);
}

void TestInstalledTree::autostartEntryStartsInstalledProgram()
{
    const QString entry = m_userData->filePath("config/autostart/qx7-config.desktop");
    Run r = ctl({"autostart", "status"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.output, QStringLiteral("off\n"));
    QCOMPARE(ctl({"autostart", "on"}).status, 0);
    r = ctl({"autostart", "status"});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.output.startsWith("on: " + entry + " starts "), qPrintable(r.output));

    // The Exec line as the desktop reads it: the file's escapes undone, then split at the quotes.
    QFile file(entry);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QString exec;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.startsWith("Exec=")) {
            exec = line.mid(5).replace("\\\\", "\\");
        }
    }
    QStringList command;
    QString word;
    bool quoted = false;
    for (int i = 0; i < exec.size(); ++i) {
        if (exec.at(i) == '"') {
            quoted = !quoted;
        } else if (quoted && exec.at(i) == '\\' && i + 1 < exec.size()) {
            word += exec.at(++i);
        } else if (!quoted && exec.at(i) == ' ') {
            command << word;
            word.clear();
        } else {
            word += exec.at(i);
        }
    }
    command << word;
    QCOMPARE(command, (QStringList {m_prefix.filePath("bin/qx7-config"), "--autostart"}));

    QProcess started;
    started.setProcessEnvironment(environment());
    started.setProcessChannelMode(QProcess::MergedChannels);
    started.start(command.first(), command.mid(1));
    QVERIFY(started.waitForStarted());
    QString seen;
    while (!seen.contains("Device DisConnect") && started.waitForReadyRead(60000)) {
        seen += QString::fromLocal8Bit(started.readAll());
    }
    QVERIFY2(seen.contains("Device DisConnect"), qPrintable(seen));
    started.terminate();
    QVERIFY(started.waitForFinished(30000));

    QCOMPARE(ctl({"autostart", "off"}).status, 0);
    QVERIFY(!QFile::exists(entry));
    QCOMPARE(ctl({"autostart", "status"}).output, QStringLiteral("off\n"));
    QCOMPARE(ctl({"autostart", "maybe"}).status, 1);
}

QTEST_GUILESS_MAIN(TestInstalledTree)
#include "TestInstalledTree.moc"
