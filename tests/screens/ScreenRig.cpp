#include "ScreenRig.h"

#include "MainScreen.h"
#include "ProfileScreen.h"

#include <QRegularExpression>
#include <QSettings>

ScreenRig::ScreenRig()
    : ScreenRig(Flags())
{
}

ScreenRig::ScreenRig(const Flags& flags)
    : v(TestSupport::familyConfig(flags.icType))
{
    {
        QSettings global(modules.path(QStringLiteral("modules/setting/apConfig.bin")), QSettings::IniFormat);
        global.setValue(QStringLiteral("mouse/icType"), flags.icType);
        global.setValue(QStringLiteral("mouse/isColorful"), flags.colorful);
        global.setValue(QStringLiteral("mouse/isGun"), flags.gun);
        global.setValue(QStringLiteral("mouse/is55328"), flags.is55328);
    }
    v.owner.gun = flags.gun;
    v.owner.type = controllerFamilyOf(flags.icType);
    restart();
}

void ScreenRig::restart()
{
    core.reset();
    core = std::make_unique<Core>(modules.baseDir());
    core->store().setFileChooser(&chooser);
    core->attach(&v.link);
    store = &core->store();
    macros = &core->macros();
    guns = &core->guns();
    languages = &core->languages();
    ops = core->operations();
    screens = core->screens();
    screens->setPointer(this);
    screens->setCapture(this);
}

void ScreenRig::start(int newProfiles)
{
    ProfileScreen* profiles = screens->profile();
    profiles->init();
    for (int i = 0; i < newProfiles; ++i) {
        profiles->newProfile();
    }
    screens->main()->initUI();
    screens->main()->controlUIEnable(true);
}

void ScreenRig::writeProfile(const QString& key, const QVariant& value)
{
    store->setData(key, value);
}

QStringList ScreenRig::commandCodes() const
{
    static const QRegularExpression frame(QStringLiteral("^feature-out 00 ([0-9a-f]{2})"));
    QStringList codes;
    for (const QString& line : v.log) {
        const QRegularExpressionMatch m = frame.match(line);
        if (m.hasMatch()) {
            codes << m.captured(1);
        }
    }
    return codes;
}

bool ScreenRig::setCursorSpeed(int level)
{
    pointerCalls << QStringLiteral("speed %1").arg(level);
    return true;
}

bool ScreenRig::setDoubleClickSpeed(int level)
{
    pointerCalls << QStringLiteral("double %1").arg(level);
    return true;
}

bool ScreenRig::setScrollLines(int lines)
{
    pointerCalls << QStringLiteral("lines %1").arg(lines);
    return true;
}

void ScreenRig::setCapturing(bool capturing)
{
    captureCalls << capturing;
}
