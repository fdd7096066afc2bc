#ifndef QX7_SCENETYPES_H
#define QX7_SCENETYPES_H

#include "AppRulesScreen.h"
#include "DpiSettingScreen.h"
#include "GunControlScreen.h"
#include "KeyAssigmentScreen.h"
#include "KeyMatrixScreen.h"
#include "LightControlScreen.h"
#include "MacroEditorScreen.h"
#include "MainScreen.h"
#include "ProfileScreen.h"
#include "Screens.h"
#include "SystemSettingScreen.h"

#include <QQmlEngine>

// The screens' rule objects as the scene's singletons: each engine takes them from the Screens
// object its view publishes with publish().
namespace SceneTypes {

void publish(QQmlEngine* engine, Screens* screens);
Screens* screensOf(QQmlEngine* engine);

template <typename T>
T* singleton(QQmlEngine* engine, T* (Screens::*screen)() const)
{
    Screens* screens = screensOf(engine);
    T* object = screens ? (screens->*screen)() : nullptr;
    if (object) {
        QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
    }
    return object;
}

} // namespace SceneTypes

#define QX7_SCENE_SINGLETON(Type, accessor)                                                                            \
    struct Type##Foreign                                                                                               \
    {                                                                                                                  \
        Q_GADGET                                                                                                       \
        QML_FOREIGN(Type)                                                                                              \
        QML_NAMED_ELEMENT(Type)                                                                                        \
        QML_SINGLETON                                                                                                  \
    public:                                                                                                            \
        static Type* create(QQmlEngine* engine, QJSEngine*)                                                            \
        {                                                                                                              \
            return SceneTypes::singleton(engine, &Screens::accessor);                                                  \
        }                                                                                                              \
    };

QX7_SCENE_SINGLETON(MainScreen, main)
QX7_SCENE_SINGLETON(KeyMatrixScreen, keyMatrix)
QX7_SCENE_SINGLETON(DpiSettingScreen, dpiSetting)
QX7_SCENE_SINGLETON(LightControlScreen, lightControl)
QX7_SCENE_SINGLETON(SystemSettingScreen, systemSetting)
QX7_SCENE_SINGLETON(GunControlScreen, gunControl)
QX7_SCENE_SINGLETON(ProfileScreen, profile)
QX7_SCENE_SINGLETON(MacroEditorScreen, macroEditor)
QX7_SCENE_SINGLETON(KeyAssigmentScreen, keyAssigment)
QX7_SCENE_SINGLETON(AppRulesScreen, appRules)

#endif // QX7_SCENETYPES_H
