#ifndef QX7_CTLOUTPUT_H
#define QX7_CTLOUTPUT_H

#include <QString>

// What qx7ctl prints. Lines go out whole and flushed: the listener's thread prints DPI events too.
namespace CtlOutput {

void line(const QString& text);
// "qx7ctl: text" on standard error.
void error(const QString& text);

} // namespace CtlOutput

#endif // QX7_CTLOUTPUT_H
