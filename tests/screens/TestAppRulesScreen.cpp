// What the rules decide for a window in front, and what the store reads from a rules file; the
// switching itself is in the screens' flows table.
#include "AppRulesScreen.h"
#include "ConfigStore.h"
#include "TempModules.h"
#include "TestSupport.h"

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
};

QTEST_GUILESS_MAIN(TestAppRulesScreen)
#include "TestAppRulesScreen.moc"
