#ifndef QX7_AUTOSTART_H
#define QX7_AUTOSTART_H

#include <QString>

// Starting the configurator with the user's desktop session: the user's own autostart entry,
// written or removed. Such a start passes `Option`, and shows no window without a mouse.
class Autostart
{
public:
    static const char* const Option;

    // `program`: the configurator's absolute path, the one the entry starts.
    explicit Autostart(const QString& program);

    // The configurator beside the running program (qx7ctl's, or the configurator itself).
    static QString besideThisProgram();

    bool isOn() const;
    // False when the entry could not be written or removed; `error` then says what failed.
    bool setOn(bool on, QString* error);
    // Where the entry is kept.
    QString location() const;
    // The command line the entry starts, as written in it; empty while off.
    QString command() const;

private:
    QString m_program;
};

#endif // QX7_AUTOSTART_H
