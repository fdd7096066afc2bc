// The link's token, device paths, failure paths and wire trace.
#include "HidTrace.h"
#include "HidapiTransport.h"
#include "VirtualLink.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <functional>
#include <thread>

using TestSupport::bytes;
using TestSupport::outputReports;
using TestSupport::raw;
using TestSupport::sleeps;
using Command = std::function<void(Hid_Thread&)>;
Q_DECLARE_METATYPE(Command)

class TestHidLink : public QObject
{
    Q_OBJECT

private slots:
    void busyTokenGivesUp_data();
    void busyTokenGivesUp();
    void busyReadKeepsCallerValues();
    void commandStartedInsideAnotherGivesUp();
    void commandStartedInPauseGivesUp();
    void absentDeviceSendsNothing();
    void failedOpenEmptiesPath();
    void outOfRangeDeviceIndexIsAbsent();
    void unplugDuringBlockWrite();
    void unplugDuringBlockRead();
    void silentDeviceEndsBlockRead();
    void failedReplyHandsBackCallerValues();
    void oddReportLengths_data();
    void oddReportLengths();
    void traceLines();
    void openErrorIsPerThread();
    void zeroTimeoutReadPolls();
    void otherDevicesPassedOn();
};

void TestHidLink::busyTokenGivesUp_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("trace");
    // Every command takes the token the same way; one block write and one series stand for them.
    static QByteArray block(128, '\x11');
    // clang-format off
    QTest::newRow("553 block") << Command([](Hid_Thread& h) { h.hid553_13H_SetMacroKey(1, raw(block)); }) << "cmd Failed 13";
    QTest::newRow("560 series") << Command([](Hid_Thread& h) { h.hid560_03H_SetReportRate(1); }) << "cmd Failed 03";
    // clang-format on
}

void TestHidLink::busyTokenGivesUp()
{
    QFETCH(Command, command);
    QFETCH(QString, trace);
    VirtualLink v;
    v.link.setHidFree(false);
    QTest::ignoreMessage(QtDebugMsg, trace.toLatin1().constData());
    command(v.link);
    QCOMPARE(v.clock.pauses, QList<int>(255, 8));
    QCOMPARE(v.mouse.state().featureReports, 0);
    QCOMPARE(v.link.lastOutcome(), Hid_Thread::Outcome::TokenBusy);
    QVERIFY(!v.link.hidFree());
}

void TestHidLink::busyReadKeepsCallerValues()
{
    VirtualLink v;
    v.link.setHidFree(false);
    unsigned char o[4] = {0xa1, 0xa2, 0xa3, 0xa4};
    QByteArray image(128, '\x42');
    QTest::ignoreMessage(QtDebugMsg, "cmd Failed 83");
    v.link.hid553_83H_GetKeyboardoption(o[0], o[1], o[2], o[3]);
    QTest::ignoreMessage(QtDebugMsg, "cmd Failed 8c");
    v.link.hid560_8CH_readProfile(raw(image), 1);
    QCOMPARE(QByteArray(reinterpret_cast<char*>(o), 4), bytes("a1a2a3a4"));
    QCOMPARE(image, QByteArray(128, '\x42'));
    QCOMPARE(v.mouse.state().featureReports, 0);
}

void TestHidLink::commandStartedInsideAnotherGivesUp()
{
    // A call handled by the event processing inside a running exchange finds the token taken.
    VirtualLink v;
    QByteArray macro(128, '\x21');
    unsigned char inner = 0x77;
    QTimer::singleShot(0, [&] { v.link.hid553_8BH_GetCurrentDPI(inner); });
    QTest::ignoreMessage(QtDebugMsg, "cmd Failed 8BH");
    v.link.hid553_13H_SetMacroKey(1, raw(macro));
    QCOMPARE(inner, 0x77);
    QCOMPARE(v.clock.pauses.count(8), 255);
    QCOMPARE(v.mouse.state().macros.value(1), macro);
    QCOMPARE(v.mouse.state().featureReports, 1);
    QVERIFY(v.link.hidFree());
}

