#ifndef QX7_CTLPROFILECOMMANDS_H
#define QX7_CTLPROFILECOMMANDS_H

#include "CtlCommand.h"

// The profile commands: the list the profiles dialog edits, through its class and rules, and the
// switch the top menu makes.
namespace CtlProfileCommands {

CtlCommand::Parsed parseProfile(const CtlCommand::Request& request);
CtlCommand::Parsed parseNew(const CtlCommand::Request& request);
CtlCommand::Parsed parseRename(const CtlCommand::Request& request);
CtlCommand::Parsed parseExport(const CtlCommand::Request& request);
CtlCommand::Parsed parseImport(const CtlCommand::Request& request);
CtlCommand::Parsed parseDelete(const CtlCommand::Request& request);

} // namespace CtlProfileCommands

#endif // QX7_CTLPROFILECOMMANDS_H
