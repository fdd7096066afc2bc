#include "DesktopPointer.h"
#include "KeyfileSettings.h"
#include "PointerSettingsLinux.h"
#include "TempModules.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Stands in for a platform layer: takes every value it is given.
class RecordingSettings : public PointerSettings
{
public:
    QList<uint32_t> written;

protected:
    bool writePointerSpeed(uint32_t speed) override { return record(speed); }
    bool writeDoubleClickTime(uint32_t milliseconds) override { return record(milliseconds); }
    bool writeWheelScrollLines(uint32_t lines) override { return record(lines); }

private:
    bool record(uint32_t value)
    {
        written.append(value);
        return true;
    }
};

} // namespace

// The desktop's pointer settings through GNOME's real settings service, stored in a private
// keyfile database, and the ranges every platform layer keeps.
class TestPointerSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void valuesLand_data();
    void valuesLand();
    void missingSchema();
    void rangesHoldForEveryPlatform_data();
    void rangesHoldForEveryPlatform();

private:
    QString stored(const QString& key) const;

    KeyfileSettings m_desktop;
};

void TestPointerSettings::initTestCase()
{
    QVERIFY(m_desktop.start());
    if (!PointerSettingsLinux().available()) {
        QSKIP("gsettings-desktop-schemas is not installed");
    }
}

QString TestPointerSettings::stored(const QString& key) const
{
    return m_desktop.value(QString::fromLatin1(KeyfileSettings::MouseGroup), key);
}

void TestPointerSettings::valuesLand_data()
{
    QTest::addColumn<QString>("key"); // speed, double-click, or scroll for the wheel lines
    QTest::addColumn<uint>("index");
    QTest::addColumn<double>("value"); // NaN: refused, the stored value stays
    const double refused = qQNaN();
    // The index doubles to a speed of at least 1, then maps onto -1..1 with 10 in the middle.
    QTest::newRow("speed 0 is the slowest") << "speed" << 0u << -1.0;
    QTest::newRow("speed, index too large to double refused") << "speed" << 0x80000001u << refused;
    QTest::newRow("speed 4") << "speed" << 4u << -2.0 / 9;
    QTest::newRow("speed 5 is the default") << "speed" << 5u << 0.0;
    QTest::newRow("speed 6") << "speed" << 6u << 0.2;
    QTest::newRow("speed 10 is the fastest") << "speed" << 10u << 1.0;
    QTest::newRow("speed 11 refused") << "speed" << 11u << refused;
    // 900 ms less 70 per step; a time below 0 does not wrap.
    QTest::newRow("double click 0") << "double-click" << 0u << 900.0;
    QTest::newRow("double click 11, beyond the screen") << "double-click" << 11u << 130.0;
    QTest::newRow("double click 12, 60 ms refused") << "double-click" << 12u << refused;
    QTest::newRow("double click, step times 70 would wrap to 900") << "double-click" << 0x80000000u << refused;
    QTest::newRow("no scroll lines setting") << "scroll" << 3u << refused;
}

void TestPointerSettings::valuesLand()
{
    QFETCH(QString, key);
    QFETCH(uint, index);
    QFETCH(double, value);
    DesktopPointer pointer;
    const auto set = [&](uint n) {
        return key == "speed"          ? pointer.mouseSetCursorSpeed(n)
               : key == "double-click" ? pointer.mouseSetDoubleClickSpeed(n)
                                       : pointer.mouseSetVerticalScrollLines(n);
    };
    if (!qIsNaN(value)) {
        QVERIFY(set(index));
        bool number = false;
        const double actual = stored(key).toDouble(&number);
        QVERIFY(number);
        QVERIFY2(qAbs(actual - value) < 1e-9, qPrintable(QString::number(actual)));
        return;
    }
    if (key != QLatin1String("scroll")) {
        QVERIFY(set(3));
    }
    const QString before = stored(key);
    const char* line = key == QLatin1String("speed")          ? "setCursorSpeed Failed"
                       : key == QLatin1String("double-click") ? "setDoubleClickSpeed Failed"
                                                              : "setVerticalScrollLines Failed";
    QTest::ignoreMessage(QtDebugMsg, line);
    QVERIFY(!set(index));
    QCOMPARE(stored(key), before);
}

void TestPointerSettings::missingSchema()
{
    const QString compiler = QStandardPaths::findExecutable(QStringLiteral("glib-compile-schemas"));
    if (compiler.isEmpty()) {
        QSKIP("glib-compile-schemas is not installed");
    }
    // A valid compiled schema folder that lacks the mouse schema.
    QTemporaryDir schemas;
    QVERIFY(TempModules::writeFile(schemas.filePath(QStringLiteral("org.example.other.gschema.xml")),
                                   "<schemalist><schema id=\"org.example.other\" path=\"/org/example/other/\">"
                                   "<key name=\"speed\" type=\"d\"><default>0</default></key></schema></schemalist>"));
    QCOMPARE(QProcess::execute(compiler, {schemas.path()}), 0);

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

void TestPointerSettings::rangesHoldForEveryPlatform_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<uint>("value");
    QTest::addColumn<bool>("taken");
    // clang-format off
    QTest::newRow("speed 0") << "speed" << 0u << false;
    QTest::newRow("speed 1") << "speed" << 1u << true;
    QTest::newRow("speed 20") << "speed" << 20u << true;
    QTest::newRow("speed 21") << "speed" << 21u << false;
    QTest::newRow("double-click 99") << "double-click" << 99u << false;
    QTest::newRow("double-click 100") << "double-click" << 100u << true;
    QTest::newRow("double-click 5000") << "double-click" << 5000u << true;
    QTest::newRow("double-click 5001") << "double-click" << 5001u << false;
    QTest::newRow("double-click, wrapped negative") << "double-click" << uint(-10) << false;
    QTest::newRow("scroll 0") << "scroll" << 0u << false;
    QTest::newRow("scroll 1") << "scroll" << 1u << true;
    QTest::newRow("scroll 100") << "scroll" << 100u << true;
    QTest::newRow("scroll 101") << "scroll" << 101u << false;
    QTest::newRow("scroll a screen") << "scroll" << 1000u << true;
    QTest::newRow("scroll 1001") << "scroll" << 1001u << false;
    // clang-format on
}

void TestPointerSettings::rangesHoldForEveryPlatform()
{
    QFETCH(QString, key);
    QFETCH(uint, value);
    QFETCH(bool, taken);
    RecordingSettings settings;
    const bool done = key == "speed"          ? settings.setPointerSpeed(value)
                      : key == "double-click" ? settings.setDoubleClickTime(value)
                                              : settings.setWheelScrollLines(value);
    QCOMPARE(done, taken);
    QCOMPARE(settings.written, taken ? QList<uint32_t> {value} : QList<uint32_t> {});
}

QTEST_GUILESS_MAIN(TestPointerSettings)
#include "TestPointerSettings.moc"