void TestHidLink::commandStartedInPauseGivesUp()
{
    // Pauses on the GUI thread turn the event loop: a command started in the middle of a block
    // finds the token taken and gives up, and the block goes out as it would have anyway.
    VirtualLink v;
    v.clock.turnEvents = true;
    QByteArray macro(128, '\x21');
    unsigned char inner = 0x77;
    bool armed = false;
    v.mouse.setWireLogger([&](const QByteArray& line) {
        v.log.append(QString::fromLatin1(line));
        if (line.startsWith("output") && !armed) {
            armed = true;
            QTimer::singleShot(0, [&] { v.link.hid553_8BH_GetCurrentDPI(inner); });
        }
    });
    QTest::ignoreMessage(QtDebugMsg, "cmd Failed 8BH");
    v.link.hid553_13H_SetMacroKey(1, raw(macro));
    QCOMPARE(inner, 0x77);
    QVERIFY(v.link.hidFree());

    const QStringList settle = sleeps({64, 64});
    const QStringList expected
        = QStringList {"feature-out 00 13 01 80 00 00 00 00 6b"} + settle + outputReports(macro, 32) + settle;
    // The inner command's polls sit in the pause after the first output report.
    const int afterFirstGap = 5;
    QCOMPARE(v.log.mid(afterFirstGap, 255), QStringList(255, "sleep 8"));
    QCOMPARE(v.log.mid(0, afterFirstGap) + v.log.mid(afterFirstGap + 255), expected);
}

void TestHidLink::absentDeviceSendsNothing()
{
    VirtualLink v;
    v.changeRecord([](DeviceRecord& r) { r.path.clear(); });
    unsigned char stage = 9;
    v.link.hid553_8BH_GetCurrentDPI(stage);
    v.link.hid553_01H_SetReportRate(1);
    QCOMPARE(stage, 9);
    QVERIFY(v.link.hidFree());
    QCOMPARE(v.mouse.state().featureReports, 0);
    QVERIFY(v.log.isEmpty());
    QCOMPARE(v.link.lastOutcome(), Hid_Thread::Outcome::Failed);
}

void TestHidLink::failedOpenEmptiesPath()
{
    VirtualLink v;
    v.mouse.unplug();
    v.link.hid553_01H_SetReportRate(1);
    QVERIFY(v.record().path.isEmpty());
    QVERIFY(!v.record().path2.isEmpty());
    QVERIFY(v.link.hidFree());
    // Plugged in again, the link stays away until the monitor gives it the path back.
    v.mouse.plug();
    v.link.hid553_01H_SetReportRate(2);
    QCOMPARE(v.mouse.state().featureReports, 0);
    v.changeRecord([&](DeviceRecord& r) { r.path = QString::fromLatin1(v.mouse.commandPath()); });
    v.link.hid553_01H_SetReportRate(2);
    QCOMPARE(v.mouse.state().reportRate, 2);
}

void TestHidLink::outOfRangeDeviceIndexIsAbsent()
{
    VirtualLink v;
    for (int index : {1, -1, 100}) {
        v.link.setDeviceIndex(index);
        v.link.hid553_01H_SetReportRate(1);
        QVERIFY(v.link.hidFree());
        QVERIFY(!v.link.chkDeviceIsEnCode(index));
    }
    QCOMPARE(v.mouse.state().featureReports, 0);
}

void TestHidLink::unplugDuringBlockWrite()
{
    VirtualLink v;
    QByteArray macro(128, '\x33');
    v.mouse.unplugAfterReports(2);
    v.link.hid553_13H_SetMacroKey(1, raw(macro));
    const VirtualMouse::State s = v.mouse.state();
    QCOMPARE(s.featureReports, 1);
    QCOMPARE(s.outputReports, 1);
    QVERIFY(!s.macros.contains(1));
    QVERIFY(v.link.hidFree());
    QCOMPARE(v.link.lastOutcome(), Hid_Thread::Outcome::Failed);
    QCOMPARE(v.mouse.openHandles(), 0);
}

void TestHidLink::unplugDuringBlockRead()
{
    VirtualLink v(TestSupport::familyConfig("560"));
    QByteArray image(128, '\x42');
    // Request, reply and one input report get through.
    v.mouse.unplugAfterReports(3);
    v.link.hid560_8CH_readProfile(raw(image), 0);
    QCOMPARE(image.left(32), VirtualMouse::initialProfileImage(0).left(32));
    QCOMPARE(image.mid(32), QByteArray(96, '\x42'));
    QVERIFY(v.link.hidFree());
    QCOMPARE(v.link.lastOutcome(), Hid_Thread::Outcome::Failed);
}

