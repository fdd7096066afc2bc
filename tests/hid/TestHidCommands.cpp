// Every command's frame, block and pauses as the virtual mouse sees them, for both command sets.
#include "VirtualLink.h"

#include <QRegularExpression>
#include <QTest>
#include <functional>

using TestSupport::bytes;
using TestSupport::familyConfig;
using TestSupport::outputReports;
using TestSupport::raw;
using TestSupport::sleeps;
using Command = std::function<void(Hid_Thread&)>;
using Read = std::function<QByteArray(Hid_Thread&)>;
Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(Read)

namespace {

QString feature(const char* hex)
{
    return QStringLiteral("feature-out ") + QString::fromLatin1(bytes(hex).toHex(' '));
}

QByteArray counting(int length, int start)
{
    QByteArray block(length, '\0');
    for (int i = 0; i < length; ++i) {
        block[i] = static_cast<char>(start + i);
    }
    return block;
}

QByteArray got(const unsigned char* b, int n)
{
    return QByteArray(reinterpret_cast<const char*>(b), n);
}

} // namespace

class TestHidCommands : public QObject
{
    Q_OBJECT

private slots:
    void writes_data();
    void writes();
    void seriesStopsAfterFirstOnGunMouse();
    void reads_data();
    void reads();
    void profileReadTakesImage();
};

