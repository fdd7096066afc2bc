// The key matrix rows: which buttons may open the dialog, the matrix-wide restore with its macros,
// and what Save puts on the wire after an edit.
#include "KeyAssigmentScreen.h"
#include "KeyMatrixScreen.h"
#include "MainScreen.h"
#include "ScreenRig.h"

#include <QSettings>
#include <QTest>

namespace {

// Entry -> record, written to a profile file as the store keeps them.
using Edits = QMap<int, QString>;

void writeMatrix(const QString& file, const Edits& edits)
{
    QSettings profile(file, QSettings::IniFormat);
    for (auto it = edits.begin(); it != edits.end(); ++it) {
        profile.setValue(QStringLiteral("mouseKeyMatrix/%1").arg(it.key()), rec(it.value()).toList());
    }
}

} // namespace

class TestKeyMatrixScreen : public QObject
{
    Q_OBJECT

private slots:
    void lastLeftButton_data();
    void lastLeftButton();
    void leftButtonGivenToAnotherButton();
    void restoreAllSendsRestoredMacros();
    void saveSendsTheMatrixFrames();
};

void TestKeyMatrixScreen::lastLeftButton_data()
{
    QTest::addColumn<Edits>("profile");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("opens");
    // clang-format off
    QTest::newRow("only left button")         << Edits {} << 0 << false;
    QTest::newRow("another button")           << Edits {} << 2 << true;
    QTest::newRow("double fire is no left")   << Edits {{7, "00f01e02"}} << 0 << false;
    QTest::newRow("second left button")       << Edits {{5, "0000f000"}} << 0 << true;
    QTest::newRow("the other of two")         << Edits {{5, "0000f000"}} << 5 << true;
    QTest::newRow("left only in entry 14")    << Edits {{0, "0300b500"}, {14, "0000f000"}} << 0 << true;
    QTest::newRow("a fire key on F0 is none") << Edits {{3, "01f00a00"}} << 0 << false;
    // clang-format on
}

void TestKeyMatrixScreen::lastLeftButton()
{
    QFETCH(Edits, profile);
    QFETCH(int, button);
    QFETCH(bool, opens);
    ScreenRig rig;
    writeMatrix(rig.modules.path("modules/setting/p1.bin"), profile);
    rig.restart();
    rig.screens->main()->readFlags();
    rig.screens->main()->initScreens();
    QCOMPARE(rig.screens->keyAssigment()->openButton(button), opens);
    QCOMPARE(rig.screens->keyMatrix()->selectKey(), opens ? button : -1);
    QCOMPARE(rig.screens->keyAssigment()->keyIndex(), opens ? button : -1);
    // The scene says why nothing opened.
    const QString notice = rig.screens->keyAssigment()->notice();
    QCOMPARE(notice.startsWith(QStringLiteral("Key %1 is the only left button").arg(button + 1)), !opens);
    QCOMPARE(notice.isEmpty(), opens);
}

void TestKeyMatrixScreen::leftButtonGivenToAnotherButton()
{
    ScreenRig rig;
    rig.screens->main()->readFlags();
    rig.screens->main()->initScreens();
    KeyAssigmentScreen* dialog = rig.screens->keyAssigment();
    QVERIFY(!dialog->openButton(0));
    QVERIFY(dialog->openButton(2));
    QVERIFY(dialog->notice().isEmpty());
    dialog->choose(KeyAssigmentScreen::MouseGroup, 0);
    dialog->close();
    QCOMPARE(rig.screens->keyMatrix()->selectKey(), -1);
    QVERIFY(dialog->openButton(0));
    // Giving button 1 another function leaves button 3 as the only left button.
    dialog->choose(KeyAssigmentScreen::MouseGroup, 2);
    dialog->close();
    QVERIFY(!dialog->openButton(2));
    QVERIFY(dialog->openButton(0));
}

void TestKeyMatrixScreen::restoreAllSendsRestoredMacros()
{
    ScreenRig rig;
    const QString defaults = rig.modules.path("modules/setting/pD.bin");
    writeMatrix(defaults, {{5, "04010500"}});
    QSettings(defaults, QSettings::IniFormat).setValue("mouseMacroKey/5", "Macro_1");
    writeMatrix(rig.modules.path("modules/setting/p1.bin"), {{1, "0300b500"}, {5, "08000200"}});
    rig.restart();
    rig.screens->main()->readFlags();
    rig.screens->main()->initScreens();
    KeyMatrixScreen* keys = rig.screens->keyMatrix();
    QCOMPARE(keys->text(5), QStringLiteral("Two Gun"));
    rig.v.clearLog();

    keys->restoreAll();
    QVERIFY(keys->isSave());
    QCOMPARE(keys->record(1), rec("0000f100"));
    QCOMPARE(keys->record(5), rec("04010500"));
    QCOMPARE(keys->keyTexts().mid(0, 6),
             (QStringList {"Left Key", "Right Key", "Middle Key", "Forward Key", "Back Key", "Macro_1"}));
    // The restored macro goes to its slot at once (counted from 1 on the wire) and is bound to it in
    // the current profile; the matrix waits for Save.
    QCOMPARE(rig.v.mouse.state().macros.keys(), QList<int> {6});
    QCOMPARE(rig.store->getData("mouseMacroKey/5", false).toString(), QStringLiteral("Macro_1"));
    QVERIFY(!rig.commandCodes().contains("12"));
    rig.screens->main()->save();
    QCOMPARE(rig.v.mouse.state().keyMatrices.value(1).mid(20, 4), QByteArray::fromHex("09010600"));
}

// The 560's frame and its sniper record are TestDeviceOperations' and TestButtonFunction's.
void TestKeyMatrixScreen::saveSendsTheMatrixFrames()
{
    ScreenRig rig;
    rig.screens->main()->readFlags();
    rig.screens->main()->initScreens();
    KeyAssigmentScreen* dialog = rig.screens->keyAssigment();
    QVERIFY(dialog->openButton(1));
    dialog->choose(KeyAssigmentScreen::MediaGroup, 1);
    dialog->close();
    QVERIFY(dialog->openButton(2));
    dialog->choose(KeyAssigmentScreen::DpiGroup, 3);
    dialog->close();
    QVERIFY(rig.v.log.isEmpty());

    rig.screens->main()->save();
    QStringList sent;
    for (const QString& line : rig.v.log) {
        if (line.startsWith("feature-out") || line.startsWith("output")) {
            sent << line;
        }
    }
    // Buttons 2 and 3 become "Next" and "Sniper Key"; the rest is the shipped matrix. Entries 7-13
    // are the firmware's; 8 keeps its converted bytes 1-3, 12 and 13 only lose their type.
    // clang-format off
    QCOMPARE(sent, (QStringList {"feature-out 00 12 01 40 08 00 00 00 a4",
                                 "output 00 01 00 f0 00 03 00 b5 00 07 00 04 01 01 00 f4 00 "
                                 "01 00 f3 00 07 00 01 00 07 00 02 00 07 00 03 00",
                                 "output 00 0c 00 00 00 08 00 01 01 00 00 00 00 08 00 02 00 "
                                 "00 00 00 00 00 00 00 00 04 00 01 00 04 00 02 00"}));
    // clang-format on
    QVERIFY(!rig.screens->keyMatrix()->isSave());
    QCOMPARE(rig.store->getDataList("mouseKeyMatrix/2", false), rec("05000400").toList());
}

QTEST_GUILESS_MAIN(TestKeyMatrixScreen)
#include "TestKeyMatrixScreen.moc"
