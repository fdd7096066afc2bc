// The main scene's rules against the virtual mouse: start-up, report rate, Save, factory reset and
// profile change.
#include "DpiSettingScreen.h"
#include "KeyMatrixScreen.h"
#include "LightControlScreen.h"
#include "MacroEditorScreen.h"
#include "MainScreen.h"
#include "ProfileScreen.h"
#include "ScreenRig.h"
#include "ScreenValues.h"

#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

class TestMainScreen : public QObject
{
    Q_OBJECT

private slots:
    void startUpProfileCommand_data();
    void startUpProfileCommand();
    void startUpRunsOnceThenRefreshesTheStage();
    void busyGuardRevealsOnce();
    void reportRate_data();
    void reportRate();
    void storedReportRateReadBack_data();
    void storedReportRateReadBack();
    void saveSendsDirtyScreensInOrder_data();
    void saveSendsDirtyScreensInOrder();
    void failedSendStaysPending_data();
    void failedSendStaysPending();
    void refusedFlowsSaySo_data();
    void refusedFlowsSaySo();
    void profileQuestion_data();
    void profileQuestion();
    void profileSwitchKeepsTheLeftButton_data();
    void profileSwitchKeepsTheLeftButton();
    void factoryReset_data();
    void factoryReset();
    void profileChange();
    void flowsEndEnabledWhenTheMouseGoes_data();
    void flowsEndEnabledWhenTheMouseGoes();
    void setCurrentDpi();
    void damagedValuesFallBack();
    void shortLanguageListKeepsDefaults();
};

void TestMainScreen::startUpProfileCommand_data()
{
    QTest::addColumn<QString>("icType");
    QTest::addColumn<int>("mouseProfile");
    QTest::addColumn<QStringList>("codes");
    // clang-format off
    // 553: nothing but the stage read; 560: the profile read, and the switch only when it is not 1.
    QTest::newRow("553")          << "553" << 3 << QStringList {"8b"};
    QTest::newRow("560 on 1")     << "560" << 1 << QStringList {"82", "84"};
    QTest::newRow("560 on 3")     << "560" << 3 << QStringList {"82", "02", "84"};
    // clang-format on
}

void TestMainScreen::startUpProfileCommand()
{
    QFETCH(QString, icType);
    QFETCH(int, mouseProfile);
    QFETCH(QStringList, codes);
    ScreenRig rig(ScreenRig::Flags {icType});
    rig.v.mouse.setCurrentProfile(mouseProfile);
    rig.v.clearLog();
    rig.screens->main()->initUI();
    QCOMPARE(rig.commandCodes(), codes);
    QCOMPARE(rig.v.mouse.state().currentProfile, icType == "560" ? 1 : mouseProfile);
}

void TestMainScreen::startUpRunsOnceThenRefreshesTheStage()
{
    ScreenRig rig;
    rig.writeProfile("mouse/dpiValueArray", QVariantList {400, 800, 1600, 3200, 4800, 6400, 8000, 12000});
    MainScreen* main = rig.screens->main();
    main->initUI();
    QVERIFY(main->isPownOn());
    QCOMPARE(rig.screens->dpiSetting()->values().first(), 400);
    // A later start-up only reads the stage: edits made since are kept.
    rig.writeProfile("mouse/dpiValueArray", QVariantList {800, 800, 1600, 3200, 4800, 6400, 8000, 12000});
    rig.v.mouse.setActiveStage(3);
    rig.v.clearLog();
    main->initUI();
    QCOMPARE(rig.commandCodes(), QStringList {"8b"});
    QCOMPARE(rig.screens->dpiSetting()->values().first(), 400);
    QCOMPARE(rig.screens->dpiSetting()->currentDPI(), 2);
}

void TestMainScreen::busyGuardRevealsOnce()
{
    ScreenRig rig;
    MainScreen* main = rig.screens->main();
    QSignalSpy revealed(main, &MainScreen::revealedChanged);
    main->setProtectUI(10);
    QVERIFY(main->busy());
    QVERIFY(!main->viewEnabled());
    QTRY_VERIFY(!main->busy());
    QVERIFY(main->viewEnabled());
    QVERIFY(main->revealed());
    main->setProtectUI(10);
    QTRY_VERIFY(!main->busy());
    QCOMPARE(revealed.count(), 1);
    main->controlUIEnable(false);
    QVERIFY(main->busy() && !main->viewEnabled());
    main->controlUIEnable(true);
    QVERIFY(!main->busy() && main->viewEnabled());
}

