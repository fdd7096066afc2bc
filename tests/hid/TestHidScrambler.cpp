// The scrambling transform and the handshake that relies on it.
#include "HidScrambler.h"
#include "VirtualLink.h"

#include <QTest>

using TestSupport::bytes;
using TestSupport::raw;

namespace {

QByteArray secrecyCode()
{
    return QByteArray(reinterpret_cast<const char*>(Hid_Thread::SecrecyCode), 8);
}

} // namespace

class TestHidScrambler : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void knownAnswers_data();
    void knownAnswers();
    void scrambledFrameCarriesPlainChecksum();
    void handshake_data();
    void handshake();
    void handshakeFailsWhenTokenTaken();
    void codeOfOtherLengthKeepsPrevious_data();
    void codeOfOtherLengthKeepsPrevious();
};

void TestHidScrambler::init()
{
    std::fill(std::begin(Hid_Thread::SecrecyCode), std::end(Hid_Thread::SecrecyCode), 0);
}

void TestHidScrambler::knownAnswers_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("scrambled");
    // Worked out by hand, step by step: pair swap (0-5 1-4 2-7 3-6), XOR of bytes 1-6 with the code,
    // rotation left by 3 across all eight bytes, then each byte plus the nibble-swapped key character
    // (a5 07 75 17 84 87 c4 46 for "ZpWqHxLd"). Code "731540" is 37 33 31 35 34 30.
    // clang-format off
    QTest::newRow("zero code shows the key alone") << QByteArray(8, '\0') << bytes("0001020304050607") << bytes("cd27ad478c87dc56");
    QTest::newRow("rotation carries byte 0 into byte 7") << QByteArray(8, '\0') << bytes("0000000000e00000") << bytes("a50775178487c44d");
    QTest::newRow("report-rate frame, code 731540") << bytes("00373331353430 00") << bytes("01020000000000fc") << bytes("a6c5eea03d304446");
    QTest::newRow("code bytes 0 and 7 unused") << bytes("5a373331353430a5") << bytes("01020000000000fc") << bytes("a6c5eea03d304446");
    // clang-format on
}

void TestHidScrambler::knownAnswers()
{
    QFETCH(QByteArray, code);
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, scrambled);
    QByteArray work = plain;
    HidScrambler::encrypt(raw(work), raw(code));
    QCOMPARE(work, scrambled);
    HidScrambler::decipher(raw(work), raw(code));
    QCOMPARE(work, plain);
}

void TestHidScrambler::scrambledFrameCarriesPlainChecksum()
{
    VirtualMouse::Config config;
    config.device.isEncode = true;
    VirtualLink v(config);
    v.link.hid553_01H_SetReportRate(2);
    // The plain frame 00 01 02 00 00 00 00 00 fc, scrambled with code 731540 (see knownAnswers).
    QCOMPARE(v.log.at(0), QStringLiteral("feature-out 00 a6 c5 ee a0 3d 30 44 46"));
    QCOMPARE(v.mouse.state().reportRate, 2);
}

void TestHidScrambler::handshake_data()
{
    QTest::addColumn<bool>("encode");
    QTest::addColumn<QString>("linkCode");
    QTest::addColumn<QString>("mouseCode");
    QTest::addColumn<bool>("passes");
    // clang-format off
    QTest::newRow("plain, codes differ but are never used") << false << "731540" << "999999" << true;
    QTest::newRow("scrambled, same code") << true << "Qx7Abc" << "Qx7Abc" << true;
    QTest::newRow("scrambled, other code") << true << "731540" << "731541" << false;
    // clang-format on
}

void TestHidScrambler::handshake()
{
    QFETCH(bool, encode);
    QFETCH(QString, linkCode);
    QFETCH(QString, mouseCode);
    QFETCH(bool, passes);

    VirtualMouse::Config config;
    config.device.isEncode = encode;
    config.device.sCode = mouseCode;
    VirtualLink v(config);
    v.changeRecord([&](DeviceRecord& r) { r.sCode = linkCode; });
    v.link.setDeviceIndex(5);
    QCOMPARE(v.link.chkDeviceIsEnCode(0), passes);
    QCOMPARE(v.link.deviceIndex(), 0);
    QCOMPARE(secrecyCode().mid(1, 6), linkCode.toLatin1());
    QCOMPARE(v.log.size(), 2);
    QVERIFY(v.link.hidFree());
}

void TestHidScrambler::handshakeFailsWhenTokenTaken()
{
    VirtualLink v;
    v.link.setHidFree(false);
    QTest::ignoreMessage(QtDebugMsg, "cmd Failed 00");
    QVERIFY(!v.link.chkDeviceIsEnCode(0));
    QCOMPARE(v.mouse.state().featureReports, 0);
}

void TestHidScrambler::codeOfOtherLengthKeepsPrevious_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("five") << "12345";
    QTest::newRow("seven") << "1234567";
}

void TestHidScrambler::codeOfOtherLengthKeepsPrevious()
{
    QFETCH(QString, code);
    VirtualLink v;
    v.changeRecord([](DeviceRecord& r) { r.sCode = QStringLiteral("abcdef"); });
    v.link.chkDeviceIsEnCode(0);
    v.changeRecord([&](DeviceRecord& r) { r.sCode = code; });
    v.link.chkDeviceIsEnCode(0);
    QCOMPARE(secrecyCode(), bytes("00616263646566 00"));
}

QTEST_GUILESS_MAIN(TestHidScrambler)
#include "TestHidScrambler.moc"
