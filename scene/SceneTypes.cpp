#include "SceneTypes.h"

namespace {

constexpr char ScreensProperty[] = "qx7Screens";

} // namespace

namespace SceneTypes {

void publish(QQmlEngine* engine, Screens* screens)
{
    engine->setProperty(ScreensProperty, QVariant::fromValue(static_cast<QObject*>(screens)));
}

Screens* screensOf(QQmlEngine* engine)
{
    return qobject_cast<Screens*>(engine->property(ScreensProperty).value<QObject*>());
}

} // namespace SceneTypes
