#include "KeyMap.h"

#include <QTest>

#include <set>

// The tables themselves are checked through the translations in TestInputHook, and further X key
// codes there through the events a window receives.
class TestKeyMap : public QObject
{
    Q_OBJECT

private slots:
    void everyKeyHasItsOwnUsage();
    void xKeycodes_data();
    void xKeycodes();
};

void TestKeyMap::everyKeyHasItsOwnUsage()
{
    const auto scanToVk = KeyMap::buildScanToVk();
    const auto vkToUsage = KeyMap::buildVkToUsage(false);
    std::set<uint8_t> vks;
    for (const auto& [key, vk] : scanToVk) {
        QVERIFY2(vkToUsage.count(vk) == 1, qPrintable(QString::number(key, 16)));
        QVERIFY2(vks.insert(vk).second, qPrintable(QString::number(key, 16)));
    }
}

void TestKeyMap::xKeycodes_data()
{
    QTest::addColumn<uint>("keycode");
    QTest::addColumn<bool>("known");
    QTest::addColumn<int>("scan");
    QTest::addColumn<bool>("extended");
    QTest::newRow("Right Shift") << 62u << true << 0x36 << true;
    QTest::newRow("keypad .") << 91u << true << 0x53 << false;
    QTest::newRow("Num Lock") << 77u << true << 0x45 << true;
    QTest::newRow("Pause") << 127u << true << 0x45 << false;
    QTest::newRow("102nd key") << 94u << true << 0x56 << false;
    QTest::newRow("F23") << 201u << true << 0x6E << false;
    QTest::newRow("unassigned 84") << 92u << false << 0 << false;
    QTest::newRow("below the offset") << 7u << false << 0 << false;
    QTest::newRow("mute") << 121u << false << 0 << false;
}

void TestKeyMap::xKeycodes()
{
    QFETCH(uint, keycode);
    QFETCH(bool, known);
    QFETCH(int, scan);
    QFETCH(bool, extended);
    uint8_t actualScan = 0;
    bool actualExtended = false;
    QCOMPARE(KeyMap::xKeycodeToScan(keycode, actualScan, actualExtended), known);
    if (known) {
        QCOMPARE(int(actualScan), scan);
        QCOMPARE(actualExtended, extended);
    }
}

QTEST_APPLESS_MAIN(TestKeyMap)
#include "TestKeyMap.moc"
