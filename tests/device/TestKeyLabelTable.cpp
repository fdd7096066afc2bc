// Usage code to label and back, and the language replacement of the labels.
#include "KeyLabelTable.h"

#include <QSet>
#include <QTest>

class TestKeyLabelTable : public QObject
{
    Q_OBJECT

private slots:
    void holdsEveryEntryOnce();
    void label_data();
    void label();
    void code_data();
    void code();
    void everyLabelLeadsBackToTheFirstOfItsCodes();
    void languageListReplacesLabelsInOrder();
};

void TestKeyLabelTable::holdsEveryEntryOnce()
{
    const auto& entries = KeyLabelTable::defaults().entries();
    QCOMPARE(entries.size(), 133);
    QSet<int> codes;
    for (const auto& e : entries) {
        QVERIFY2(!codes.contains(e.code), qPrintable(QString::number(e.code, 16)));
        codes.insert(e.code);
        QVERIFY(!e.label.isEmpty());
    }
}

void TestKeyLabelTable::label_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("label");
    QTest::newRow("first letter") << 0x04 << "A";
    QTest::newRow("last letter") << 0x1D << "Z";
    QTest::newRow("digit 1") << 0x1E << "1";
    QTest::newRow("digit 9") << 0x26 << "9";
    QTest::newRow("digit 0 after 9") << 0x27 << "0";
    QTest::newRow("enter") << 0x28 << "Enter";
    QTest::newRow("backslash") << 0x31 << "\\";
    QTest::newRow("non-US backslash") << 0x32 << "\\";
    QTest::newRow("comma") << 0x36 << ",";
    QTest::newRow("caps") << 0x39 << "Caps";
    QTest::newRow("F1") << 0x3A << "F1";
    QTest::newRow("F12") << 0x45 << "F12";
    QTest::newRow("page down") << 0x4E << "PgD";
    QTest::newRow("right arrow") << 0x4F << QString(QChar(0x2192));
    QTest::newRow("left arrow") << 0x50 << QString(QChar(0x2190));
    QTest::newRow("down arrow") << 0x51 << QString(QChar(0x2193));
    QTest::newRow("up arrow") << 0x52 << QString(QChar(0x2191));
    QTest::newRow("keypad enter") << 0x58 << "KPEnter";
    QTest::newRow("keypad 1") << 0x59 << "KP1";
    QTest::newRow("keypad 9") << 0x61 << "KP9";
    QTest::newRow("keypad 0") << 0x62 << "KP0";
    QTest::newRow("keypad equals") << 0x67 << "KP=";
    QTest::newRow("F13") << 0x68 << "F13";
    QTest::newRow("F24") << 0x73 << "F24";
    QTest::newRow("0x89 shares a label") << 0x89 << "Intl2";
    QTest::newRow("Lang2") << 0x91 << "Lang2";
    QTest::newRow("left ctrl") << 0xE0 << "LCtrl";
    QTest::newRow("right win") << 0xE7 << "RWin";
    QTest::newRow("mouse left") << 0xF0 << "MS-L";
    QTest::newRow("mouse forward") << 0xF4 << "MS-B5";
    QTest::newRow("no key") << 0x00 << "";
    QTest::newRow("gap after F24") << 0x74 << "";
    QTest::newRow("gap 0x86") << 0x86 << "";
    QTest::newRow("past mouse buttons") << 0xF5 << "";
    QTest::newRow("not cut to 8 bits") << 0x104 << "";
}

void TestKeyLabelTable::label()
{
    QFETCH(int, code);
    QFETCH(QString, label);
    QCOMPARE(KeyLabelTable::defaults().label(code), label);
}

void TestKeyLabelTable::code_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("code");
    QTest::newRow("letter") << "A" << 0x04;
    QTest::newRow("first of two backslashes") << "\\" << 0x31;
    QTest::newRow("first of two Intl2") << "Intl2" << 0x88;
    QTest::newRow("mouse right") << "MS-R" << 0xF1;
    QTest::newRow("case matters") << "a" << 0;
    QTest::newRow("unknown") << "Nope" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestKeyLabelTable::code()
{
    QFETCH(QString, label);
    QFETCH(int, code);
    QCOMPARE(int(KeyLabelTable::defaults().code(label)), code);
}

void TestKeyLabelTable::everyLabelLeadsBackToTheFirstOfItsCodes()
{
    const KeyLabelTable& table = KeyLabelTable::defaults();
    for (const auto& e : table.entries()) {
        const quint8 code = table.code(e.label);
        QVERIFY(code != 0);
        QVERIFY(code <= e.code);
        QCOMPARE(table.label(code), e.label);
    }
}

void TestKeyLabelTable::languageListReplacesLabelsInOrder()
{
    const KeyLabelTable table(QStringList {QStringLiteral("Ä"), QStringLiteral("Bee"), QString()});
    QCOMPARE(table.label(0x04), QStringLiteral("Ä"));
    QCOMPARE(int(table.code(QStringLiteral("Bee"))), 0x05);
    QCOMPARE(int(table.code(QStringLiteral("A"))), 0);
    QCOMPARE(table.label(0x06), QString());
    QCOMPARE(int(table.code(QString())), 0);
    QCOMPARE(table.label(0x07), QStringLiteral("D"));
    QCOMPARE(table.entries().size(), 133);
}

QTEST_APPLESS_MAIN(TestKeyLabelTable)
#include "TestKeyLabelTable.moc"