void TestMainScreen::reportRate_data()
{
    QTest::addColumn<QString>("icType");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("rate");
    // clang-format off
    QTest::newRow("553 250Hz")  << "553" << 1 << 4;
    QTest::newRow("553 1000Hz") << "553" << 3 << 1;
    QTest::newRow("560 125Hz")  << "560" << 0 << 8;
    // clang-format on
}

void TestMainScreen::reportRate()
{
    QFETCH(QString, icType);
    QFETCH(int, index);
    QFETCH(int, rate);
    ScreenRig rig(ScreenRig::Flags {icType});
    rig.screens->main()->chooseReportRate(index);
    QCOMPARE(int(rig.v.mouse.state().reportRate), rate);
    QCOMPARE(rig.store->getData("mouse/reportRate", false).toInt(), index);
    QCOMPARE(rig.screens->main()->reportRateIndex(), index);
}

void TestMainScreen::storedReportRateReadBack_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("shown");
    // clang-format off
    QTest::newRow("index")        << QVariant("1") << 1;
    QTest::newRow("not a number") << QVariant("x") << 3;
    QTest::newRow("out of range") << QVariant(7)   << 3;
    // clang-format on
}

void TestMainScreen::storedReportRateReadBack()
{
    QFETCH(QVariant, stored);
    QFETCH(int, shown);
    ScreenRig rig;
    rig.writeProfile("mouse/reportRate", stored);
    rig.restart();
    rig.v.clearLog();
    rig.screens->main()->initUI();
    QCOMPARE(rig.screens->main()->reportRateIndex(), shown);
    QVERIFY(!rig.commandCodes().contains("01"));
}

void TestMainScreen::saveSendsDirtyScreensInOrder_data()
{
    QTest::addColumn<bool>("keys");
    QTest::addColumn<bool>("dpi");
    QTest::addColumn<bool>("light");
    QTest::addColumn<QStringList>("codes");
    // clang-format off
    QTest::newRow("nothing dirty") << false << false << false << QStringList {};
    // The 553 takes the colour table twice.
    QTest::newRow("all three")     << true  << true  << true  << QStringList {"12", "11", "0d", "10", "10"};
    QTest::newRow("lighting only") << false << false << true  << QStringList {"0d", "10", "10"};
    QTest::newRow("keys and dpi")  << true  << true  << false << QStringList {"12", "11"};
    // clang-format on
}

void TestMainScreen::saveSendsDirtyScreensInOrder()
{
    QFETCH(bool, keys);
    QFETCH(bool, dpi);
    QFETCH(bool, light);
    QFETCH(QStringList, codes);
    ScreenRig rig;
    rig.screens->main()->initUI();
    rig.screens->keyMatrix()->setSave(keys);
    rig.screens->dpiSetting()->setSave(dpi);
    rig.screens->lightControl()->setSave(light);
    rig.screens->main()->controlUIEnable(true);
    rig.v.clearLog();
    rig.screens->main()->save();
    QCOMPARE(rig.commandCodes(), codes);
    QVERIFY(!rig.screens->keyMatrix()->isSave());
    QVERIFY(!rig.screens->dpiSetting()->isSave());
    QVERIFY(!rig.screens->lightControl()->isSave());
    QVERIFY(rig.screens->main()->viewEnabled());
}

