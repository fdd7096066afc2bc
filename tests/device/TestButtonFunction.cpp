// The button record: text form, device form, the key matrix block and the labels on buttons.
#include "ButtonFunction.h"

#include <QTest>

using Controller = ButtonFunction::Controller;
Q_DECLARE_METATYPE(ButtonFunction::Controller)

namespace {

ButtonFunction record(const char* hex)
{
    auto parsed = ButtonFunction::fromKeyCode(QString::fromLatin1(hex));
    Q_ASSERT(parsed);
    return *parsed;
}

QByteArray matrixBytes(const ButtonFunction::DeviceMatrix& m)
{
    return QByteArray(reinterpret_cast<const char*>(m.data()), int(m.size()));
}

QVariantList screenList(const QList<ButtonFunction>& records)
{
    QVariantList list;
    for (const ButtonFunction& r : records) {
        list += r.toList();
    }
    return list;
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
    void badKeyCodeIsRejected_data();
    void badKeyCodeIsRejected();
    void screenListTakesNumbersAndCutsThem();
    void controllerFor_data();
    void controllerFor();
    void toDevice_data();
    void toDevice();
    void deviceMatrixFixesFirmwareEntries();
    void deviceMatrixOfShortListFillsZeros();
    void keyCodeToString_data();
    void keyCodeToString();
    void fixedChoicesShowTheirOwnLabels();
    void macroRecordShowsStoredName();
    void builtInMatrixLabels();
};

void TestButtonFunction::keyCode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("formatted");
    QTest::newRow("media next") << "0300b500" << QByteArray::fromHex("0300b500") << "0300b500";
    QTest::newRow("upper case") << "FF000100" << QByteArray::fromHex("ff000100") << "ff000100";
    QTest::newRow("mixed case") << "00F01e02" << QByteArray::fromHex("00f01e02") << "00f01e02";
    QTest::newRow("all zero") << "00000000" << QByteArray(4, '\0') << "00000000";
}

void TestButtonFunction::keyCode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, formatted);
    QString error = QStringLiteral("stale");
    const auto r = ButtonFunction::fromKeyCode(text, &error);
    QVERIFY(r);
    QVERIFY(error.isEmpty());
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(int(r->bytes()[i]), int(quint8(bytes[i])));
    }
    QCOMPARE(r->keyCode(), formatted);
    QCOMPARE(*ButtonFunction::fromKeyCode(r->keyCode()), *r);
}

void TestButtonFunction::badKeyCodeIsRejected_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("too short") << "0300b5";
    QTest::newRow("too long") << "0300b5000";
    QTest::newRow("not hex") << "0300b50g";
    QTest::newRow("leading space") << " 300b500";
    QTest::newRow("sign") << "+300b500";
    QTest::newRow("prefix") << "0x00b500";
    QTest::newRow("full-width digit") << QString::fromUtf8("0300b50\xef\xbc\x90");
}

