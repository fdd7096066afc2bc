// The scrambling transforms and the handshake that relies on them.
#include "HidScrambler.h"
#include "VirtualLink.h"

#include <QRandomGenerator>
#include <QTest>

using TestSupport::bytes;

namespace {

QByteArray apply(void (*step)(unsigned char*), QByteArray block)
{
    step(reinterpret_cast<unsigned char*>(block.data()));
    return block;
}

unsigned char* raw(QByteArray& b)
{
    return reinterpret_cast<unsigned char*>(b.data());
}

QByteArray codeBytes(const QByteArray& six)
{
    QByteArray code(8, '\0');
    for (int i = 0; i < six.size() && i < 6; ++i) {
        code[i + 1] = six[i];
    }
    return code;
}

} // namespace

class TestHidScrambler : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void steps_data();
    void steps();
    void knownAnswers_data();
    void knownAnswers();
    void roundTrip();
    void zeroCodeLeavesXorStepAlone();
    void outerCodeBytesHaveNoEffect();
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

void TestHidScrambler::steps_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QByteArray>("in");
    QTest::addColumn<QByteArray>("out");
    QTest::newRow("pair swap") << 0 << bytes("0001020304050607") << bytes("0504070601000302");
    QTest::newRow("rotate left carries across the ends") << 1 << bytes("8000000000000001") << bytes("000000000000000c");
    QTest::newRow("rotate right undoes it") << 2 << bytes("000000000000000c") << bytes("8000000000000001");
    QTest::newRow("rotate left moves bits between bytes")
        << 1 << bytes("01e0000000000000") << bytes("0f00000000000000");
}

void TestHidScrambler::steps()
{
    QFETCH(int, step);
    QFETCH(QByteArray, in);
    QFETCH(QByteArray, out);
    void (*steps[])(unsigned char*) = {HidScrambler::swapPairs, HidScrambler::rotateLeft3, HidScrambler::rotateRight3};
    QCOMPARE(apply(steps[step], in), out);
}

void TestHidScrambler::knownAnswers_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("scrambled");
    // Worked out by hand, step by step: pair swap, XOR with the code, rotation left by 3, then each
    // byte plus the nibble-swapped key character (a5 07 75 17 84 87 c4 46 for "ZpWqHxLd").
    // clang-format off
    QTest::newRow("zero code shows the key alone") << codeBytes("") << bytes("0001020304050607") << bytes("cd27ad478c87dc56");
    QTest::newRow("report-rate frame, code 731540") << codeBytes("731540") << bytes("01020000000000fc") << bytes("a6c5eea03d304446");
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

void TestHidScrambler::roundTrip()
{
    QRandomGenerator random(20261206);
    int changed = 0;
    for (int i = 0; i < 20000; ++i) {
        QByteArray block(8, '\0');
        QByteArray code(8, '\0');
        for (int k = 0; k < 8; ++k) {
            block[k] = static_cast<char>(random.bounded(256));
            code[k] = static_cast<char>(random.bounded(256));
        }
        QByteArray work = block;
        HidScrambler::encrypt(raw(work), raw(code));
        changed += work != block;
        HidScrambler::decipher(raw(work), raw(code));
        QCOMPARE(work, block);
    }
    // A transform that changed nothing would pass the round trip too.
    QVERIFY(changed > 19900);
}

void TestHidScrambler::zeroCodeLeavesXorStepAlone()
{
    QByteArray block = bytes("1122334455667788");
    QByteArray zero(8, '\0');
    QByteArray work = block;
    HidScrambler::xorCode(raw(work), raw(zero));
    QCOMPARE(work, block);
    QByteArray code = codeBytes("731540");
    HidScrambler::xorCode(raw(work), raw(code));
    QVERIFY(work != block);
}

void TestHidScrambler::outerCodeBytesHaveNoEffect()
{
    QByteArray code = codeBytes("ab12cd");
    QByteArray outer = code;
    outer[0] = '\x5a';
    outer[7] = '\xa5';
    QByteArray a = bytes("0102030405060708");
    QByteArray b = a;
    HidScrambler::encrypt(raw(a), raw(code));
    HidScrambler::encrypt(raw(b), raw(outer));
    QCOMPARE(a, b);
    HidScrambler::decipher(raw(a), raw(code));
    HidScrambler::decipher(raw(b), raw(outer));
    QCOMPARE(a, b);
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
    QTest::newRow("plain") << false << "731540"
                           << "731540" << true;
    QTest::newRow("plain, codes differ but are never used") << false << "731540"
                                                            << "999999" << true;
    QTest::newRow("scrambled, same code") << true << "731540"
                                          << "731540" << true;
    QTest::newRow("scrambled, other code") << true << "731540"
                                           << "731541" << false;
    QTest::newRow("scrambled, letters") << true << "Qx7Abc"
                                        << "Qx7Abc" << true;
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
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(Hid_Thread::SecrecyCode) + 1, 6), linkCode.toLatin1());
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
    QTest::newRow("empty") << "";
}

void TestHidScrambler::codeOfOtherLengthKeepsPrevious()
{
    QFETCH(QString, code);
    VirtualLink v;
    v.changeRecord([](DeviceRecord& r) { r.sCode = QStringLiteral("abcdef"); });
    v.link.chkDeviceIsEnCode(0);
    v.changeRecord([&](DeviceRecord& r) { r.sCode = code; });
    v.link.chkDeviceIsEnCode(0);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(Hid_Thread::SecrecyCode), 8), codeBytes("abcdef"));
}

QTEST_GUILESS_MAIN(TestHidScrambler)
#include "TestHidScrambler.moc"
