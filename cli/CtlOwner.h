#ifndef QX7_CTLOWNER_H
#define QX7_CTLOWNER_H

#include "CtlOutput.h"
#include "HidOwner.h"

#include <atomic>

// The link's view of qx7ctl: device flags from the configuration; DPI events printed.
class CtlOwner : public HidOwner
{
public:
    CtlOwner(bool gun, ControllerFamily family)
        : m_gun(gun)
        , m_family(family)
    {
    }
    bool isGun() const override { return m_gun; }
    ControllerFamily family() const override { return m_family; }
    void setCurrentDPI(int stage) override { CtlOutput::line(QStringLiteral("dpi %1").arg(stage)); }
    void setViewEnabled(bool enabled) override { removed = !enabled; }

    std::atomic<bool> removed {false};

private:
    bool m_gun;
    ControllerFamily m_family;
};

#endif // QX7_CTLOWNER_H
