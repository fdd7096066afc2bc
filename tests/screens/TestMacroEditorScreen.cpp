// The macro editor against the virtual mouse, with a clock the test moves: recording and what
// reaches a bound button, the list's New, Rename, Delete and Import, the action list's edits and the
// 128-byte block.
#include "KeyMatrixScreen.h"
#include "MacroEditorScreen.h"
#include "MainScreen.h"
#include "ScreenRig.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int BoundEntry = 3;
// The device counts macro slots from 1.
constexpr int BoundMacroNumber = BoundEntry + 1;
const QStringList ThreeActions {"1,A", "0,50", "2,A"};

// Button BoundEntry of `profile` plays the macro `name`.
void bind(ScreenRig& rig, int profile, const QString& name)
{
    QSettings* settings = rig.store->profileSettings(profile);
    settings->setValue(QStringLiteral("mouseKeyMatrix/%1").arg(BoundEntry), QVariantList {4, 0, BoundEntry, 0});
    settings->setValue(QStringLiteral("mouseMacroKey/%1").arg(BoundEntry), name);
    settings->sync();
}

// The editor after start-up, recording on a clock the test moves, with Macro_0 bound and selected.
struct Editor
{
    Editor()
    {
        bind(rig, 0, QStringLiteral("Macro_0"));
        rig.screens->main()->initUI();
        screen = rig.screens->macroEditor();
        screen->setClock(&clock);
        screen->selectMacro(0);
        rig.v.clearLog();
    }

    QStringList stored(const QString& name = QStringLiteral("Macro_0")) const
    {
        QStringList texts = rig.macros->loadMacroIni(name);
        if (!texts.isEmpty()) {
            texts.removeLast();
        }
        return texts;
    }
    QStringList shown() const
    {
        QStringList texts;
        for (const MacroEncoder::Action& action : screen->actions()) {
            texts << action.toStoredText();
        }
        return texts;
    }
    void key(bool isDown, int code) { rig.screens->main()->routeKeyboard(isDown, code); }

    ScreenRig rig;
    ManualClock clock;
    MacroEditorScreen* screen = nullptr;
};

QByteArray block(const char* hex)
{
    QByteArray bytes = QByteArray::fromHex(hex);
    bytes.resize(MacroEncoder::BlockSize, '\0');
    return bytes;
}

} // namespace

class TestMacroEditorScreen : public QObject
{
    Q_OBJECT

private slots:
    void recordingReachesTheBoundButton();
    void recordingStopsAtTheBlock_data();
    void recordingStopsAtTheBlock();
    void edits_data();
    void edits();
    void newName_data();
    void newName();
    void rename_data();
    void rename();
    void deleteReturnsBindingsToDefaults();
    void import_data();
    void import();
};

// How longer delays are encoded is TestMacroEncoder's.
void TestMacroEditorScreen::recordingReachesTheBoundButton()
{
    Editor e;
    e.screen->setRecordDelay(true);
    // Keys reach the editor only while it records.
    e.key(true, 0x04);
    QCOMPARE(e.screen->actions().size(), 7);
    e.screen->startRecord();
    QCOMPARE(e.rig.captureCalls, QList<bool> {true});
    QVERIFY(e.screen->actions().isEmpty());
    e.clock.advance(40);
    e.key(true, 0x04);
    e.clock.advance(5);
    e.key(false, 0x04);
    // Not saved until the recording stops.
    QCOMPARE(e.rig.commandCodes(), QStringList {});
    e.screen->stopRecord();
    QCOMPARE(e.rig.captureCalls, QList<bool>({true, false}));
    e.key(true, 0x05);

    const QStringList expected {"1,A", "0,50", "2,A"};
    QCOMPARE(e.shown(), expected);
    QCOMPARE(e.stored(), expected);
    QCOMPARE(e.rig.commandCodes(), QStringList {"13"});
    QCOMPARE(e.rig.v.mouse.state().macros.value(BoundMacroNumber).toHex(' '), block("0001 0504 8104 0000").toHex(' '));
}

void TestMacroEditorScreen::recordingStopsAtTheBlock_data()
{
    QTest::addColumn<QList<int>>("gaps");
    QTest::addColumn<int>("length");
    // Ticks before each event, the last repeating; the length where recording stops.
    // clang-format off
    QTest::newRow("short delays")          << QList<int> {5}          << 128;
    QTest::newRow("long delays")           << QList<int> {150}        << 126;
    // At 124 bytes one more long delay would reach 130.
    QTest::newRow("long after short ones") << QList<int> {0, 5, 5, 150} << 124;
    // clang-format on
}

