#ifndef QX7_POINTERSETTINGSKDE_H
#define QX7_POINTERSETTINGSKDE_H

#include "PointerSettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// KDE Plasma's wheel scroll lines and double-click interval in the user's kdeglobals, group [KDE],
// written by KConfig's rules: under its lock file, in every [KDE] group that holds the key, and
// refused where the file, the group or the entry is immutable ("[$i]") there or in a system-wide
// kdeglobals. Only those lines change; the rest of the file stays as it was, and the file is
// replaced whole or not at all. Running programs are told through the session bus. Plasma keeps
// the pointer speed per device, so that setting is not offered.
class PointerSettingsKde : public PointerSettings
{
public:
    // `configHome` holds kdeglobals; by default the user's configuration folder.
    explicit PointerSettingsKde(const QString& configHome = QString());

    // True in a Plasma session.
    static bool isCurrentDesktop();

    bool offers(Setting setting) const override;

    // `contents` with `key` of group [KDE] set to `value`; empty when the file, the group or the
    // key is marked immutable.
    static QByteArray withValue(const QByteArray& contents, const QByteArray& key, const QByteArray& value);

protected:
    bool writePointerSpeed(uint32_t speed) override;
    bool writeDoubleClickTime(uint32_t milliseconds) override;
    bool writeWheelScrollLines(uint32_t lines) override;

private:
    bool write(const QByteArray& key, uint32_t value);

    QString m_file;
    // The system's configuration folders, read before the user's.
    QStringList m_systemDirs;
};

#endif // QX7_POINTERSETTINGSKDE_H
