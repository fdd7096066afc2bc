#ifndef QX7_QX7CTL_H
#define QX7_QX7CTL_H

#include <QList>
#include <QStringList>

// The command-line tool: loads the screens from the settings as the configurator does, checks the
// command against their rules, connects to the mouse when the command needs it, then runs the
// command, storing what the screens store and sending what they send.
class Qx7Ctl
{
public:
    enum Status { Success = 0, BadUsage = 1, NoDevice = 2, ExchangeFailed = 3, FileFailed = 4 };

    struct Option
    {
        const char* name;
        // Null for an option that takes no value.
        const char* value;
        const char* description;
    };
    static const QList<Option>& options();

    // `arguments` without the program name.
    static int run(const QStringList& arguments);
};

#endif // QX7_QX7CTL_H