void TestMacroEditorScreen::recordingStopsAtTheBlock()
{
    QFETCH(QList<int>, gaps);
    QFETCH(int, length);
    Editor e;
    e.screen->setRecordDelay(true);
    e.screen->startRecord();
    for (int event = 0; event < 100; ++event) {
        e.clock.advance(gaps.at(qMin(event, int(gaps.size()) - 1)));
        e.key(event % 2 == 0, 0x04);
        QVERIFY(e.screen->encodedLength() <= MacroEncoder::BlockSize);
    }
    QCOMPARE(e.screen->encodedLength(), length);
    QCOMPARE(e.screen->message(), e.screen->macroEditorLang().at(MacroEditorScreen::FullText));
    e.screen->stopRecord();
    QCOMPARE(e.rig.v.mouse.state().macros.value(BoundMacroNumber).size(), MacroEncoder::BlockSize);
    // An edit is refused as well when it would take the encoding past the block.
    const bool fits = length + 4 <= MacroEncoder::BlockSize;
    QCOMPARE(e.screen->insertMouseKey(-1, MacroEditorScreen::LeftKey), fits);
    QCOMPARE(e.screen->encodedLength(), fits ? length + 4 : length);
}

void TestMacroEditorScreen::edits_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<int>("selected"); // the action the list marks afterwards
    // On a press of A, 50 ms and a release of A.
    // clang-format off
    QTest::newRow("delete")                 << "delete" << 1  << QStringList {"1,A", "2,A"} << -1;
    QTest::newRow("delay before")           << "delay"  << 2  << QStringList {"1,A", "0,50", "0,50", "2,A"} << 2;
    QTest::newRow("delay, nothing chosen")  << "delay"  << -1 << QStringList {"1,A", "0,50", "2,A", "0,50"} << 3;
    QTest::newRow("key before")             << "key"    << 0  << QStringList {"1,B", "2,B", "1,A", "0,50", "2,A"} << 0;
    QTest::newRow("key on the last")        << "key"    << 2  << QStringList {"1,A", "0,50", "2,A", "1,B", "2,B"} << 3;
    QTest::newRow("left key after")         << "left"   << 0  << QStringList {"1,A", "3,MS-L", "4,MS-L", "0,50", "2,A"} << 1;
    QTest::newRow("middle key after")       << "middle" << 1  << QStringList {"1,A", "0,50", "3,MS-M", "4,MS-M", "2,A"} << 2;
    QTest::newRow("right key on the last")  << "right"  << 2  << QStringList {"1,A", "0,50", "2,A", "3,MS-R", "4,MS-R"} << 3;
    QTest::newRow("delay edited")           << "1500"   << 1  << QStringList {"1,A", "0,1500", "2,A"} << 1;
    QTest::newRow("delay out of range")     << "65536"  << 1  << ThreeActions << -1;
    QTest::newRow("not a delay")            << "20"     << 0  << ThreeActions << -1;
    // clang-format on
}

void TestMacroEditorScreen::edits()
{
    QFETCH(QString, edit);
    QFETCH(int, index);
    QFETCH(QStringList, actions);
    QFETCH(int, selected);
    Editor e;
    e.rig.macros->saveMacroIni("Macro_0", ThreeActions, 1);
    e.screen->selectMacro(0);
    if (edit == "delete") {
        e.screen->deleteAction(index);
    } else if (edit == "delay") {
        e.screen->insertDelay(index);
    } else if (edit == "key") {
        e.screen->startInsertKey(index);
        QCOMPARE(e.rig.captureCalls, QList<bool> {true});
        // Mouse buttons are not keys to insert.
        e.key(true, 0xF0);
        e.key(true, 0x05);
        QCOMPARE(e.screen->insertKeyLabel(), QString("B"));
        e.screen->confirmInsertKey();
        QCOMPARE(e.rig.captureCalls, QList<bool>({true, false}));
    } else if (edit == "left" || edit == "middle" || edit == "right") {
        const int key = edit == "left"     ? MacroEditorScreen::LeftKey
                        : edit == "middle" ? MacroEditorScreen::MiddleKey
                                           : MacroEditorScreen::RightKey;
        e.screen->insertMouseKey(index, key);
    } else {
        e.screen->setDelay(index, edit);
    }
    QCOMPARE(e.shown(), actions);
    QCOMPARE(e.stored(), actions);
    QCOMPARE(e.screen->selectedAction(), selected);
    // Every change reaches the bound button at once.
    QCOMPARE(e.rig.commandCodes(), actions == ThreeActions ? QStringList {} : QStringList {"13"});
}

