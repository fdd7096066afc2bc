#include "DesktopPointer.h"
#include "PointerSettingsLinux.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The desktop's pointer settings through GNOME's real settings service, stored in a private
// keyfile database.
class TestPointerSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void conversions_data();
    void conversions();
    void cursorSpeedLands_data();
    void cursorSpeedLands();
    void doubleClickLands_data();
    void doubleClickLands();
    void refusedValuesKeepTheOldOne_data();
    void refusedValuesKeepTheOldOne();
    void noScrollLinesSetting_data();
    void noScrollLinesSetting();
    void missingSchema();

private:
    QString stored(const QString& key) const;

    QTemporaryDir m_config;
};

void TestPointerSettings::initTestCase()
{
    QVERIFY(m_config.isValid());
    // Must be set before GIO picks its settings database, that is before the first use.
    qputenv("GSETTINGS_BACKEND", "keyfile");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    if (!PointerSettingsLinux().available()) {
        QSKIP("gsettings-desktop-schemas is not installed");
    }
}

QString TestPointerSettings::stored(const QString& key) const
{
    QFile file(m_config.filePath(QStringLiteral("glib-2.0/settings/keyfile")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return QString();
    }
    bool inMouse = false;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1Char('['))) {
            inMouse = line.trimmed() == QLatin1String("[org/gnome/desktop/peripherals/mouse]");
        } else if (inMouse && line.section(QLatin1Char('='), 0, 0).trimmed() == key) {
            return line.section(QLatin1Char('='), 1).trimmed();
        }
    }
    return QString();
}

void TestPointerSettings::conversions_data()
{
    QTest::addColumn<uint>("index");
    QTest::addColumn<uint>("speed");
    QTest::addColumn<uint>("doubleClick");
    QTest::newRow("0") << 0u << 1u << 900u;
    QTest::newRow("1") << 1u << 2u << 830u;
    QTest::newRow("2") << 2u << 4u << 760u;
    QTest::newRow("5") << 5u << 10u << 550u;
    QTest::newRow("9") << 9u << 18u << 270u;
    QTest::newRow("10") << 10u << 20u << 200u;
    QTest::newRow("11") << 11u << 22u << 130u;
    QTest::newRow("13, unsigned wrap") << 13u << 26u << 4294967286u;
    QTest::newRow("product wraps to 0") << 0x80000000u << 1u << 900u;
}

void TestPointerSettings::conversions()
{
    QFETCH(uint, index);
    QFETCH(uint, speed);
    QFETCH(uint, doubleClick);
    QCOMPARE(uint(DesktopPointer::pointerSpeed(index)), speed);
    QCOMPARE(uint(DesktopPointer::doubleClickTime(index)), doubleClick);
}

void TestPointerSettings::cursorSpeedLands_data()
{
    QTest::addColumn<uint>("index");
    QTest::addColumn<double>("gnomeSpeed");
    QTest::newRow("0 is the slowest") << 0u << -1.0;
    QTest::newRow("1") << 1u << -8.0 / 9;
    QTest::newRow("4") << 4u << -2.0 / 9;
    QTest::newRow("5 is the default") << 5u << 0.0;
    QTest::newRow("6") << 6u << 0.2;
    QTest::newRow("10 is the fastest") << 10u << 1.0;
}

void TestPointerSettings::cursorSpeedLands()
{
    QFETCH(uint, index);
    QFETCH(double, gnomeSpeed);
    DesktopPointer pointer;
    QVERIFY(pointer.mouseSetCursorSpeed(index));
    bool number = false;
    const double value = stored(QStringLiteral("speed")).toDouble(&number);
    QVERIFY(number);
    QVERIFY2(qAbs(value - gnomeSpeed) < 1e-9, qPrintable(QString::number(value)));
}

void TestPointerSettings::doubleClickLands_data()
{
    QTest::addColumn<uint>("index");
    QTest::addColumn<QString>("milliseconds");
    QTest::newRow("0") << 0u << "900";
    QTest::newRow("3") << 3u << "690";
    QTest::newRow("10") << 10u << "200";
    QTest::newRow("12, beyond the screen") << 12u << "60";
}