void TestHidLink::silentDeviceEndsBlockRead()
{
    // Profile 9 does not exist: the mouse answers the request but sends no image.
    VirtualLink v(TestSupport::familyConfig("560"));
    QByteArray image(128, '\x42');
    v.link.hid560_8CH_readProfile(raw(image), 9);
    QCOMPARE(image, QByteArray(128, '\x42'));
    QVERIFY(v.link.hidFree());
    QCOMPARE(v.link.lastOutcome(), Hid_Thread::Outcome::Failed);
}

void TestHidLink::failedReplyHandsBackCallerValues()
{
    VirtualLink v;
    unsigned char o[4] = {1, 2, 3, 4};
    v.mouse.unplugAfterReports(1);
    v.link.hid553_83H_GetKeyboardoption(o[0], o[1], o[2], o[3]);
    QCOMPARE(QByteArray(reinterpret_cast<char*>(o), 4), bytes("01020304"));
    // The secrecy-code read hands back zeros instead.
    VirtualLink w;
    unsigned char c[4] = {9, 9, 9, 9};
    w.mouse.unplugAfterReports(1);
    w.link.hid553_00H_GetSecrecyCode(c[0], c[1], c[2], c[3]);
    QCOMPARE(QByteArray(reinterpret_cast<char*>(c), 4), QByteArray(4, '\0'));
}

void TestHidLink::oddReportLengths_data()
{
    QTest::addColumn<int>("reportLength");
    QTest::addColumn<bool>("carriesBlock");
    QTest::newRow("zero") << 0 << false;
    QTest::newRow("one byte") << 1 << true;
    QTest::newRow("the largest") << 4096 << true;
    QTest::newRow("past the largest") << 4097 << false;
    QTest::newRow("huge") << 0x7fffffff << false;
    QTest::newRow("larger than the block buffer") << 600 << true;
    QTest::newRow("not a divisor of the block") << 48 << true;
}

void TestHidLink::oddReportLengths()
{
    QFETCH(int, reportLength);
    QFETCH(bool, carriesBlock);

    VirtualLink v(TestSupport::familyConfig("560"));
    v.changeRecord([&](DeviceRecord& r) { r.reportLength = reportLength; });
    QByteArray block(128, '\x5c');
    v.link.hid560_0FH_SetMacroKey(2, raw(block));
    QCOMPARE(v.mouse.state().macros.contains(2), carriesBlock);
    if (carriesBlock) {
        QCOMPARE(v.mouse.state().macros.value(2), block);
        const QStringList outputs = v.log.filter(QRegularExpression("^output "));
        QCOMPARE(outputs.size(), (128 + reportLength - 1) / reportLength);
        // Each report is reportLength + 1 bytes, printed as that many pairs.
        QCOMPARE(outputs.first().count(' '), reportLength + 1);
    }
    QVERIFY(v.link.hidFree());

    QByteArray image(128, '\x42');
    v.link.hid560_8CH_readProfile(raw(image), 3);
    if (carriesBlock && reportLength >= 32) {
        // The mouse sends 32-byte reports; what a longer report slot leaves empty comes back as zeros.
        QCOMPARE(image.left(32), VirtualMouse::initialProfileImage(3).left(32));
    } else if (!carriesBlock) {
        QCOMPARE(image, QByteArray(128, '\x42'));
    }
    QVERIFY(v.link.hidFree());
}

void TestHidLink::traceLines()
{
    VirtualLink v;
    QList<QByteArray> lines;
    HidTrace::setSink([&](const QByteArray& line) { lines.append(line); });
    HidTrace::setEnabled(true);
    QByteArray dpi = bytes("0102030405060708");
    v.link.hid553_11H_SetDPISet(2, raw(dpi));
    unsigned char stage = 0;
    v.link.hid553_8BH_GetCurrentDPI(stage);
    HidTrace::setEnabled(false);
    HidTrace::setSink({});

    QList<QByteArray> expected = {"hid feature-out 00 11 02 08 00 00 00 00 e4", "hid sleep 64", "hid sleep 64"};
    expected << "hid output 00 01 02 03 04 05 06 07 08" + QByteArray(" 00").repeated(24);
    expected << "hid sleep 120"
             << "hid sleep 64"
             << "hid sleep 64"
             << "hid feature-out 00 8b 00 00 00 00 00 00 74"
             << "hid feature-in 00 8b 01 00 00 00 00 00 73";
    QCOMPARE(lines, expected);
}