void TestMacroEditorScreen::newName_data()
{
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<bool>("keepUnlistedFile");
    QTest::addColumn<QString>("created");
    QStringList hundred;
    for (int n = 0; n < MacroEditorScreen::MaxMacros; ++n) {
        hundred << QStringLiteral("m%1").arg(n);
    }
    // clang-format off
    QTest::newRow("first gap")          << QStringList {"Macro_0", "Macro_2", "Macro_3"} << false << "Macro_1";
    // Macro_1.bin ships but is not listed: a new macro must not hide its actions.
    QTest::newRow("unlisted file kept") << QStringList {"Macro_0", "Macro_2", "Macro_3"} << true  << "Macro_4";
    QTest::newRow("hundred macros")     << hundred                                        << false << "";
    // clang-format on
}

void TestMacroEditorScreen::newName()
{
    QFETCH(QStringList, listed);
    QFETCH(bool, keepUnlistedFile);
    QFETCH(QString, created);
    Editor e;
    const QByteArray unlisted = e.rig.modules.read("modules/macro/Macro_1.bin");
    if (!keepUnlistedFile) {
        QVERIFY(QFile::remove(e.rig.modules.path("modules/macro/Macro_1.bin")));
    }
    e.rig.macros->updataNameList(MacroLibrary::MacroNames, listed);
    e.screen->init();
    e.screen->newMacro();
    if (created.isEmpty()) {
        QCOMPARE(e.screen->macroNames(), listed);
        QCOMPARE(e.screen->message(), e.screen->macroEditorLang().at(MacroEditorScreen::ListFullText));
        return;
    }
    QCOMPARE(e.screen->macroNames(), listed + QStringList {created});
    QCOMPARE(e.screen->selectedName(), created);
    QCOMPARE(e.rig.macros->loadMacroIni(created), QStringList {"1"});
    QCOMPARE(e.rig.macros->getNameList(MacroLibrary::MacroNames).size(), listed.size() + 1);
    if (keepUnlistedFile) {
        QCOMPARE(e.rig.modules.read("modules/macro/Macro_1.bin"), unlisted);
    }
}

void TestMacroEditorScreen::rename_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("message"); // what the editor says, "" for nothing
    const QString used = QStringLiteral("That name is already in use");
    // clang-format off
    QTest::newRow("free name")            << "Jump"         << "Jump"    << "";
    QTest::newRow("spaces trimmed")       << "  Jump "      << "Jump"    << "";
    QTest::newRow("used by a macro")      << "Macro_1"      << "Macro_0" << used;
    QTest::newRow("file of another name") << "Orphan"       << "Macro_0" << used;
    QTest::newRow("not a file name")      << "a/b"          << "Macro_0" << "A file cannot have that name";
    QTest::newRow("list filler")          << "zuvrenkalpot" << "Macro_0" << used;
    QTest::newRow("empty")                << " "            << "Macro_0" << "";
    // clang-format on
}

void TestMacroEditorScreen::rename()
{
    QFETCH(QString, name);
    QFETCH(QString, result);
    QFETCH(QString, message);
    Editor e;
    bind(e.rig, 2, QStringLiteral("Macro_0"));
    e.rig.macros->createMacroIni("Orphan", 0);
    const QMap<QString, QByteArray> before = e.rig.modules.snapshot();
    const QStringList actions = e.stored();

    QCOMPARE(e.screen->renameMacro(0, name), result != "Macro_0");
    QCOMPARE(e.screen->message(), message);
    QCOMPARE(e.screen->macroNames(), QStringList({result, "Macro_1"}));
    QCOMPARE(e.rig.macros->getNameList(MacroLibrary::MacroNames).first().toString(), result);
    QCOMPARE(e.stored(result), actions);
    // The buttons follow: the current matrix and its text, and the other profiles.
    const QString key = ButtonFunction::macroNameKey(BoundEntry);
    QCOMPARE(e.rig.store->getData(key, false).toString(), result);
    QCOMPARE(e.rig.screens->keyMatrix()->text(BoundEntry), result);
    QCOMPARE(e.rig.store->profileSettings(2)->value(key).toString(), result);
    if (result == "Macro_0") {
        QCOMPARE(e.rig.modules.snapshot(), before);
    }
}