void TestButtonFunction::badKeyCodeIsRejected()
{
    QFETCH(QString, text);
    QString error;
    QVERIFY(!ButtonFunction::fromKeyCode(text, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!ButtonFunction::fromKeyCode(text));
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

void TestButtonFunction::controllerFor_data()
{
    QTest::addColumn<QString>("icType");
    QTest::addColumn<Controller>("controller");
    QTest::newRow("560") << "560" << Controller::Family560;
    QTest::newRow("553") << "553" << Controller::Family553;
    QTest::newRow("empty") << "" << Controller::Family553;
    QTest::newRow("longer text") << "5600" << Controller::Family553;
}

void TestButtonFunction::controllerFor()
{
    QFETCH(QString, icType);
    QFETCH(Controller, controller);
    QCOMPARE(ButtonFunction::controllerFor(icType), controller);
}

void TestButtonFunction::toDevice_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<Controller>("controller");
    QTest::addColumn<QString>("device");
    const auto both = [](const char* name, const char* screen, const char* device) {
        QTest::addRow("%s 553", name) << screen << Controller::Family553 << device;
        QTest::addRow("%s 560", name) << screen << Controller::Family560 << device;
    };
    both("left button", "0000f000", "0100f000");
    both("double fire", "00f01e02", "0af01e02");
    both("button code 1e without count 2", "00001e00", "01001e00");
    both("fire", "01040a05", "0a040a05");
    both("macro slot 5 until any button", "04010500", "09010600");
    both("macro slot 0", "04000000", "09000100");
    both("dpi loop", "05000300", "07000300");
    both("dpi up", "05000100", "07000100");
    both("combination", "02050400", "00050400");
    both("windows", "06009401", "00009401");
    both("shortcut", "0700e011", "0000e011");
    both("media", "03008301", "03008301");
    both("gun", "08000200", "08000200");
    both("reserved", "ff000100", "04000100");
    both("unknown type 09", "09010203", "09010203");
    both("unknown type fe", "fe010203", "fe010203");
    QTest::newRow("sniper 560") << "05000400" << Controller::Family560 << "0b000101";
    QTest::newRow("sniper 553") << "05000400" << Controller::Family553 << "07000401";
    QTest::newRow("sniper ignores other bytes") << "05ff04ff" << Controller::Family560 << "0b000101";
}

void TestButtonFunction::toDevice()
{
    QFETCH(QString, screen);
    QFETCH(Controller, controller);
    QFETCH(QString, device);
    QCOMPARE(record(qPrintable(screen)).toDevice(controller).keyCode(), device);
}

void TestButtonFunction::deviceMatrixFixesFirmwareEntries()
{
    QList<ButtonFunction> screen = ButtonFunction::builtInMatrix();
    screen[5] = record("05000400");
    screen[7] = record("01041405");
    screen[8] = record("02050400");
    screen[9] = record("0000f100");
    screen[10] = record("03008301");
    screen[11] = record("0700e011");
    screen[12] = record("04020c00");
    screen[13] = record("0000f300");

    const QByteArray expected560
        = QByteArray::fromHex("0100f000 0100f100 0100f200 0100f400 0100f300 0b000101 07000200 07000300 "
                              "0c050400 08000101 00000000 08000200 00020d00 0000f300 04000100 04000200");
    QCOMPARE(matrixBytes(ButtonFunction::deviceMatrix(screenList(screen), Controller::Family560)), expected560);

    QByteArray expected553 = expected560;
    expected553.replace(20, 4, QByteArray::fromHex("07000401"));
    QCOMPARE(matrixBytes(ButtonFunction::deviceMatrix(screenList(screen), Controller::Family553)), expected553);
}

void TestButtonFunction::deviceMatrixOfShortListFillsZeros()
{
    const QVariantList src {0, 0, 0xF0, 0, 0xFF, 0};
    const QByteArray m = matrixBytes(ButtonFunction::deviceMatrix(src, Controller::Family553));
    QCOMPARE(m.size(), 64);
    QCOMPARE(m.left(8),
             QByteArray::fromHex("0100f000"
                                 "04000000"));
    // Unset entries are screen mouse-button records 00 00 00 00.
    QCOMPARE(m.mid(24, 4), QByteArray::fromHex("01000000"));
    QCOMPARE(m.mid(28, 4), QByteArray::fromHex("07000300"));
    QCOMPARE(m.mid(60, 4), QByteArray::fromHex("01000000"));
    QCOMPARE(matrixBytes(ButtonFunction::deviceMatrix({}, Controller::Family560)).mid(32, 4),
             QByteArray::fromHex("0c000000"));
}

void TestButtonFunction::keyCodeToString_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("text");
    const auto row
        = [](const char* name, const char* record, const char* text) { QTest::newRow(name) << record << text; };
    row("left", "0000f000", "Left Key");
    row("back", "0000f300", "Back Key");
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
    row("my pc", "06009401", "My PC");
    row("windows without match", "06001234", "");
    row("max ignores byte 1", "06002c1b", "Max");
    row("shortcut bytes of another type", "0700b500", "");
    row("dpi loop ignores bytes 1 and 3", "05ff03ff", "DPI LOOP");
    row("sniper", "05000400", "Sniper Key");
    row("gun four", "08000400", "");
    row("reserved 14", "ff000100", "");
    row("reserved 15", "ff000200", "");
    row("unknown type", "09000100", "");
}

void TestButtonFunction::keyCodeToString()
{
    QFETCH(QString, record);
    QFETCH(QString, text);
    const auto r = ButtonFunction::fromKeyCode(record);
    QVERIFY(r);
    QCOMPARE(r->keyCodeToString({}), text);
}

void TestButtonFunction::fixedChoicesShowTheirOwnLabels()
{
    const auto& choices = ButtonFunction::fixedChoices();
    QCOMPARE(choices.size(), 38);
    for (const auto& choice : choices) {
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
    QCOMPARE(record("04010c00").keyCodeToString(lookup), QStringLiteral("Combo"));
    QCOMPARE(record("04000300").keyCodeToString(lookup), QString());
    QCOMPARE(asked, (QStringList {QStringLiteral("mouseMacroKey/12"), QStringLiteral("mouseMacroKey/3")}));
    QCOMPARE(record("04010c00").keyCodeToString({}), QString());
}

void TestButtonFunction::builtInMatrixLabels()
{
    const auto m = ButtonFunction::builtInMatrix();
    QCOMPARE(m.size(), 16);
    QCOMPARE(m[0].keyCodeToString({}), QStringLiteral("Left Key"));
    QCOMPARE(m[1].keyCodeToString({}), QStringLiteral("Right Key"));
    QCOMPARE(m[5].keyCodeToString({}), QStringLiteral("DPI+"));
    QCOMPARE(m[7].keyCodeToString({}), QStringLiteral("Double Fire"));
    QCOMPARE(m[10], ButtonFunction());
    QCOMPARE(m[14].keyCode(), QStringLiteral("ff000100"));
    QCOMPARE(m[15].keyCode(), QStringLiteral("ff000200"));
    QCOMPARE(m[14].keyCodeToString({}), QString());
}

QTEST_APPLESS_MAIN(TestButtonFunction)
#include "TestButtonFunction.moc"