void TestHidLink::openErrorIsPerThread()
{
    // The listener opens on its own thread; what it learns must not replace what the device
    // check learned on the GUI thread.
    QTemporaryDir dir;
    HidapiTransport hidapi;
    QVERIFY(!hidapi.open(QFile::encodeName(dir.path())));
    QCOMPARE(hidapi.lastOpenError(), EISDIR);
    int listenerError = 0;
    std::thread listener([&] {
        hidapi.open(QFile::encodeName(dir.filePath("gone")));
        listenerError = hidapi.lastOpenError();
    });
    listener.join();
    QCOMPARE(listenerError, ENOENT);
    QCOMPARE(hidapi.lastOpenError(), EISDIR);
}

void TestHidLink::zeroTimeoutReadPolls()
{
    VirtualLink v;
    HidHandle* events = v.mouse.open(v.mouse.eventPath());
    QVERIFY(events);
    unsigned char report[64] = {};
    // Nothing queued: a zero timeout answers at once instead of waiting for a report.
    QCOMPARE(v.mouse.readTimeout(events, report, sizeof report, 0), 0);
    v.mouse.pressDpiButton();
    QVERIFY(v.mouse.readTimeout(events, report, sizeof report, 0) > 0);
    v.mouse.close(events);
}

// The virtual mouse beside other devices (demo mode): their paths and handles reach the next
// transport, every call to the right one; alone, it fails them as hidapi does.
void TestHidLink::otherDevicesPassedOn()
{
    VirtualMouse::Config config;
    config.device.pid = 0xa1ef;
    VirtualMouse other(config);
    VirtualMouse mouse({}, &other);
    QCOMPARE(mouse.enumerate(0, 0).size(), 4);
    const QList<HidDeviceInfo> found = mouse.enumerate(0x04d9, 0xa1ef);
    QCOMPARE(found.size(), 2);
    QCOMPARE(found.at(0).path, other.commandPath());

    HidHandle* command = mouse.open(other.commandPath());
    HidHandle* events = mouse.open(other.eventPath());
    QVERIFY(command && events);
    QCOMPARE(other.openHandles(), 2);
    QCOMPARE(mouse.openHandles(), 0);
    QCOMPARE(mouse.setNonBlocking(command, true), 0);
    const HidFrame::Frame frame = HidFrame::build(0x00, {1, 2, 3, 4});
    QCOMPARE(mouse.sendFeatureReport(command, frame.data(), frame.size()), HidFrame::FrameSize);
    unsigned char reply[HidFrame::FrameSize] = {};
    QCOMPARE(mouse.getFeatureReport(command, reply, sizeof reply), HidFrame::FrameSize);
    QVERIFY(std::equal(frame.begin(), frame.end(), reply));
    const unsigned char output[33] = {};
    QCOMPARE(mouse.write(command, output, sizeof output), 33);
    other.pressDpiButton();
    other.pressDpiButton();
    unsigned char report[64] = {};
    QVERIFY(mouse.readTimeout(events, report, sizeof report, 1000) > 0);
    QVERIFY(mouse.read(events, report, sizeof report) > 0);
    QCOMPARE(mouse.readTimeout(events, report, sizeof report, 0), 0);
    const VirtualMouse::State state = other.state();
    QCOMPARE(state.featureReports, 1);
    QCOMPARE(state.outputReports, 1);
    QCOMPARE(mouse.state().featureReports, 0);

    VirtualMouse alone({});
    QCOMPARE(alone.open(other.commandPath()), nullptr);
    QCOMPARE(alone.setNonBlocking(command, true), -1);
    QCOMPARE(alone.sendFeatureReport(command, frame.data(), frame.size()), -1);
    QCOMPARE(alone.getFeatureReport(command, reply, sizeof reply), -1);
    QCOMPARE(alone.write(command, output, sizeof output), -1);
    QCOMPARE(alone.read(events, report, sizeof report), -1);
    QCOMPARE(alone.readTimeout(events, report, sizeof report, 0), -1);
    mouse.close(command);
    mouse.close(events);
    QCOMPARE(other.openHandles(), 0);
}

QTEST_GUILESS_MAIN(TestHidLink)
#include "TestHidLink.moc"