void TestMainScreen::failedSendStaysPending_data()
{
    QTest::addColumn<QString>("flow");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<QStringList>("codesWhenBack");
    // clang-format off
    // When the mouse is back the pending sends go first, then start-up reads the stage (8b).
    QTest::newRow("save, mouse away")  << "save"    << false << QStringList {"keyMatrix", "dpi", "lighting"} << QStringList {"12", "11", "0d", "10", "10", "8b"};
    QTest::newRow("save, link busy")   << "save"    << true  << QStringList {"keyMatrix", "dpi", "lighting"} << QStringList {"12", "11", "0d", "10", "10", "8b"};
    QTest::newRow("report rate")       << "rate"    << true  << QStringList {"reportRate"} << QStringList {"01", "8b"};
    QTest::newRow("profile change")    << "profile" << false << QStringList {"profile"} << QStringList {"12", "01", "11", "0d", "10", "10", "8b"};
    // Made for the application in front: sent whole once the mouse is back, as the full change.
    QTest::newRow("automatic change")  << "follow"  << false << QStringList {"profile"} << QStringList {"12", "01", "11", "0d", "10", "10", "8b"};
    QTest::newRow("factory reset")     << "reset"   << false << QStringList {"profile"} << QStringList {"12", "01", "11", "0d", "10", "10", "0b", "8b"};
    // clang-format on
}

// A send the mouse does not take is never shown as done: the user hears once, the change stays
// pending (Save stays armed) and goes when the mouse is back.
void TestMainScreen::failedSendStaysPending()
{
    QFETCH(QString, flow);
    QFETCH(bool, busy);
    QFETCH(QStringList, parts);
    QFETCH(QStringList, codesWhenBack);
    ScreenRig rig;
    MainScreen* main = rig.screens->main();
    main->initUI();
    main->controlUIEnable(true);
    const bool save = flow == "save";
    rig.screens->keyMatrix()->setSave(save);
    rig.screens->dpiSetting()->setSave(save);
    rig.screens->lightControl()->setSave(save);
    QSignalSpy notices(main, &MainScreen::noticeShown);
    if (busy) {
        rig.v.link.setHidFree(false);
    } else {
        rig.v.mouse.unplug();
    }
    if (save) {
        main->save();
    } else if (flow == "rate") {
        main->chooseReportRate(1);
    } else if (flow == "profile") {
        main->changeProfile(2);
    } else if (flow == "follow") {
        main->followProfile(2);
    } else {
        main->factoryReset();
    }
    QCOMPARE(notices.count(), 1);
    QCOMPARE(main->notice(), main->mainLang().at(MainScreen::SendFailedText));
    QCOMPARE(main->unsentParts(), parts);
    QCOMPARE(main->hasPendingEdits(), save);
    QCOMPARE(rig.screens->dpiSetting()->isSave(), save);
    QVERIFY(main->viewEnabled());

    if (busy) {
        rig.v.link.setHidFree(true);
    } else {
        rig.v.replug();
    }
    rig.v.clearLog();
    main->initUI();
    QCOMPARE(rig.commandCodes(), codesWhenBack);
    QCOMPARE(main->unsentParts(), QStringList {});
    QVERIFY(!main->hasPendingEdits());
    QCOMPARE(notices.count(), 1);
    if (flow == "rate") {
        QCOMPARE(int(rig.v.mouse.state().reportRate), 4);
    }
    // Sent once: nothing is left for the next connection.
    rig.v.clearLog();
    main->initUI();
    QCOMPARE(rig.commandCodes(), QStringList {"8b"});
}

void TestMainScreen::refusedFlowsSaySo_data()
{
    QTest::addColumn<QString>("flow");
    QTest::addColumn<int>("notice"); // -1: none
    // clang-format off
    QTest::newRow("reset without default profile") << "reset"          << int(MainScreen::ResetFailedText);
    QTest::newRow("profile export not written")    << "profile export" << int(MainScreen::ProfileExportFailedText);
    QTest::newRow("profile export cancelled")      << "profile cancel" << -1;
    QTest::newRow("macro export not written")      << "macro export"   << int(MainScreen::MacroExportFailedText);
    // clang-format on
}

