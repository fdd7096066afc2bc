// The button record: text form, device form, the key matrix block and the labels on buttons.
#include "ButtonFunction.h"

#include <QTest>

namespace {

ButtonFunction record(const QString& hex)
{
    auto parsed = ButtonFunction::fromKeyCode(hex);
    Q_ASSERT(parsed);
    return *parsed;
}

QByteArray matrixBytes(const QVariantList& screen, const char* icType)
{
    const auto m = ButtonFunction::deviceMatrix(screen, controllerFamilyOf(QString::fromLatin1(icType)));
    return QByteArray(reinterpret_cast<const char*>(m.data()), int(m.size()));
}

} // namespace

char* toString(const ButtonFunction& f)
{
    return QTest::toString(f.keyCode());
}

class TestButtonFunction : public QObject
{
    Q_OBJECT

private slots:
    void keyCode_data();
    void keyCode();
    void screenListTakesNumbersAndCutsThem();
    void toDevice_data();
    void toDevice();
    void deviceMatrixFixesFirmwareEntries();
    void deviceMatrixOfShortListFillsZeros();
    void keyCodeToString_data();
    void keyCodeToString();
    void fixedChoicesShowTheirOwnLabels();
    void macroRecordShowsStoredName();
};

void TestButtonFunction::keyCode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("formatted"); // empty: rejected
    const auto row = [](const char* name, const QString& text, const char* formatted) {
        QTest::newRow(name) << text << QString::fromLatin1(formatted);
    };
    row("upper case", "FF000100", "ff000100");
    row("mixed case, each digit range's ends", "09aAfF00", "09aaff00");
    row("all zero", "00000000", "00000000");
    row("empty", "", "");
    row("too short", "0300b5", "");
    row("too long", "0300b5000", "");
    row("not hex", "0300b50g", "");
    row("leading space", " 300b500", "");
    row("sign", "+300b500", "");
    row("prefix", "0x00b500", "");
    row("full-width digit", QString::fromUtf8("0300b50\xef\xbc\x90"), "");
}

void TestButtonFunction::keyCode()
{
    QFETCH(QString, text);
    QFETCH(QString, formatted);
    QString error = QStringLiteral("stale");
    const auto r = ButtonFunction::fromKeyCode(text, &error);
    QCOMPARE(bool(r), !formatted.isEmpty());
    QCOMPARE(error.isEmpty(), bool(r));
    if (r) {
        const QByteArray bytes(reinterpret_cast<const char*>(r->bytes().data()), int(r->bytes().size()));
        QCOMPARE(bytes, QByteArray::fromHex(formatted.toLatin1()));
        QCOMPARE(r->keyCode(), formatted);
    }
}

void TestButtonFunction::screenListTakesNumbersAndCutsThem()
{
    const QVariantList values {QStringLiteral("240"), 256 + 0x1E, -1, 2.0, 7};
    QCOMPARE(ButtonFunction::fromList(values), ButtonFunction(0xF0, 0x1E, 0xFF, 0x02));
    QCOMPARE(ButtonFunction::fromList(values, 3), ButtonFunction(0x02, 0x07, 0x00, 0x00));
    QCOMPARE(ButtonFunction::fromList(values, 8), ButtonFunction());
    QCOMPARE(ButtonFunction::fromList(QVariantList {QStringLiteral("f0")}), ButtonFunction());
    QCOMPARE(ButtonFunction(1, 2, 3, 4).toList(), (QVariantList {1, 2, 3, 4}));
}

void TestButtonFunction::toDevice_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("icType");
    QTest::addColumn<QString>("device");
    const auto row = [](const char* name, const char* screen, const char* icType, const char* device) {
        QTest::newRow(name) << screen << icType << device;
    };
    // Only the sniper record depends on the controller family.
    row("left button", "0000f000", "560", "0100f000");
    row("double fire", "00f01e02", "553", "0af01e02");
    row("button code 1e without count 2", "00001e00", "560", "01001e00");
    row("fire", "01040a05", "553", "0a040a05");
    row("macro slots count from 1", "04010500", "560", "09010600");
    row("dpi loop", "05000300", "553", "07000300");
    row("combination", "02050400", "560", "00050400");
    row("windows", "06009401", "553", "00009401");
    row("shortcut", "0700e011", "560", "0000e011");
    row("media", "03008301", "553", "03008301");
    row("gun", "08000200", "560", "08000200");
    row("reserved", "ff000100", "553", "04000100");
    row("unknown type", "09010203", "560", "09010203");
    row("sniper 560", "05000400", "560", "0b000101");
    row("sniper 553", "05000400", "553", "07000401");
    row("sniper, no type is 553", "05000400", "", "07000401");
    row("sniper, longer type is 553", "05000400", "5600", "07000401");
    row("sniper ignores other bytes", "05ff04ff", "560", "0b000101");
}

