#ifndef QX7_KEYFILESETTINGS_H
#define QX7_KEYFILESETTINGS_H

#include <QString>
#include <QTemporaryDir>

// The desktop's settings service (GIO's GSettings) kept in a keyfile under a temporary
// configuration home, with GNOME's keys whatever desktop the tests run under.
class KeyfileSettings
{
public:
    static constexpr const char* MouseGroup = "org/gnome/desktop/peripherals/mouse";

    // Must run before GIO picks its settings database, that is before its first use.
    bool start();
    // What the keyfile holds for a key of a group; empty when nothing is stored.
    QString value(const QString& group, const QString& key) const;

private:
    QTemporaryDir m_home;
};

#endif // QX7_KEYFILESETTINGS_H
