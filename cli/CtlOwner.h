#ifndef QX7_CTLOWNER_H
#define QX7_CTLOWNER_H

#include "CtlOutput.h"
#include "HidOwner.h"

#include <atomic>

// The link's view of qx7ctl: device flags from the configuration; DPI events printed.
class CtlOwner : public HidOwner
{
public:
    CtlOwner(bool gun, const QString& type)
        : m_gun(gun)
        , m_type(type)
    {
    }
    bool isGun() const override { return m_gun; }
    QString icType() const override { return m_type; }
    void setCurrentDPI(int stage) override { CtlOutput::line(QStringLiteral("dpi %1").arg(stage)); }
    void setViewEnabled(bool enabled) override { removed = !enabled; }

    std::atomic<bool> removed {false};

private:
    bool m_gun;
    QString m_type;
};

#endif // QX7_CTLOWNER_H