// Flows that could not do their part say so and change nothing, on disk or on the mouse.
void TestMainScreen::refusedFlowsSaySo()
{
    QFETCH(QString, flow);
    QFETCH(int, notice);
    ScreenRig rig;
    MainScreen* main = rig.screens->main();
    main->initUI();
    main->controlUIEnable(true);
    rig.screens->dpiSetting()->setSave(true);
    const QString nowhere = rig.modules.path("no such folder/out");
    rig.chooser.answer(flow.endsWith("cancel") ? QString() : nowhere);
    if (flow == "reset") {
        QVERIFY(QFile::remove(rig.modules.path("modules/setting/pD.bin")));
    }
    const auto files = rig.modules.snapshot();
    QSignalSpy notices(main, &MainScreen::noticeShown);
    rig.v.clearLog();
    if (flow == "reset") {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^profile slot 0 kept"));
        QVERIFY(!main->factoryReset());
    } else if (flow.startsWith("profile")) {
        if (notice >= 0) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^saveProfile:"));
        }
        QVERIFY(!rig.screens->profile()->exportProfile(0));
    } else {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^saveMacroFile:"));
        rig.screens->macroEditor()->selectMacro(0);
        rig.screens->macroEditor()->exportMacro();
    }
    QCOMPARE(notices.count(), notice < 0 ? 0 : 1);
    if (notice >= 0) {
        QCOMPARE(main->notice(), main->mainLang().at(notice));
    }
    QCOMPARE(rig.modules.snapshot(), files);
    QCOMPARE(rig.commandCodes(), QStringList {});
    QVERIFY(main->hasPendingEdits());
    QVERIFY(main->viewEnabled());
}

void TestMainScreen::profileQuestion_data()
{
    QTest::addColumn<int>("answer"); // -1: no edits, no question
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<int>("profileNo");
    QTest::addColumn<QString>("storedEntry3");
    const QStringList change {"12", "01", "11", "0d", "10", "10"};
    // clang-format off
    QTest::newRow("nothing pending") << -1 << change << 2 << "0 0 244 0";
    QTest::newRow("save")            << int(MainScreen::SaveAnswer) << QStringList {"12"} + change << 2 << "3 0 181 0";
    QTest::newRow("discard")         << int(MainScreen::DiscardAnswer) << change << 2 << "0 0 244 0";
    QTest::newRow("cancel")          << int(MainScreen::CancelAnswer) << QStringList {} << 0 << "0 0 244 0";
    // clang-format on
}

// The profile drop-down asks before pending edits go; the profiles screen's switch does not.
void TestMainScreen::profileQuestion()
{
    QFETCH(int, answer);
    QFETCH(QStringList, codes);
    QFETCH(int, profileNo);
    QFETCH(QString, storedEntry3);
    ScreenRig rig;
    MainScreen* main = rig.screens->main();
    main->initUI();
    QSignalSpy pending(main, &MainScreen::pendingEditsChanged);
    if (answer >= 0) {
        rig.screens->keyMatrix()->commit(3, rec("0300b500"), "Next");
        QVERIFY(main->hasPendingEdits());
        QCOMPARE(pending.count(), 1);
    }
    rig.v.clearLog();
    main->chooseProfile(2);
    if (answer >= 0) {
        QCOMPARE(main->askedProfile(), 2);
        QCOMPARE(main->profileNo(), 0);
        QCOMPARE(rig.commandCodes(), QStringList {});
        main->answerProfileQuestion(answer);
    }
    QCOMPARE(main->askedProfile(), -1);
    QCOMPARE(rig.commandCodes(), codes);
    QCOMPARE(main->profileNo(), profileNo);
    QCOMPARE(main->hasPendingEdits(), answer == MainScreen::CancelAnswer);
    QCOMPARE(rig.store->profileSettings(0)->value("mouseKeyMatrix/3").toStringList().join(' '), storedEntry3);
}

void TestMainScreen::profileSwitchKeepsTheLeftButton_data()
{
    QTest::addColumn<QByteArray>("file");
    QByteArray noLeft("[mouseKeyMatrix]\n");
    for (int n = 0; n < 16; ++n) {
        noLeft += QByteArray::number(n) + "=0, 0, 241, 0\n";
    }
    QTest::newRow("a file of another kind") << QByteArray("[x]\ny=1\n");
    QTest::newRow("damaged entries") << QByteArray("[mouseKeyMatrix]\n0=0\n1=x, 0, 0, 0\n");
    QTest::newRow("no left button") << noLeft;
}

