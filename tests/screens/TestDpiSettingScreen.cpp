// What qx7ctl takes as a typed DPI value, and what it names instead of one it refuses; the screen's
// flows are cases of the screens' flows table.
#include "DpiSettingScreen.h"

#include <QTest>

class TestDpiSettingScreen : public QObject
{
    Q_OBJECT

private slots:
    void nearestValues_data();
    void nearestValues();
};

void TestDpiSettingScreen::nearestValues_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QList<int>>("nearest");
    // clang-format off
    QTest::newRow("on the step")  << 800   << QList<int> {800};
    QTest::newRow("lowest")       << 200   << QList<int> {200};
    QTest::newRow("highest")      << 12000 << QList<int> {12000};
    QTest::newRow("off the step") << 825   << QList<int> {800, 850};
    QTest::newRow("below range")  << 150   << QList<int> {200};
    QTest::newRow("above range")  << 99999 << QList<int> {12000};
    QTest::newRow("negative")     << -400  << QList<int> {200};
    // clang-format on
}

// What qx7ctl takes as typed, and what it names instead of a value it refuses.
void TestDpiSettingScreen::nearestValues()
{
    QFETCH(int, value);
    QFETCH(QList<int>, nearest);
    QCOMPARE(DpiSettingScreen::nearestValues(value, 200, 12000, 50), nearest);
}

QTEST_GUILESS_MAIN(TestDpiSettingScreen)
#include "TestDpiSettingScreen.moc"
