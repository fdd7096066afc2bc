#ifndef QX7_CTLAPPRULES_H
#define QX7_CTLAPPRULES_H

#include "CtlCommand.h"

// qx7ctl app-rules: lists, adds and removes the rules that choose a profile for the application in
// front, and switches them on or off, through the applications dialog's screen.
namespace CtlAppRules {

CtlCommand::Parsed parse(const CtlCommand::Request& request);

} // namespace CtlAppRules

#endif // QX7_CTLAPPRULES_H
