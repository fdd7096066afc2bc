#ifndef QX7_CONTROLLERFAMILY_H
#define QX7_CONTROLLERFAMILY_H

#include <QString>

// The two controller families, each with its own command set. The configuration names the family
// of the mouse in "mouse/icType"; it is decided from that text here and nowhere else.
enum class ControllerFamily { Set553, Set560 };

// "560" selects the 560 family; any other value the 553 family.
inline ControllerFamily controllerFamilyOf(const QString& icType)
{
    return icType == QLatin1String("560") ? ControllerFamily::Set560 : ControllerFamily::Set553;
}

#endif // QX7_CONTROLLERFAMILY_H
