#include "DesktopNotifier.h"

// Windows always has its notification area: the tray shows every message.
DesktopNotifier* DesktopNotifier::create(QObject* parent)
{
    Q_UNUSED(parent);
    return nullptr;
}
