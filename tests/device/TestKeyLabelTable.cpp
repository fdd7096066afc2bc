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
    const auto row = [](const char* name, int code, const QString& label) { QTest::newRow(name) << code << label; };
    row("first letter", 0x04, "A");
    row("last letter", 0x1D, "Z");
    row("digit 9", 0x26, "9");
    row("digit 0 after 9", 0x27, "0");
    row("backslash", 0x31, "\\");
    row("non-US backslash", 0x32, "\\");
    row("caps", 0x39, "Caps");
    row("F12", 0x45, "F12");
    row("right arrow", 0x4F, QString(QChar(0x2192)));
    row("left arrow", 0x50, QString(QChar(0x2190)));
    row("down arrow", 0x51, QString(QChar(0x2193)));
    row("up arrow", 0x52, QString(QChar(0x2191)));
    row("keypad enter", 0x58, "KPEnter");
    row("keypad 0", 0x62, "KP0");
    row("keypad equals", 0x67, "KP=");
    row("F24", 0x73, "F24");
    row("0x89 shares a label", 0x89, "Intl2");
    row("right win", 0xE7, "RWin");
    row("mouse forward", 0xF4, "MS-B5");
    row("no key", 0x00, "");
    row("gap after F24", 0x74, "");
    row("gap 0x86", 0x86, "");
    row("past mouse buttons", 0xF5, "");
    row("not cut to 8 bits", 0x104, "");
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