void TestMacroEditorScreen::deleteReturnsBindingsToDefaults()
{
    Editor e;
    bind(e.rig, 2, QStringLiteral("Macro_0"));
    KeyMatrixScreen* keys = e.rig.screens->keyMatrix();
    QVERIFY(keys->record(BoundEntry) != keys->defaultRecord(BoundEntry));

    // Nothing is bound to Macro_1: the matrix is not sent.
    e.screen->removeMacro(1);
    QCOMPARE(e.rig.commandCodes(), QStringList {});
    e.screen->removeMacro(0);
    QCOMPARE(e.rig.commandCodes(), QStringList {"12"});
    QVERIFY(e.screen->macroNames().isEmpty());
    QCOMPARE(e.screen->selectedMacro(), -1);
    QVERIFY(e.screen->actions().isEmpty());
    QVERIFY(!e.rig.macros->macroExists("Macro_0"));
    QVERIFY(e.rig.macros->getNameList(MacroLibrary::MacroNames).isEmpty());
    QCOMPARE(keys->record(BoundEntry), keys->defaultRecord(BoundEntry));
    const QString key = QStringLiteral("mouseKeyMatrix/%1").arg(BoundEntry);
    QCOMPARE(e.rig.store->defaultProfileSettings()->value(key).toStringList().size(), 4);
    QCOMPARE(e.rig.store->profileSettings(2)->value(key).toStringList(),
             e.rig.store->defaultProfileSettings()->value(key).toStringList());
}

void TestMacroEditorScreen::import_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("message");
    QByteArray tooLong = "[config]\ntotal=70\nrepeat=1\n[macro]\n";
    for (int i = 0; i < 70; ++i) {
        tooLong += QByteArray::number(i) + (i % 2 ? "=\"2,A\"\n" : "=\"1,A\"\n");
    }
    // clang-format off
    QTest::newRow("macro file")       << QByteArray("[config]\ntotal=2\nrepeat=3\n[macro]\n0=\"1,C\"\n1=\"2,C\"\n") << -1;
    QTest::newRow("cancelled")        << QByteArray()                                << -1;
    QTest::newRow("not a macro file") << QByteArray("[mouse]\ndpiCount=4\n")         << int(MacroEditorScreen::NotMacroFileText);
    QTest::newRow("too long")         << tooLong                                     << int(MacroEditorScreen::FullText);
    // clang-format on
}

void TestMacroEditorScreen::import()
{
    QFETCH(QByteArray, file);
    QFETCH(int, message);
    Editor e;
    QTemporaryDir out;
    e.rig.chooser.answer(file.isEmpty() ? QString() : out.filePath("in.mc"));
    QVERIFY(file.isEmpty() || TempModules::writeFile(out.filePath("in.mc"), file));
    if (message == MacroEditorScreen::NotMacroFileText) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^loadMacroFile: refused"));
    }
    const QMap<QString, QByteArray> before = e.rig.modules.snapshot();
    e.screen->selectMacro(1);
    e.screen->importMacro();

    QCOMPARE(e.rig.chooser.questions(), 1);
    QCOMPARE(e.screen->message(), message < 0 ? QString() : e.screen->macroEditorLang().at(message));
    if (message >= 0 || file.isEmpty()) {
        QCOMPARE(e.screen->macroNames(), QStringList({"Macro_0", "Macro_1"}));
        QCOMPARE(e.rig.modules.snapshot(), before);
        return;
    }
    // In at the selected place, and selected.
    QCOMPARE(e.screen->macroNames(), QStringList({"Macro_0", "Macro_2", "Macro_1"}));
    QCOMPARE(e.screen->selectedName(), QString("Macro_2"));
    QCOMPARE(e.shown(), QStringList({"1,C", "2,C"}));
    QCOMPARE(e.screen->repeatCount(), 3);
    QCOMPARE(e.rig.macros->getNameList(MacroLibrary::MacroNames).size(), 3);
    // and exported as it is stored.
    e.rig.chooser.answer(out.filePath("out.mc"));
    e.screen->exportMacro();
    QCOMPARE(TempModules::readFile(out.filePath("out.mc")), e.rig.modules.read("modules/macro/Macro_2.bin"));
}

QTEST_GUILESS_MAIN(TestMacroEditorScreen)
#include "TestMacroEditorScreen.moc"