// Whatever a profile file holds, switching to it never leaves the mouse without a left button.
void TestMainScreen::profileSwitchKeepsTheLeftButton()
{
    QFETCH(QByteArray, file);
    ScreenRig rig;
    QVERIFY(rig.modules.write("modules/setting/p3.bin", file));
    rig.restart();
    MainScreen* main = rig.screens->main();
    main->initUI();
    main->changeProfile(2);
    QCOMPARE(rig.v.mouse.state().keyMatrices.value(1).left(4).toHex(), QByteArray("0100f000"));
    QCOMPARE(rig.store->profileSettings(2)->value("mouseKeyMatrix/0").toStringList().join(' '), QString("0 0 240 0"));
    QCOMPARE(rig.screens->keyMatrix()->record(0), rec("0000f000"));
    QVERIFY(!main->hasPendingEdits());

    // Shown at start, the mended button is an edit the profile does not hold yet.
    QVERIFY(rig.modules.write("modules/setting/p3.bin", file));
    rig.restart();
    rig.screens->main()->initUI();
    rig.store->setCurrentProfile(2);
    rig.screens->keyMatrix()->init(false, false);
    QCOMPARE(rig.screens->keyMatrix()->record(0), rec("0000f000"));
    QCOMPARE(rig.screens->main()->hasPendingEdits(), QTest::currentDataTag() == QByteArray("no left button"));
}

void TestMainScreen::factoryReset_data()
{
    QTest::addColumn<bool>("gun");
    QTest::addColumn<QStringList>("codes");
    // clang-format off
    // Key matrix, report rate, DPI, lighting, [key matrix 1,] current stage 2, then the three gun slots
    // (sent only when the mouse has gun functions, each after reading the keyboard options).
    QTest::newRow("553")          << false << QStringList {"12", "01", "11", "0d", "10", "10", "0b"};
    QTest::newRow("553 with gun") << true  << QStringList {"12", "01", "11", "0d", "10", "10", "02", "0b", "83", "04", "83", "04", "83", "04"};
    // clang-format on
}

void TestMainScreen::factoryReset()
{
    QFETCH(bool, gun);
    QFETCH(QStringList, codes);
    ScreenRig rig(ScreenRig::Flags {"553", false, gun});
    rig.screens->main()->initUI();
    rig.writeProfile("mouse/reportRate", 0);
    rig.writeProfile("mouse/dpiValueArray", QVariantList {250, 800, 1600, 3200, 4800, 6400, 8000, 12000});
    rig.screens->keyMatrix()->setSave(true);
    rig.screens->dpiSetting()->setSave(true);
    rig.screens->lightControl()->setSave(true);
    rig.v.clearLog();
    rig.screens->main()->factoryReset();
    QCOMPARE(rig.commandCodes(), codes);
    // The profile is the default again, on disk and on the mouse.
    QCOMPARE(rig.store->getData("mouse/reportRate", false), rig.store->getData("mouse/reportRate", true));
    QCOMPARE(int(rig.v.mouse.state().reportRate),
             MainScreen::reportRateValue(rig.store->getData("mouse/reportRate", true).toInt()));
    QCOMPARE(rig.screens->dpiSetting()->currentDPI(), 1);
    QCOMPARE(rig.v.mouse.state().activeStage, 2);
    QVERIFY(!rig.screens->keyMatrix()->isSave());
    QVERIFY(!rig.screens->dpiSetting()->isSave());
    QVERIFY(!rig.screens->lightControl()->isSave());
    QVERIFY(rig.screens->main()->viewEnabled());
    if (gun) {
        QCOMPARE(rig.store->getGlobalData("mouse/selectGun").toStringList(), QStringList({"0", "1", "2"}));
    }
}

