#ifndef QX7_QX7CTL_H
#define QX7_QX7CTL_H

#include <QStringList>
#include <QTextStream>

// The command-line tool: connects as the configurator does, then runs one command on the current
// profile, storing what the screens store and sending what they send.
class Qx7Ctl
{
public:
    enum Status { Success = 0, BadUsage = 1, NoDevice = 2, ExchangeFailed = 3, FileFailed = 4 };

    // `arguments` without the program name.
    static int run(const QStringList& arguments);
    static QString helpText();
};

#endif // QX7_QX7CTL_H