void TestPointerSettings::doubleClickLands()
{
    QFETCH(uint, index);
    QFETCH(QString, milliseconds);
    DesktopPointer pointer;
    QVERIFY(pointer.mouseSetDoubleClickSpeed(index));
    QCOMPARE(stored(QStringLiteral("double-click")), milliseconds);
}

void TestPointerSettings::refusedValuesKeepTheOldOne_data()
{
    QTest::addColumn<bool>("cursor");
    QTest::addColumn<uint>("index");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("line");
    QTest::newRow("speed 22") << true << 11u << "speed"
                              << "setCursorSpeed Failed";
    QTest::newRow("speed far out") << true << 1000u << "speed"
                                   << "setCursorSpeed Failed";
    QTest::newRow("negative time") << false << 13u << "double-click"
                                   << "setDoubleClickSpeed Failed";
}

void TestPointerSettings::refusedValuesKeepTheOldOne()
{
    QFETCH(bool, cursor);
    QFETCH(uint, index);
    QFETCH(QString, key);
    QFETCH(QString, line);
    DesktopPointer pointer;
    QVERIFY(cursor ? pointer.mouseSetCursorSpeed(3) : pointer.mouseSetDoubleClickSpeed(3));
    const QString before = stored(key);
    QVERIFY(!before.isEmpty());

    QTest::ignoreMessage(QtDebugMsg, qPrintable(line));
    QVERIFY(!(cursor ? pointer.mouseSetCursorSpeed(index) : pointer.mouseSetDoubleClickSpeed(index)));
    QCOMPARE(stored(key), before);
}

void TestPointerSettings::noScrollLinesSetting_data()
{
    QTest::addColumn<uint>("lines");
    QTest::newRow("3") << 3u;
    QTest::newRow("one screen at a time") << 1000u;
}

void TestPointerSettings::noScrollLinesSetting()
{
    QFETCH(uint, lines);
    DesktopPointer pointer;
    QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed");
    QVERIFY(!pointer.mouseSetVerticalScrollLines(lines));
}

void TestPointerSettings::missingSchema()
{
    const QString compiler = QStandardPaths::findExecutable(QStringLiteral("glib-compile-schemas"));
    if (compiler.isEmpty()) {
        QSKIP("glib-compile-schemas is not installed");
    }
    // A valid compiled schema folder that lacks the mouse schema.
    QTemporaryDir schemas;
    QFile xml(schemas.filePath(QStringLiteral("org.example.other.gschema.xml")));
    QVERIFY(xml.open(QIODevice::WriteOnly));
    xml.write("<schemalist><schema id=\"org.example.other\" path=\"/org/example/other/\">"
              "<key name=\"speed\" type=\"d\"><default>0</default></key></schema></schemalist>");
    xml.close();
    QCOMPARE(QProcess::execute(compiler, {schemas.path()}), 0);
    QVERIFY(QFile::exists(schemas.filePath(QStringLiteral("gschemas.compiled"))));

    auto settings = std::make_unique<PointerSettingsLinux>(QFile::encodeName(schemas.path()).toStdString());
    QVERIFY(!settings->available());
    DesktopPointer pointer(std::move(settings));
    QTest::ignoreMessage(QtDebugMsg, "setCursorSpeed Failed");
    QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed");
    QTest::ignoreMessage(QtDebugMsg, "setDoubleClickSpeed Failed");
    QVERIFY(!pointer.mouseSetCursorSpeed(5));
    QVERIFY(!pointer.mouseSetVerticalScrollLines(3));
    QVERIFY(!pointer.mouseSetDoubleClickSpeed(5));

    // The system folder, which has the schema, works the same way.
    const QString installed = QStringLiteral("/usr/share/glib-2.0/schemas");
    if (QFile::exists(installed + QStringLiteral("/gschemas.compiled"))) {
        QVERIFY(PointerSettingsLinux(QFile::encodeName(installed).toStdString()).available());
    }
}

QTEST_GUILESS_MAIN(TestPointerSettings)
#include "TestPointerSettings.moc"
