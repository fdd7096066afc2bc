// The system settings: slider levels, the scroll choices and the number field, each stored in the
// profile and applied; a setting the desktop lacks is stored but not applied.
#include "ConfigStore.h"
#include "MainScreen.h"
#include "ScreenRig.h"
#include "SystemSettingScreen.h"

#include <QTest>

namespace {

int stored(const ScreenRig& rig, const char* key)
{
    return rig.store->getData(QString::fromLatin1(key), false).toInt();
}

} // namespace

class TestSystemSettingScreen : public QObject
{
    Q_OBJECT

private slots:
    void sliders_data();
    void sliders();
    void scroll_data();
    void scroll();
    void settingTheDesktopLacks();
    void restoreAppliesTheDefaults();
};

void TestSystemSettingScreen::sliders_data()
{
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("kept"); // the number the profile keeps
    QTest::addColumn<int>("level");
    // clang-format off
    QTest::newRow("speed 3")          << false << 0   << 3   << 0;
    QTest::newRow("speed 4")          << false << 1   << 4   << 1;
    QTest::newRow("speed 337")        << false << 334 << 337 << 10;
    QTest::newRow("past the end")     << false << 400 << 337 << 10;
    QTest::newRow("double click 36")  << true  << 33  << 36  << 1;
    QTest::newRow("double click 37")  << true  << 34  << 37  << 2;
    QTest::newRow("double click 305") << true  << 302 << 305 << 10;
    QTest::newRow("double click 304") << true  << 301 << 304 << 9;
    // clang-format on
}

void TestSystemSettingScreen::sliders()
{
    QFETCH(bool, doubleClick);
    QFETCH(int, position);
    QFETCH(int, kept);
    QFETCH(int, level);
    ScreenRig rig;
    rig.screens->main()->initUI();
    SystemSettingScreen* system = rig.screens->systemSetting();
    doubleClick ? system->releaseDoubleClick(position) : system->releaseSpeed(position);
    QCOMPARE(stored(rig, doubleClick ? "mouse/doubleRate" : "mouse/mouseRate"), kept);
    const QString call = doubleClick ? QStringLiteral("double %1") : QStringLiteral("speed %1");
    QCOMPARE(rig.pointerCalls, QStringList {call.arg(level)});
}

void TestSystemSettingScreen::scroll_data()
{
    QTest::addColumn<QString>("action"); // "screen", "rows", or the text the field is left with
    QTest::addColumn<int>("amount");
    QTest::addColumn<int>("lines");
    // clang-format off
    QTest::newRow("Scroll one Screen")   << "screen" << 1000 << 7;
    QTest::newRow("back to rows")        << "rows"   << 7    << 7;
    QTest::newRow("field cleared")       << ""       << 1    << 1;
    QTest::newRow("field 0")             << "0"      << 1    << 1;
    QTest::newRow("field 42")            << "42"     << 42   << 42;
    QTest::newRow("field above 100")     << "250"    << 100  << 100;
    // clang-format on
}

void TestSystemSettingScreen::scroll()
{
    QFETCH(QString, action);
    QFETCH(int, amount);
    QFETCH(int, lines);
    ScreenRig rig;
    rig.writeProfile("mouse/scrollRate", 7);
    rig.screens->main()->initUI();
    SystemSettingScreen* system = rig.screens->systemSetting();
    if (action == QLatin1String("rows")) {
        system->chooseOneScreen();
        rig.pointerCalls.clear();
        system->chooseRows();
    } else if (action == QLatin1String("screen")) {
        system->chooseOneScreen();
    } else {
        system->leaveLines(action);
    }
    QCOMPARE(stored(rig, "mouse/scrollRate"), amount);
    QCOMPARE(rig.pointerCalls, QStringList {QStringLiteral("lines %1").arg(amount)});
    QCOMPARE(system->scrollOneScreen(), amount == 1000);
    QCOMPARE(system->lines(), lines);
}

void TestSystemSettingScreen::settingTheDesktopLacks()
{
    ScreenRig rig;
    rig.unoffered << PointerControl::Setting::ScrollLines;
    rig.screens->main()->initUI();
    SystemSettingScreen* system = rig.screens->systemSetting();
    system->readDesktop();
    QVERIFY(!system->scrollOffered());
    QVERIFY(system->speedOffered() && system->doubleClickOffered());
    system->chooseOneScreen();
    QCOMPARE(stored(rig, "mouse/scrollRate"), 1000);
    QCOMPARE(rig.pointerCalls, QStringList {});
    // A profile change applies what the desktop has, and keeps the rest.
    rig.screens->main()->changeProfile(1);
    QCOMPARE(rig.pointerCalls.size(), 2);
    QVERIFY(rig.pointerCalls.filter("lines").isEmpty());
}

void TestSystemSettingScreen::restoreAppliesTheDefaults()
{
    ScreenRig rig;
    rig.screens->main()->initUI();
    SystemSettingScreen* system = rig.screens->systemSetting();
    system->releaseSpeed(297);
    system->chooseOneScreen();
    rig.pointerCalls.clear();
    system->restore();
    const QSettings* defaults = rig.store->defaultProfileSettings();
    QCOMPARE(stored(rig, "mouse/mouseRate"), defaults->value("mouse/mouseRate").toInt());
    QCOMPARE(stored(rig, "mouse/scrollRate"), defaults->value("mouse/scrollRate").toInt());
    QCOMPARE(rig.pointerCalls,
             (QStringList {QStringLiteral("speed %1").arg(SystemSettingScreen::levelOf(system->mouseRate())),
                           QStringLiteral("double %1").arg(SystemSettingScreen::levelOf(system->doubleRate())),
                           QStringLiteral("lines %1").arg(system->scrollRate())}));
}

QTEST_GUILESS_MAIN(TestSystemSettingScreen)
#include "TestSystemSettingScreen.moc"
