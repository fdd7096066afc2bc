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

// One qx7ctl command: its name, argument form, summary and examples (for --help, the manual page
// and the README, all made from the table), and the parser that checks the arguments against the
// screens' rules before any device is opened. The parser returns the body to run, or the reason
// the arguments were refused.
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

    // The screens are loaded from the store; no device is open yet.
    struct Request
    {
        const QString& name;
        const QStringList& args;
        const ConfigStore& store;
        const MacroLibrary& macros;
        Screens& screens;
    };

    struct Parsed
    {
        Body body;
        QString error;
        // False when the body only reads and writes the settings files.
        bool needsDevice = true;
    };

    QString name;
    // One word per argument, optional ones in brackets: the counts the parser may expect.
    QString arguments;
    // What the command does, for --help and the manual; a line break continues it below.
    QString summary;
    Parsed (*parse)(const Request& request);
    // Command lines as a user types them, each with what it does after "  # ". The README and the
    // manual page show them, and a test runs them in order against the virtual mouse.
    QStringList examples = {};

    // Checks the number of arguments, then parses them.
    Parsed parseArguments(const Request& request) const;

    static const QList<CtlCommand>& all();
    // Null for an unknown name.
    static const CtlCommand* find(const QString& name);
};

#endif // QX7_CTLCOMMAND_H