void TestHidCommands::writes_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<Command>("command");
    QTest::addColumn<QStringList>("expected");

    const QStringList settle = sleeps({64, 64});
    const QStringList brief {"sleep 8"};
    static QByteArray matrix = counting(64, 1);
    static QByteArray macro = counting(128, 0x40);
    static QByteArray dpi = counting(8, 0x10);
    static QByteArray colors = counting(24, 0x80);
    static QByteArray image = counting(128, 0x20);
    static QByteArray rgb = bytes("0a0b0c");
    const auto block = [&](const QByteArray& b) { return settle + outputReports(b, 32) + settle; };
    // clang-format off
    QTest::newRow("553 01H report rate") << "553" << Command([](Hid_Thread& h) { h.hid553_01H_SetReportRate(0x02); }) << QStringList {feature("00 01 02 00 00 00 00 00 fc")} + settle;
    QTest::newRow("553 02H key matrix") << "553" << Command([](Hid_Thread& h) { h.hid553_02H_SetCurrentKeyMatrix(3); }) << QStringList {feature("00 02 03 00 00 00 00 00 fa")} + settle;
    QTest::newRow("553 03H options, 8 ms after") << "553" << Command([](Hid_Thread& h) { h.hid553_03H_SetKeyboardoption(1, 2, 3, 0x40); }) << QStringList {feature("00 03 01 02 03 40 00 00 b6")} + brief;
    QTest::newRow("553 04H gun data leaves byte 2 zero") << "553" << Command([](Hid_Thread& h) { h.hid553_04H_SetGunData(5, 6, 7, 2); }) << QStringList {feature("00 04 00 05 06 07 02 00 e7")} + brief;
    QTest::newRow("553 0BH stage") << "553" << Command([](Hid_Thread& h) { h.hid553_0BH_SetCurrentDPI(3); }) << QStringList {feature("00 0b 03 00 00 00 00 00 f1")} + settle;
    QTest::newRow("553 0CH fixed colour") << "553" << Command([](Hid_Thread& h) { h.hid553_0CH_SetFixLEDColor(raw(rgb)); }) << QStringList {feature("00 0c 0a 0b 0c 00 00 00 d2")} + settle;
    QTest::newRow("553 0DH effect") << "553" << Command([](Hid_Thread& h) { h.hid553_0DH_SetRGBLedEffect(1, 2, 3); }) << QStringList {feature("00 0d 01 02 03 00 00 00 ec")} + settle;
    QTest::newRow("553 10H type 2 sends four bytes") << "553" << Command([](Hid_Thread& h) { h.hid553_10H_SetLED8StageColor(2, raw(colors)); }) << QStringList {feature("00 10 02 04 00 00 00 00 e9")} + block(colors.left(4));
    QTest::newRow("553 10H type 1 sends 24 bytes") << "553" << Command([](Hid_Thread& h) { h.hid553_10H_SetLED8StageColor(1, raw(colors)); }) << QStringList {feature("00 10 01 18 00 00 00 00 d6")} + block(colors);
    QTest::newRow("553 11H dpi set, one report padded") << "553" << Command([](Hid_Thread& h) { h.hid553_11H_SetDPISet(3, raw(dpi)); }) << QStringList {feature("00 11 03 08 00 00 00 00 e3")} + block(dpi);
    QTest::newRow("553 12H key matrix, two reports") << "553" << Command([](Hid_Thread& h) { h.hid553_12H_SetKeyMatrix(raw(matrix), 1); }) << QStringList {feature("00 12 01 40 08 00 00 00 a4")} + block(matrix);
    QTest::newRow("553 13H macro, four reports") << "553" << Command([](Hid_Thread& h) { h.hid553_13H_SetMacroKey(12, raw(macro)); }) << QStringList {feature("00 13 0c 80 00 00 00 00 60")} + block(macro);
    QTest::newRow("560 01H options") << "560" << Command([](Hid_Thread& h) { h.hid560_01H_SetKeyboardoption(0x08, 0x22); }) << QStringList {feature("00 01 08 22 00 00 00 00 d4")} + brief;
    QTest::newRow("560 02H profile") << "560" << Command([](Hid_Thread& h) { h.hid560_02H_SetCurrentProfile(1); }) << QStringList {feature("00 02 01 00 00 00 00 00 fc")} + brief;
    QTest::newRow("560 03H report rate series") << "560" << Command([](Hid_Thread& h) { h.hid560_03H_SetReportRate(2); }) << QStringList {feature("00 03 01 02 00 00 00 00 f9")} + settle + QStringList {feature("00 03 02 02 00 00 00 00 f8")} + settle + QStringList {feature("00 03 03 02 00 00 00 00 f7")} + settle + QStringList {feature("00 03 04 02 00 00 00 00 f6")} + settle;
    QTest::newRow("560 04H stage series") << "560" << Command([](Hid_Thread& h) { h.hid560_04H_SetCurrentDPI(3); }) << QStringList {feature("00 04 01 03 00 00 00 00 f7")} + settle + QStringList {feature("00 04 02 03 00 00 00 00 f6")} + settle + QStringList {feature("00 04 03 03 00 00 00 00 f5")} + settle + QStringList {feature("00 04 04 03 00 00 00 00 f4")} + settle;
    QTest::newRow("560 0CH profile image") << "560" << Command([](Hid_Thread& h) { h.hid560_0CH_setProfile(raw(image), 4); }) << QStringList {feature("00 0c 04 80 00 00 00 00 6f")} + block(image);
    QTest::newRow("560 0DH key matrix, last 64 bytes zero") << "560" << Command([](Hid_Thread& h) { h.hid560_0DH_SetKeyMatrix(raw(matrix), 1); }) << QStringList {feature("00 0d 01 80 00 00 00 00 71")} + block(matrix + QByteArray(64, '\0'));
    QTest::newRow("560 0FH macro") << "560" << Command([](Hid_Thread& h) { h.hid560_0FH_SetMacroKey(1, raw(macro)); }) << QStringList {feature("00 0f 01 80 00 00 00 00 6f")} + block(macro);
    // clang-format on
}

void TestHidCommands::writes()
{
    QFETCH(QString, set);
    QFETCH(Command, command);
    QFETCH(QStringList, expected);

    VirtualLink v(familyConfig(set));
    command(v.link);
    QCOMPARE(v.log, expected);
    QVERIFY(v.link.hidFree());
    QCOMPARE(v.link.lastOutcome(), Hid_Thread::Outcome::Ok);
    QCOMPARE(v.mouse.state().rejectedFrames, 0);
    QCOMPARE(v.mouse.openHandles(), 0);
}

void TestHidCommands::seriesStopsAfterFirstOnGunMouse()
{
    VirtualLink v(familyConfig("560"));
    v.owner.gun = true;
    v.link.hid560_03H_SetReportRate(2);
    QCOMPARE(v.log, QStringList {feature("00 03 01 02 00 00 00 00 f9")} + sleeps({64, 64}));
    v.clearLog();
    v.link.hid560_04H_SetCurrentDPI(3);
    QCOMPARE(v.log, QStringList {feature("00 04 01 03 00 00 00 00 f7")} + sleeps({64, 64}));
}

