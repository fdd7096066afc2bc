// Usage code to label and back, and the language replacement of the labels.
#include "KeyLabelTable.h"
#include "KeyMap.h"
#include "LanguageStore.h"
#include "TestSupport.h"

#include <QSet>
#include <QTest>

class TestKeyLabelTable : public QObject
{
    Q_OBJECT

private slots:
    void label_data();
    void label();
    void everyLabelLeadsBackToItsCode();
    void shippedLanguagesKeepEveryCode_data();
    void shippedLanguagesKeepEveryCode();
    void everyCapturedKeyKeepsItsCode();
    void languageListReplacesLabelsInOrder();
};

void TestKeyLabelTable::label_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("label");
    const auto row = [](const char* name, int code, const QString& label) { QTest::newRow(name) << code << label; };
    row("digit 0 after 9", 0x27, "0");
    row("backslash", 0x31, "\\");
    row("non-US hash", 0x32, "#~");
    row("up arrow", 0x52, QString(QChar(0x2191)));
    row("Intl2", 0x88, "Intl2");
    row("Intl3", 0x89, "Intl3");
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

// A label shared by two codes would turn a recorded key into the other one on its way to the mouse.
void TestKeyLabelTable::everyLabelLeadsBackToItsCode()
{
    const KeyLabelTable& table = KeyLabelTable::defaults();
    QSet<int> codes;
    for (const auto& e : table.entries()) {
        QVERIFY2(!codes.contains(e.code), qPrintable(QString::number(e.code, 16)));
        codes.insert(e.code);
        QVERIFY(!e.label.isEmpty());
        QCOMPARE(int(table.code(e.label)), int(e.code));
    }
    for (const char* unknown : {"a", "Nope", ""}) {
        QCOMPARE(int(table.code(QString::fromLatin1(unknown))), 0);
    }
}

void TestKeyLabelTable::shippedLanguagesKeepEveryCode_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << "English";
    QTest::newRow("ChineseSimplified") << "ChineseSimplified";
}

void TestKeyLabelTable::shippedLanguagesKeepEveryCode()
{
    QFETCH(QString, language);
    const QStringList labels = LanguageStore(TestSupport::sourceDir()).getLangStrings("keyCode", language);
    QCOMPARE(labels.size(), int(KeyLabelTable::EntryCount));
    const KeyLabelTable table(labels);
    for (const auto& e : table.entries()) {
        QCOMPARE(int(table.code(e.label)), int(e.code));
    }
}

void TestKeyLabelTable::everyCapturedKeyKeepsItsCode()
{
    const KeyLabelTable& table = KeyLabelTable::defaults();
    for (bool nonUs : {false, true}) {
        for (const auto& [vk, usage] : KeyMap::buildVkToUsage(nonUs)) {
            QVERIFY2(table.code(table.label(usage)) == usage, qPrintable(QString::number(vk, 16)));
        }
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
    QCOMPARE(table.entries().size(), KeyLabelTable::defaults().entries().size());
}

QTEST_APPLESS_MAIN(TestKeyLabelTable)
#include "TestKeyLabelTable.moc"
