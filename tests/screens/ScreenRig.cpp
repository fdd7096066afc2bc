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
    screens.reset();
    ops.reset();
    store = std::make_unique<ConfigStore>(modules.baseDir());
    store->setFileChooser(&chooser);
    macros = std::make_unique<MacroLibrary>(*store);
    guns = std::make_unique<GunStore>(*store);
    languages = std::make_unique<LanguageStore>(modules.baseDir());
    ops = std::make_unique<DeviceOperations>(&v.link, store.get());
    screens = std::make_unique<Screens>(*store, *macros, *guns, *languages, *ops);
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
