// The macro byte encoding: event pairs, short and long delays, the encoded length and the stored
// text of each action.
#include "MacroEncoder.h"

#include <QTest>

namespace {

// A press of A, delays adding up to ms (each at most 65535, as the editor allows), a release of A.
QStringList pressDelayRelease(qint64 ms)
{
    QStringList list {QStringLiteral("1,A")};
    while (ms > 0) {
        const qint64 step = qMin<qint64>(ms, 65535);
        list << QStringLiteral("0,%1").arg(step);
        ms -= step;
    }
    list << QStringLiteral("2,A");
    return list;
}

} // namespace

class TestMacroEncoder : public QObject
{
    Q_OBJECT

private slots:
    void deCode_data();
    void deCode();
    void labelsFollowTheLanguage();
};

void TestMacroEncoder::deCode_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<int>("repeat");
    QTest::addColumn<QByteArray>("bytes");
    // fromHex skips the spaces that group the pairs.
    const auto row = [](const char* name, const QStringList& actions, int repeat, const char* hex) {
        QTest::newRow(name) << actions << repeat << QByteArray::fromHex(hex);
    };
    row("press, 50 ms, release", {"1,A", "0,50", "2,A"}, 1, "0001 0504 8104 0000");
    row("repeat count high byte first", {"1,A", "0,50", "2,A"}, 0x1234, "1234 0504 8104 0000");
    row("repeat count 0 raised to 1", {}, 0, "0001");
    row("repeat count capped", {}, 70000, "ffff");
    row("only delays", {"0,100", "0,5"}, 1, "0001");
    row("single action at the end", {"0,100", "1,A"}, 1, "0001");
    row("single action with trailing delay", {"1,A", "0,50"}, 1, "0001 0104 0000");
    row("leading delays skipped", {"0,500", "0,20", "1,A", "0,50", "2,A"}, 1, "0001 0504 8104 0000");
    row("no delay written as 1", {"1,A", "2,A", "1,B"}, 1, "0001 0104 8104 0105 0000");
    row("press rounds half a unit up", {"1,A", "0,55", "2,A"}, 1, "0001 0604 8104 0000");
    row("press rounds down below half", {"1,A", "0,54", "2,A"}, 1, "0001 0504 8104 0000");
    row("release drops the fraction", {"2,A", "0,59", "1,A"}, 1, "0001 8504 0104 0000");
    row("delays below a unit never write 0", {"1,A", "0,4", "2,A", "0,9", "1,B"}, 1, "0001 0104 8104 0105 0000");
    row("delays between two actions add up", {"1,A", "0,500", "0,700", "2,A"}, 1, "0001 7804 8104 0000");
    row("largest short delay", {"1,A", "0,1260", "2,A"}, 1, "0001 7e04 8104 0000");
    row("press rounding up to 127 stays short", {"1,A", "0,1265", "2,A"}, 1, "0001 7f04 8104 0000");
    row("127 units is long", {"1,A", "0,1270", "2,A"}, 1, "0001 0004 0001 003f 8104 0000");
    row("long delay after a release keeps bit 7", {"2,A", "0,2000", "1,A"}, 1, "0001 8004 0001 0064 0104 0000");
    row("mouse buttons", {"3,MS-L", "0,20", "4,MS-L", "3,MS-B5"}, 1, "0001 02f0 81f0 01f4 0000");
    row("last action ignores trailing delay", {"1,A", "0,50", "2,A", "0,3000"}, 1, "0001 0504 8104 0000");
    row("unknown label left out, delays merge", {"1,A", "0,50", "1,Nope", "0,50", "2,A"}, 1, "0001 0a04 8104 0000");
    row("unknown type left out", {"1,A", "7,B", "x,B", "", "0,50", "2,A"}, 1, "0001 0504 8104 0000");
    row("comma label", {"1,,", "0,50", "2,,"}, 1, "0001 0536 8136 0000");
    row("non-US hash and Intl3 keep their codes", {"1,#~", "0,50", "2,Intl3"}, 1, "0001 0532 8189 0000");
    row("labels stored before them load as always", {"1,\\", "0,50", "2,Intl2"}, 1, "0001 0531 8188 0000");
    row("bad delays count as 0", {"1,A", "0,-50", "0,abc", "0,", "2,A"}, 1, "0001 0104 8104 0000");
    // A long delay: 00 and the step unit, then the count of steps, high byte first.
    const auto longRow = [](const char* name, qint64 ms, int unit, int count) {
        const QString hex = QStringLiteral("0001 0004 00%1 %2 8104 0000")
                                .arg(unit, 2, 16, QLatin1Char('0'))
                                .arg(count, 4, 16, QLatin1Char('0'));
        QTest::newRow(name) << pressDelayRelease(ms) << 1 << QByteArray::fromHex(hex.toLatin1());
    };
    longRow("20 ms steps", 1500, 1, 75);
    longRow("20 ms steps round down", 1519, 1, 75);
    longRow("last 20 ms step", 999990, 1, 49999);
    longRow("first 50 ms step", 1000000, 2, 20000);
    longRow("last 50 ms step", 2999990, 2, 59999);
    longRow("first 100 ms step", 3000000, 3, 30000);
    longRow("last 100 ms step", 5999990, 3, 59999);
    longRow("600000 units still fits", 6000000, 3, 60000);
    longRow("largest count", 6553599, 3, 65535);
    longRow("capped", 6553600, 3, 65535);
}

void TestMacroEncoder::deCode()
{
    QFETCH(QStringList, actions);
    QFETCH(int, repeat);
    QFETCH(QByteArray, bytes);
    const auto parsed = MacroEncoder::parseActions(actions);
    QCOMPARE(MacroEncoder::deCode(parsed, repeat).toHex(), bytes.toHex());
    QCOMPARE(MacroEncoder::encodedLength(parsed, repeat), bytes.size());
    // What the editor stores reads back unchanged, labels with commas included.
    for (int i = 0; i < actions.size(); ++i) {
        if (parsed[i].type >= 0) {
            QCOMPARE(parsed[i].toStoredText(), actions[i]);
        }
    }
}

void TestMacroEncoder::labelsFollowTheLanguage()
{
    const KeyLabelTable german(QStringList {QStringLiteral("Ä")});
    const auto actions = MacroEncoder::parseActions({"1,Ä", "0,50", "2,Ä"});
    QCOMPARE(MacroEncoder::deCode(actions, 1, german).toHex(), QByteArray("0001050481040000"));
    QCOMPARE(MacroEncoder::deCode(actions, 1).toHex(), QByteArray("0001"));
}

QTEST_APPLESS_MAIN(TestMacroEncoder)
#include "TestMacroEncoder.moc"