void TestHidCommands::reads_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<Read>("command");
    QTest::addColumn<QString>("request");
    QTest::addColumn<QByteArray>("results");
    // The mouse holds options 12 34 56 01, stage 4 and profile 3.
    // clang-format off
    QTest::newRow("553 83H options") << "553" << Read([](Hid_Thread& h) { unsigned char b[4] = {}; h.hid553_83H_GetKeyboardoption(b[0], b[1], b[2], b[3]); return got(b, 4); }) << feature("00 83 00 00 00 00 00 00 7c") << bytes("12345601");
    QTest::newRow("553 8BH stage") << "553" << Read([](Hid_Thread& h) { unsigned char b = 0; h.hid553_8BH_GetCurrentDPI(b); return got(&b, 1); }) << feature("00 8b 00 00 00 00 00 00 74") << bytes("04");
    QTest::newRow("553 00H echoes the challenge") << "553" << Read([](Hid_Thread& h) { unsigned char b[4] = {0xde, 0xad, 0xbe, 0xef}; h.hid553_00H_GetSecrecyCode(b[0], b[1], b[2], b[3]); return got(b, 4); }) << feature("00 00 de ad be ef 00 00 c7") << bytes("deadbeef");
    QTest::newRow("560 81H options") << "560" << Read([](Hid_Thread& h) { unsigned char b[2] = {}; h.hid560_81H_GetKeyboardoption(b[0], b[1]); return got(b, 2); }) << feature("00 81 00 00 00 00 00 00 7e") << bytes("1234");
    QTest::newRow("560 82H profile") << "560" << Read([](Hid_Thread& h) { unsigned char b = 0; h.hid560_82H_GetCurrentProfile(b); return got(&b, 1); }) << feature("00 82 00 00 00 00 00 00 7d") << bytes("03");
    QTest::newRow("560 84H stage") << "560" << Read([](Hid_Thread& h) { unsigned char b[2] = {1, 0}; h.hid560_84H_GetCurrentDPI(b[0], b[1]); return got(b, 2); }) << feature("00 84 01 00 00 00 00 00 7a") << bytes("0104");
    // clang-format on
}

void TestHidCommands::reads()
{
    QFETCH(QString, set);
    QFETCH(Read, command);
    QFETCH(QString, request);
    QFETCH(QByteArray, results);

    for (bool encode : {false, true}) {
        VirtualMouse::Config config = familyConfig(set);
        config.device.isEncode = encode;
        VirtualLink v(config);
        v.mouse.setActiveStage(4);
        v.mouse.setCurrentProfile(3);
        QCOMPARE(command(v.link), results);
        QCOMPARE(v.log.size(), 2);
        // Scrambled, the report id stays and the rest changes.
        QCOMPARE(v.log.at(0) == request, !encode);
        QVERIFY(v.log.at(0).startsWith(QStringLiteral("feature-out 00 ")));
        QVERIFY(v.log.at(1).startsWith(QStringLiteral("feature-in 00 ")));
        QCOMPARE(v.mouse.state().rejectedFrames, 0);
        QVERIFY(v.link.hidFree());
        QCOMPARE(v.link.lastOutcome(), Hid_Thread::Outcome::Ok);
    }
}

void TestHidCommands::profileReadTakesImage()
{
    VirtualLink v(familyConfig("560"));
    QByteArray image(128, '\x55');
    v.link.hid560_8CH_readProfile(raw(image), 2);
    QCOMPARE(image, VirtualMouse::initialProfileImage(2));
    QCOMPARE(v.log.at(0), feature("00 8c 02 00 00 00 00 00 71"));
    QVERIFY(v.log.at(1).startsWith(QStringLiteral("feature-in")));
    QCOMPARE(v.log.filter(QRegularExpression("^input ")).size(), 4);
    QCOMPARE(v.log.size(), 6);
}

QTEST_GUILESS_MAIN(TestHidCommands)
#include "TestHidCommands.moc"
