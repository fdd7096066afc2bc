// The keyboard-option update and the DPI event listener.
#include "VirtualLink.h"

#include <QTest>

using TestSupport::bytes;

class TestHidListener : public QObject
{
    Q_OBJECT

private slots:
    void eventReportsStage_data();
    void eventReportsStage();
    void otherReportsChangeNothing_data();
    void otherReportsChangeNothing();
    void emptyEventPathEndsAtOnce();
    void unplugDisablesView();
    void optionBit_data();
    void optionBit();
    void unreadableOptionsAreNotWritten();
    void restartKeepsOneListener();
};

void TestHidListener::eventReportsStage_data()
{
    QTest::addColumn<int>("stage");
    QTest::newRow("1") << 1;
    QTest::newRow("7") << 7;
    QTest::newRow("0") << 0;
    QTest::newRow("255") << 255;
}

void TestHidListener::eventReportsStage()
{
    QFETCH(int, stage);
    VirtualLink v;
    v.link.initKeyboardoption(0);
    v.mouse.sendEventReport(QByteArray("\x06\x07\x00", 3) + char(stage));
    QTRY_COMPARE(v.owner.stages(), QList<int> {stage});
    v.link.stopListen();
    v.link.waitListener();
    QCOMPARE(v.owner.stages(), QList<int> {stage});
}

void TestHidListener::otherReportsChangeNothing_data()
{
    QTest::addColumn<QByteArray>("report");
    QTest::newRow("06 08") << bytes("06080003");
    QTest::newRow("05 07") << bytes("05070003");
    QTest::newRow("three bytes") << bytes("060700");
}

void TestHidListener::otherReportsChangeNothing()
{
    QFETCH(QByteArray, report);
    VirtualLink v;
    v.link.initKeyboardoption(0);
    v.mouse.sendEventReport(report);
    // A real event behind it proves the odd one was read and passed over.
    v.mouse.pressDpiButton();
    QTRY_COMPARE(v.owner.stages(), QList<int> {2});
    v.link.stopListen();
    v.link.waitListener();
    QCOMPARE(v.owner.stages(), QList<int> {2});
}

void TestHidListener::emptyEventPathEndsAtOnce()
{
    VirtualLink v;
    v.changeRecord([](DeviceRecord& r) { r.path2.clear(); });
    v.link.initKeyboardoption(0);
    v.link.waitListener();
    // Not listening any more, so the device check takes device-change notices again.
    QVERIFY(!v.link.isListening());
    QVERIFY(v.owner.viewEnabled());
}

void TestHidListener::unplugDisablesView()
{
    VirtualLink v;
    v.link.initKeyboardoption(0);
    QTest::ignoreMessage(QtDebugMsg, "Device removed");
    v.mouse.unplug();
    QTRY_VERIFY(!v.link.isListening());
    v.link.waitListener();
    QVERIFY(!v.owner.viewEnabled());
    QVERIFY(v.link.deviceRecord(0).path2.isEmpty());
}

void TestHidListener::optionBit_data()
{
    QTest::addColumn<bool>("is560");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("553 sets 0x40 in the fourth") << false << bytes("12345601") << bytes("12345641");
    QTest::newRow("553 keeps a set bit") << false << bytes("ffffffff") << bytes("ffffffff");
    QTest::newRow("560 sets 0x08 in the first") << true << bytes("12345601") << bytes("1a345601");
}

void TestHidListener::optionBit()
{
    QFETCH(bool, is560);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    VirtualLink v(TestSupport::familyConfig(is560 ? "560" : "553"));
    std::array<unsigned char, 4> options;
    std::copy(before.begin(), before.end(), options.begin());
    v.mouse.setKeyboardOptions(options);
    QVERIFY(v.link.updateKeyboardoption());
    const auto now = v.mouse.state().keyboardOptions;
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(now.data()), 4), after);
}

void TestHidListener::unreadableOptionsAreNotWritten()
{
    VirtualLink v;
    // The request gets through, the reply does not.
    v.mouse.unplugAfterReports(1);
    QVERIFY(!v.link.updateKeyboardoption());
    v.mouse.plug();
    QCOMPARE(v.mouse.state().featureReports, 1);
    QCOMPARE(v.mouse.state().keyboardOptions[3], 0x01);
}

void TestHidListener::restartKeepsOneListener()
{
    VirtualLink v;
    v.link.initKeyboardoption(0);
    v.link.initKeyboardoption(0);
    v.mouse.pressDpiButton();
    QTRY_COMPARE(v.owner.stages(), QList<int> {2});
    // A second listener would have raced for the same report or shown it twice.
    v.mouse.pressDpiButton();
    QTRY_COMPARE(v.owner.stages(), (QList<int> {2, 3}));
    v.link.stopListen();
    v.link.waitListener();
    QCOMPARE(v.owner.stages(), (QList<int> {2, 3}));
}

QTEST_GUILESS_MAIN(TestHidListener)
#include "TestHidListener.moc"