void TestMainScreen::profileChange()
{
    ScreenRig rig;
    // Profile 2 (the file p3.bin) differs from profile 0 in its report rate.
    rig.store->setCurrentProfile(2);
    rig.writeProfile("mouse/reportRate", 1);
    rig.store->setCurrentProfile(0);
    rig.writeProfile("mouse/reportRate", 3);
    rig.macros->updataNameList(MacroLibrary::ProfileNames, {"Standard0", "A1", "B2"});
    MainScreen* main = rig.screens->main();
    main->initUI();
    rig.v.clearLog();
    main->changeProfile(0);
    QCOMPARE(rig.commandCodes(), QStringList {});

    main->changeProfile(2);
    QCOMPARE(rig.commandCodes(), QStringList({"12", "01", "11", "0d", "10", "10"}));
    QCOMPARE(main->profileNo(), 2);
    QCOMPARE(rig.store->getGlobalData("mouse/profileNo").toInt(), 2);
    QCOMPARE(rig.store->currentProfile(), 2);
    QCOMPARE(main->reportRateIndex(), 1);
    QCOMPARE(int(rig.v.mouse.state().reportRate), 4);
    QVERIFY(main->viewEnabled());

    // The next start opens the profile chosen last.
    rig.restart();
    rig.screens->main()->initUI();
    QCOMPARE(rig.screens->main()->profileNo(), 2);
    QCOMPARE(rig.screens->main()->reportRateIndex(), 1);
}

void TestMainScreen::flowsEndEnabledWhenTheMouseGoes_data()
{
    QTest::addColumn<QString>("flow");
    QTest::newRow("save") << "save";
    QTest::newRow("reset") << "reset";
    QTest::newRow("profile") << "profile";
}

void TestMainScreen::flowsEndEnabledWhenTheMouseGoes()
{
    QFETCH(QString, flow);
    ScreenRig rig;
    MainScreen* main = rig.screens->main();
    main->initUI();
    main->controlUIEnable(true);
    rig.screens->keyMatrix()->setSave(true);
    rig.screens->dpiSetting()->setSave(true);
    rig.v.mouse.unplugAfterReports(1);
    QSignalSpy enabled(main, &MainScreen::viewEnabledChanged);
    if (flow == "save") {
        main->save();
    } else if (flow == "reset") {
        main->factoryReset();
    } else {
        main->changeProfile(1);
    }
    QCOMPARE(enabled.count(), 2);
    QVERIFY(main->viewEnabled());
}

void TestMainScreen::setCurrentDpi()
{
    ScreenRig rig;
    MainScreen* main = rig.screens->main();
    main->setCurrentDPI(4);
    QCOMPARE(rig.screens->dpiSetting()->currentDPI(), 3);
    main->setCurrentDPI(0);
    QCOMPARE(rig.screens->dpiSetting()->currentDPI(), 3);
}

void TestMainScreen::damagedValuesFallBack()
{
    ScreenRig rig;
    rig.writeProfile("mouse/dpiValueArray", QVariantList {400, 800, 1600, 3200, 4800});
    rig.writeProfile("mouse/lightValue", QStringList {"x", "1", "1"});
    rig.restart();
    rig.screens->main()->initUI();
    const QList<int> damaged = rig.screens->dpiSetting()->values();
    // The default profile's effect.
    QCOMPARE(rig.screens->lightControl()->modeIndex(), rig.store->getDataList("mouse/lightValue", true).at(0).toInt());

    // A damaged list counts as no list: the default profile's stages.
    const QList<int> defaults
        = ScreenValues::intList(rig.store->getDataList("mouse/dpiValueArray", true), QList<int>(8, -1));
    QCOMPARE(damaged, defaults);
    rig.store->currentProfileSettings()->remove("mouse/dpiValueArray");
    rig.restart();
    rig.screens->main()->initUI();
    QCOMPARE(rig.screens->dpiSetting()->values(), defaults);
}

void TestMainScreen::shortLanguageListKeepsDefaults()
{
    ScreenRig rig;
    {
        QSettings english(rig.modules.path("modules/i18n/English.ini"), QSettings::IniFormat);
        english.setValue("main/total", 2);
    }
    rig.screens->main()->initUI();
    const QStringList texts = rig.screens->main()->mainLang();
    QCOMPARE(texts.size(), 18);
    QCOMPARE(texts.at(MainScreen::DiscardText), QString("Discard"));
    QCOMPARE(texts.at(MainScreen::SaveText), QString("Save"));
    QCOMPARE(texts.at(MainScreen::OkText), QString("OK"));
}

QTEST_GUILESS_MAIN(TestMainScreen)
#include "TestMainScreen.moc"
