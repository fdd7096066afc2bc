// Sensor codes of DPI values; what the device operations send with them is in the flows table.
#include "DpiEncoding.h"

#include <QTest>

class TestDpiEncoding : public QObject
{
    Q_OBJECT

private slots:
    void codes_data();
    void codes();
};

void TestDpiEncoding::codes_data()
{
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("highBit");
    QTest::newRow("3360 400") << "3360" << 400 << 0x03 << false;
    QTest::newRow("4090 5000") << "4090" << 5000 << 0x31 << false;
    QTest::newRow("4090 5200") << "4090" << 5200 << 0x5a << false;
    QTest::newRow("4090 below range") << "4090" << 50 << 0xff << false;
    QTest::newRow("unknown is 4090") << "" << 5200 << 0x5a << false;
    QTest::newRow("case matters") << "3360x" << 5200 << 0x5a << false;
    QTest::newRow("3050 800") << "3050" << 800 << 0x04 << false;
    QTest::newRow("3050 250") << "3050" << 250 << 0x01 << false;
    QTest::newRow("3050 2200") << "3050" << 2200 << 0x45 << false;
    QTest::newRow("3050 4000") << "3050" << 4000 << 0x48 << false;
    QTest::newRow("3050 4500") << "3050" << 4500 << 0x00 << false;
    QTest::newRow("3389 16000") << "3389" << 16000 << 0x40 << true;
    QTest::newRow("3389 12800") << "3389" << 12800 << 0x00 << true;
    QTest::newRow("3389 12750") << "3389" << 12750 << 0xff << false;
}

void TestDpiEncoding::codes()
{
    QFETCH(QString, sensor);
    QFETCH(int, value);
    QFETCH(int, code);
    QFETCH(bool, highBit);
    const DpiEncoding::Code c = DpiEncoding::encode(sensor, value);
    QCOMPARE(int(c.code), code);
    QCOMPARE(c.highBit, highBit);
}

QTEST_GUILESS_MAIN(TestDpiEncoding)
#include "TestDpiEncoding.moc"
