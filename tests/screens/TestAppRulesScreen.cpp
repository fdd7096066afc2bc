#include "AppRulesScreen.h"
#include "DpiSettingScreen.h"
#include "MainScreen.h"
#include "ProfileScreen.h"
#include "ScreenRig.h"
#include "TestSupport.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// "application,class,title,profile,name" per rule, rules separated by ';'.
QList<AppRule> parseRules(const QString& text)
{
    QList<AppRule> rules;
    for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList f = part.trimmed().split(QLatin1Char(','));
        rules << AppRule {f.value(0), f.value(1), f.value(2), f.value(3).toInt(), f.value(4)};
    }
    return rules;
}

QString rulesText(const AppRulesStore::Rules& rules)
{
    QStringList parts;
    for (const AppRule& r : rules.list) {
        parts << QStringLiteral("%1,%2,%3,%4,%5")
                     .arg(r.application, r.windowClass, r.title)
                     .arg(r.profile)
                     .arg(r.profileName);
    }
    return QStringLiteral("%1 other %2,%3 | %4")
        .arg(rules.enabled ? "on" : "off")
        .arg(rules.other)
        .arg(rules.otherName, parts.join(QStringLiteral("; ")));
}

FrontWindow window(const QString& text)
{
    const QStringList f = text.split(QLatin1Char(','));
    return {f.value(0), f.value(1), f.value(2), false};
}

// The screens over a virtual mouse, started, with the profiles Standard, profile_0 and profile_1.
struct Fixture
{
    explicit Fixture(const ScreenRig::Flags& flags = {})
        : rig(flags)
    {
        rules()->setClock(&clock);
        rig.start(2);
    }

    AppRulesScreen* rules() const { return rig.screens->appRules(); }
    MainScreen* main() const { return rig.screens->main(); }

    // Brings `application` to the front and lets the settle time pass by the test's clock.
    void front(const QString& application, int ticks = AppRulesScreen::SettleMs / TickClock::TickMs)
    {
        rules()->setFrontWindow({application, {}, {}, false});
        clock.advance(ticks);
        rules()->evaluate();
    }

    ScreenRig rig;
    ManualClock clock;
};

} // namespace