void TestButtonFunction::toDevice()
{
    QFETCH(QString, screen);
    QFETCH(QString, icType);
    QFETCH(QString, device);
    QCOMPARE(record(screen).toDevice(controllerFamilyOf(icType)).keyCode(), device);
}

void TestButtonFunction::deviceMatrixFixesFirmwareEntries()
{
    QList<ButtonFunction> records = ButtonFunction::builtInMatrix();
    // Records 5 to 13 (6 as built in).
    const QStringList changes
        = QStringLiteral("05000400 05000200 01041405 02050400 0000f100 03008301 0700e011 04020c00 0000f300")
              .split(QLatin1Char(' '));
    for (int i = 0; i < changes.size(); ++i) {
        records[5 + i] = record(changes[i]);
    }
    QVariantList screen;
    for (const ButtonFunction& r : records) {
        screen += r.toList();
    }
    const QByteArray expected560
        = QByteArray::fromHex("0100f000 0100f100 0100f200 0100f400 0100f300 0b000101 07000200 07000300 "
                              "0c050400 08000101 00000000 08000200 00020d00 0000f300 04000100 04000200");
    QCOMPARE(matrixBytes(screen, "560"), expected560);
    QCOMPARE(matrixBytes(screen, "553"), QByteArray(expected560).replace(20, 4, QByteArray::fromHex("07000401")));
}

void TestButtonFunction::deviceMatrixOfShortListFillsZeros()
{
    const QVariantList src {0, 0, 0xF0, 0, 0xFF, 0};
    const QByteArray m = matrixBytes(src, "553");
    QCOMPARE(m.left(8), QByteArray::fromHex("0100f000 04000000"));
    // Unset entries are screen mouse-button records 00 00 00 00.
    QCOMPARE(m.mid(24, 4), QByteArray::fromHex("01000000"));
    QCOMPARE(m.mid(28, 4), QByteArray::fromHex("07000300"));
    QCOMPARE(m.mid(60, 4), QByteArray::fromHex("01000000"));
    QCOMPARE(matrixBytes(QVariantList(), "560").mid(32, 4), QByteArray::fromHex("0c000000"));
}

void TestButtonFunction::keyCodeToString_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QString>("text");
    const auto row = [](const char* name, const char* hex, const char* text) { QTest::newRow(name) << hex << text; };
    // The fixed choices themselves are checked in fixedChoicesShowTheirOwnLabels.
    row("double fire", "00f01e02", "Double Fire");
    row("double fire whatever byte 1", "00001e02", "Double Fire");
    row("empty mouse record", "00000000", "");
    row("button code 1e alone", "00001e00", "");
    row("fire A", "01040a00", "A");
    row("ctrl alt A", "02050400", "LCtrl+LAlt+A");
    row("all modifiers in bit order", "02ff0000", "LCtrl+LShift+LAlt+LWin+RCtrl+RShift+RAlt+RWin");
    row("two keys", "02001e1f", "1+2");
    row("unknown key left out", "0201ff00", "LCtrl");
    row("media ignores byte 1", "03ffb500", "Next");
    row("media compares byte 3", "0300b501", "");
    row("misspelt label kept", "0300b600", "Privous");
    row("windows without match", "06001234", "");
    row("max ignores byte 1", "06002c1b", "Max");
    row("shortcut bytes of another type", "0700b500", "");
    row("dpi loop ignores bytes 1 and 3", "05ff03ff", "DPI LOOP");
    row("gun four", "08000400", "");
    row("reserved", "ff000100", "");
    row("unknown type", "09000100", "");
}

void TestButtonFunction::keyCodeToString()
{
    QFETCH(QString, hex);
    QFETCH(QString, text);
    QCOMPARE(record(hex).keyCodeToString({}), text);
}

void TestButtonFunction::fixedChoicesShowTheirOwnLabels()
{
    for (const auto& choice : ButtonFunction::fixedChoices()) {
        QCOMPARE(ButtonFunction(choice.bytes).keyCodeToString({}), choice.label);
    }
}

void TestButtonFunction::macroRecordShowsStoredName()
{
    QStringList asked;
    const auto lookup = [&asked](const QString& key) {
        asked << key;
        return key == QLatin1String("mouseMacroKey/12") ? QStringLiteral("Combo") : QString();
    };
    QCOMPARE(record(QStringLiteral("04010c00")).keyCodeToString(lookup), QStringLiteral("Combo"));
    QCOMPARE(record(QStringLiteral("04000300")).keyCodeToString(lookup), QString());
    QCOMPARE(asked, (QStringList {QStringLiteral("mouseMacroKey/12"), QStringLiteral("mouseMacroKey/3")}));
    QCOMPARE(record(QStringLiteral("04010c00")).keyCodeToString({}), QString());
}

QTEST_APPLESS_MAIN(TestButtonFunction)
#include "TestButtonFunction.moc"
