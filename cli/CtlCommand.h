#ifndef QX7_CTLCOMMAND_H
#define QX7_CTLCOMMAND_H

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class ConfigStore;
class CtlOwner;
class DeviceOperations;
class GunStore;
class Hid_Thread;
class MacroLibrary;
class Screens;
class VirtualMouse;

// One qx7ctl command: its name and argument form for --help, and the parser that checks the
// arguments before any device is opened. The parser returns the body to run once a device is
// verified, or the reason the arguments were refused.
class CtlCommand
{
public:
    // What a body works on: the store, the connected device and the screens over both, loaded as
    // the configurator loads them at start.
    struct Context
    {
        ConfigStore& store;
        Hid_Thread& link;
        DeviceOperations& ops;
        MacroLibrary& macros;
        GunStore& guns;
        CtlOwner& owner;
        VirtualMouse* virtualMouse;
        int deviceIndex;
        Screens& screens;
    };

    // Returns the exit status.
    using Body = std::function<int(Context&)>;

    struct Request
    {
        const QString& name;
        const QStringList& args;
        const ConfigStore& store;
        const MacroLibrary& macros;
    };

    struct Parsed
    {
        Body body;
        QString error;
    };

    QString name;
    // One word per argument, optional ones in brackets: the count the parser may expect.
    QString arguments;
    // One line of --help; a line break continues it below.
    QString summary;
    Parsed (*parse)(const Request& request);

    // Checks the number of arguments, then parses them.
    Parsed parseArguments(const Request& request) const;

    static const QList<CtlCommand>& all();
    // Null for an unknown name.
    static const CtlCommand* find(const QString& name);
};

#endif // QX7_CTLCOMMAND_H