class TestAppRulesScreen : public QObject
{
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<QString>("rules");
        QTest::addColumn<int>("other");
        QTest::addColumn<QString>("otherName");
        QTest::addColumn<QString>("front");
        QTest::addColumn<int>("expected");
        // The profiles are Standard, FPS and Video.
        // clang-format off
        QTest::newRow("executable in any case") << "Game.EXE,,,1,FPS" << -1 << "" << "game.exe" << 1;
        QTest::newRow("no rule: every other") << "game.exe,,,1,FPS" << 2 << "Video" << "firefox" << 2;
        QTest::newRow("no rule: left as is") << "game.exe,,,1,FPS" << -1 << "" << "firefox" << -1;
        QTest::newRow("class narrows") << "firefox,Navigator,,2,Video; firefox,,,1,FPS" << -1 << "" << "firefox,navigator" << 2;
        QTest::newRow("other class") << "firefox,Navigator,,2,Video; firefox,,,1,FPS" << -1 << "" << "firefox,Dialog" << 1;
        QTest::newRow("part of the title") << "firefox,,youtube,2,Video" << -1 << "" << "firefox,,Music - YouTube" << 2;
        QTest::newRow("title without it") << "firefox,,youtube,2,Video" << 0 << "" << "firefox,,News" << 0;
        QTest::newRow("first rule wins") << "game.exe,,,1,FPS; game.exe,,,2,Video" << -1 << "" << "game.exe" << 1;
        QTest::newRow("profile renamed behind the rule") << "game.exe,,,1,Shooter" << 0 << "" << "game.exe" << 0;
        QTest::newRow("profile past the list") << "game.exe,,,5,FPS" << -1 << "" << "game.exe" << -1;
        QTest::newRow("first entry in any language") << "game.exe,,,0,Standaard" << -1 << "" << "game.exe" << 0;
        QTest::newRow("every other's profile renamed") << "" << 1 << "Old" << "game.exe" << -1;
        // clang-format on
    }

    void choice()
    {
        QFETCH(QString, rules);
        QFETCH(int, other);
        QFETCH(QString, otherName);
        QFETCH(QString, front);
        QFETCH(int, expected);
        const AppRulesStore::Rules set {true, other, otherName, parseRules(rules)};
        QCOMPARE(AppRulesScreen::choice(set, window(front), {"Standard", "FPS", "Video"}), expected);
    }

    // What a file holds, as the store reads it: entries it cannot use are left out.
    void storedRules_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("written by the store")
            << QByteArray("[rules]\nenabled=true\nother=2\notherName=Video\nlist\\1\\application=game.exe\n"
                          "list\\1\\windowClass=steam_app_1\nlist\\1\\title=\nlist\\1\\profile=1\n"
                          "list\\1\\profileName=FPS\nlist\\size=1\n")
            << "on other 2,Video | game.exe,steam_app_1,,1,FPS";
        QTest::newRow("unusable entries")
            << QByteArray("[rules]\nenabled=yes\nother=12\notherName=X\nlist\\1\\application=../evil\nlist\\1\\profile=1\n"
                          "list\\2\\application=a\nlist\\2\\profile=10\nlist\\3\\application=b\nlist\\3\\profile=x\n"
                          "list\\4\\application=\nlist\\4\\profile=1\nlist\\5\\application=c\nlist\\5\\profile=9\n"
                          "list\\size=5\n")
            << "off other -1, | c,,,9,";
        QTest::newRow("count far past the cap")
            << QByteArray("[rules]\nlist\\1\\application=a\nlist\\1\\profile=0\nlist\\size=2000000000\n")
            << "off other -1, | a,,,0,";
        QTest::newRow("binary values") << TestSupport::binaryBytes() << "off other -1, | ";
        // clang-format on
    }

    void storedRules()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, expected);
        TempModules modules;
        QVERIFY(modules.write("modules/setting/appRules.bin", contents));
        ConfigStore store(modules.baseDir());
        AppRulesStore rules(store);
        const AppRulesStore::Rules loaded = rules.load();
        QCOMPARE(rulesText(loaded), expected);
        // What was read is written back as it reads.
        if (!contents.contains("@Variant")) {
            QVERIFY(rules.save(loaded));
            QCOMPARE(rulesText(rules.load()), expected);
        }
    }

    // The switch comes once the front has held for the settle time and nothing makes it wait; a
    // wait holds it until it ends, and then the rules decide.
    void switchWaits_data()
    {
        QTest::addColumn<QString>("wait");
        QTest::newRow("nothing") << "";
        QTest::newRow("exchange") << "exchange";
        QTest::newRow("open dialog") << "dialog";
        QTest::newRow("unsaved edits") << "edits";
        QTest::newRow("profile chosen by hand") << "hand";
        QTest::newRow("edits, and a choice by hand cancelled") << "cancelled";
        QTest::newRow("own window in front") << "own";
    }

    void switchWaits()
    {
        QFETCH(QString, wait);
        Fixture f;
        AppRulesScreen* rules = f.rules();
        QVERIFY(rules->addApplication("game.exe", {}, {}, 1));
        QVERIFY(rules->setOther(2));
        QVERIFY(rules->setEnabled(true));
        QSignalSpy switched(rules, &AppRulesScreen::switched);

        f.front("game.exe", AppRulesScreen::SettleMs / TickClock::TickMs - 1);
        QCOMPARE(f.main()->profileNo(), 0);
        if (wait == "exchange") {
            f.rig.v.link.setHidFree(false);
        } else if (wait == "dialog") {
            rules->setDialogOpen(true);
        } else if (wait == "edits") {
            f.rig.screens->dpiSetting()->setSave(true);
        } else if (wait == "hand") {
            f.main()->changeProfile(2);
        } else if (wait == "cancelled") {
            f.rig.screens->dpiSetting()->setSave(true);
            f.main()->chooseProfile(2);
            f.main()->answerProfileQuestion(MainScreen::CancelAnswer);
        } else if (wait == "own") {
            // Looking at the configurator neither restarts the settle time nor counts as an application.
            rules->setFrontWindow({"qx7-config", {}, {}, true});
        }
        f.clock.advance(1);
        rules->evaluate();
        QCOMPARE(f.main()->profileNo(), wait == "" || wait == "own" ? 1 : wait == "hand" ? 2 : 0);

        // The link tells nobody when it is free: the retry looks again. The others call back.
        if (wait == "exchange") {
            f.rig.v.link.setHidFree(true);
            rules->evaluate();
        } else if (wait == "dialog") {
            rules->setDialogOpen(false);
        } else if (wait == "edits" || wait == "cancelled") {
            f.rig.screens->dpiSetting()->setSave(false);
        } else if (wait == "hand") {
            // Held while the same application stays in front; another one ends the hold.
            rules->setFrontWindow({"game.exe", {}, "another title", false});
            f.clock.advance(100);
            rules->evaluate();
            QCOMPARE(f.main()->profileNo(), 2);
            f.front("firefox", 1);
            f.front("game.exe");
        }
        QTRY_COMPARE(f.main()->profileNo(), 1);
        QCOMPARE(switched.size(), 1);
        QCOMPARE(switched.first(), QVariantList({"profile_0", "game.exe"}));

        // Back to an application no rule names: the choice for every other one.
        f.front("firefox");
        QCOMPARE(f.main()->profileNo(), 2);
    }

    // A rename takes the rules along; a delete removes its rules and moves those after it.
    void followsProfileList_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("rename") << "rename" << 2
            << "on other 2,Video | a,,,1,profile_0; b,,,2,Video; d,,,2,Gone";
        QTest::newRow("delete its profile") << "delete" << 2
            << "on other -1, | a,,,1,profile_0";
        QTest::newRow("delete one before") << "delete" << 1
            << "on other 1,profile_1 | b,,,1,profile_1; d,,,1,Gone";
        // clang-format on
    }

    void followsProfileList()
    {
        QFETCH(QString, action);
        QFETCH(int, index);
        QFETCH(QString, expected);
        Fixture f;
        AppRulesStore::Rules rules {true, 2, "profile_1", parseRules("a,,,1,profile_0; b,,,2,profile_1; d,,,2,Gone")};
        QVERIFY(AppRulesStore(*f.rig.store).save(rules));
        f.rules()->init();
        if (action == "rename") {
            QVERIFY(f.rig.screens->profile()->rename(index, "Video"));
        } else {
            QVERIFY(f.rig.screens->profile()->deleteProfile(index));
        }
        QCOMPARE(rulesText(f.rules()->rules()), expected);
        QCOMPARE(rulesText(AppRulesStore(*f.rig.store).load()), expected);
    }

    // An automatic switch sends what differs from what the mouse last received on this connection,
    // and leaves the mouse as the full change does; after a failed exchange or a new connection it
    // sends everything.
    void quickSwitch_data()
    {
        QTest::addColumn<QString>("icType");
        QTest::addColumn<bool>("gun");
        QTest::addColumn<bool>("is55328");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("quickCodes");
        // clang-format off
        QTest::newRow("553") << "553" << false << false << "" << QStringList {"11", "0d", "10", "10"};
        QTest::newRow("553 with gun") << "553" << true << false << "" << QStringList {"11", "0d", "10", "10"};
        QTest::newRow("55328") << "553" << false << true << "" << QStringList {"11", "0d", "0c"};
        QTest::newRow("560 with gun") << "560" << true << false << "" << QStringList {"0c", "0c", "0c", "0c"};
        QTest::newRow("after a failed exchange") << "553" << false << false << "failed" << QStringList {};
        QTest::newRow("after a new connection") << "553" << false << false << "connect" << QStringList {};
        // clang-format on
    }

    void quickSwitch()
    {
        QFETCH(QString, icType);
        QFETCH(bool, gun);
        QFETCH(bool, is55328);
        QFETCH(QString, before);
        QFETCH(QStringList, quickCodes);
        QStringList states[2];
        QStringList codes[2];
        for (int quick = 0; quick < 2; ++quick) {
            Fixture f({icType, false, gun, is55328});
            // The second profile differs in DPI and lighting.
            f.rig.store->setCurrentProfile(1);
            f.rig.writeProfile("mouse/dpiValueArray", QVariantList {800, 1600, 2400, 3200, 4800, 6400, 8000, 12000});
            f.rig.writeProfile("mouse/lightValue", QVariantList {3, 1, 2});
            f.rig.writeProfile("mouse/colorValue", QVariantList(24, 64));
            f.rig.store->setCurrentProfile(0);
            f.main()->changeProfile(1);
            f.main()->changeProfile(0);
            if (before == "failed") {
                f.rig.v.link.setHidFree(false);
                f.rig.ops->mouseSetCurrentDPI(2);
                f.rig.v.link.setHidFree(true);
            } else if (before == "connect") {
                f.rig.ops->connectDevice(0, false);
            }
            f.rig.v.clearLog();
            if (quick) {
                f.main()->followProfile(1);
            } else {
                f.main()->changeProfile(1);
            }
            states[quick] = TestSupport::settingLines(f.rig.v.mouse.state());
            codes[quick] = f.rig.commandCodes();
        }
        QCOMPARE(states[1], states[0]);
        QCOMPARE(codes[1], before.isEmpty() ? quickCodes : codes[0]);
    }
};

QTEST_GUILESS_MAIN(TestAppRulesScreen)
#include "TestAppRulesScreen.moc"
