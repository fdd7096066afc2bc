#include "KeyMap.h"

#include <QTest>

#include <set>

class TestKeyMap : public QObject
{
    Q_OBJECT

private slots:
    void tableSizes();
    void joinedRows_data();
    void joinedRows();
    void extraVirtualKeys_data();
    void extraVirtualKeys();
    void backslashByLayout();
    void xKeycodes_data();
    void xKeycodes();
};

void TestKeyMap::tableSizes()
{
    const auto scanToVk = KeyMap::buildScanToVk();
    const auto vkToUsage = KeyMap::buildVkToUsage(false);
    QCOMPARE(scanToVk.size(), size_t(105));
    QCOMPARE(vkToUsage.size(), size_t(121));
    for (const auto& [key, vk] : scanToVk) {
        QVERIFY2(vkToUsage.count(vk) == 1, qPrintable(QString::number(key, 16)));
    }
    // No two keys share a virtual key: each key has its own usage.
    std::set<uint8_t> vks;
    for (const auto& entry : scanToVk) {
        vks.insert(entry.second);
    }
    QCOMPARE(vks.size(), size_t(105));
}

void TestKeyMap::joinedRows_data()
{
    QTest::addColumn<int>("scan");
    QTest::addColumn<bool>("extended");
    QTest::addColumn<int>("vk");
    QTest::addColumn<int>("usage");

    QTest::newRow("Esc") << 0x01 << false << 0x1B << 0x29;
    QTest::newRow("9") << 0x0A << false << 0x39 << 0x26;
    QTest::newRow("Backspace") << 0x0E << false << 0x08 << 0x2A;
    QTest::newRow("P") << 0x19 << false << int('P') << 0x13;
    QTest::newRow("Enter") << 0x1C << false << 0x0D << 0x28;
    QTest::newRow("A") << 0x1E << false << int('A') << 0x04;
    QTest::newRow("grave") << 0x29 << false << 0xC0 << 0x35;
    QTest::newRow("Z") << 0x2C << false << int('Z') << 0x1D;
    QTest::newRow("slash") << 0x35 << false << 0xBF << 0x38;
    QTest::newRow("keypad *") << 0x37 << false << 0x6A << 0x55;
    QTest::newRow("F10") << 0x44 << false << 0x79 << 0x43;
    QTest::newRow("Pause") << 0x45 << false << 0x13 << 0x48;
    QTest::newRow("keypad 1") << 0x4F << false << 0x61 << 0x59;
    QTest::newRow("keypad .") << 0x53 << false << 0x6E << 0x63;
    QTest::newRow("102nd key") << 0x56 << false << 0xE2 << 0x64;
    QTest::newRow("F12") << 0x58 << false << 0x7B << 0x45;
    QTest::newRow("F23") << 0x6E << false << 0x86 << 0x72;
    QTest::newRow("keypad Enter") << 0x1C << true << 0x0E << 0x58;
    QTest::newRow("keypad /") << 0x35 << true << 0x6F << 0x54;
    QTest::newRow("Right Shift") << 0x36 << true << 0xA1 << 0xE5;
    QTest::newRow("Print Screen") << 0x37 << true << 0x2C << 0x46;
    QTest::newRow("Num Lock") << 0x45 << true << 0x90 << 0x53;
    QTest::newRow("Down") << 0x50 << true << 0x28 << 0x51;
    QTest::newRow("Delete") << 0x53 << true << 0x2E << 0x4C;
    QTest::newRow("Left Windows") << 0x5B << true << 0x5B << 0xE3;
    QTest::newRow("Application") << 0x5D << true << 0x5D << 0x65;
}

void TestKeyMap::joinedRows()
{
    QFETCH(int, scan);
    QFETCH(bool, extended);
    QFETCH(int, vk);
    QFETCH(int, usage);
    const auto scanToVk = KeyMap::buildScanToVk();
    const auto vkToUsage = KeyMap::buildVkToUsage(false);
    const auto vkEntry = scanToVk.find(static_cast<uint16_t>(scan << 8 | (extended ? 1 : 0)));
    QVERIFY(vkEntry != scanToVk.end());
    QCOMPARE(int(vkEntry->second), vk);
    QCOMPARE(int(vkToUsage.at(vkEntry->second)), usage);
}

void TestKeyMap::extraVirtualKeys_data()
{
    QTest::addColumn<int>("vk");
    QTest::addColumn<int>("usage");
    QTest::newRow("Right Windows") << 0x5C << 0xE7;
    QTest::newRow("F13") << 0x7C << 0x68;
    QTest::newRow("F22") << 0x85 << 0x71;
    QTest::newRow("F24") << 0x87 << 0x73;
    QTest::newRow("0xC1") << 0xC1 << 0x87;
    QTest::newRow("0xC2") << 0xC2 << 0x85;
    QTest::newRow("0xEB") << 0xEB << 0x8B;
    QTest::newRow("0xFF") << 0xFF << 0x66;
}

void TestKeyMap::extraVirtualKeys()
{
    QFETCH(int, vk);
    QFETCH(int, usage);
    const auto vkToUsage = KeyMap::buildVkToUsage(false);
    QCOMPARE(int(vkToUsage.at(static_cast<uint8_t>(vk))), usage);
    // No scan code leads to these, Right Windows in particular.
    for (const auto& entry : KeyMap::buildScanToVk()) {
        QVERIFY(entry.second != vk);
    }
}

void TestKeyMap::backslashByLayout()
{
    QCOMPARE(int(KeyMap::buildVkToUsage(false).at(0xDC)), 0x31);
    QCOMPARE(int(KeyMap::buildVkToUsage(true).at(0xDC)), 0x32);
    QCOMPARE(int(KeyMap::buildScanToVk().at(0x2B << 8)), 0xDC);
}

void TestKeyMap::xKeycodes_data()
{
    QTest::addColumn<uint>("keycode");
    QTest::addColumn<bool>("known");
    QTest::addColumn<int>("scan");
    QTest::addColumn<bool>("extended");
    QTest::newRow("Esc") << 9u << true << 0x01 << false;
    QTest::newRow("A") << 38u << true << 0x1E << false;
    QTest::newRow("Enter") << 36u << true << 0x1C << false;
    QTest::newRow("keypad Enter") << 104u << true << 0x1C << true;
    QTest::newRow("Right Shift") << 62u << true << 0x36 << true;
    QTest::newRow("keypad .") << 91u << true << 0x53 << false;
    QTest::newRow("Num Lock") << 77u << true << 0x45 << true;
    QTest::newRow("Pause") << 127u << true << 0x45 << false;
    QTest::newRow("Print") << 107u << true << 0x37 << true;
    QTest::newRow("Delete") << 119u << true << 0x53 << true;
    QTest::newRow("Left Windows") << 133u << true << 0x5B << true;
    QTest::newRow("Right Windows") << 134u << true << 0x5C << true;
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
