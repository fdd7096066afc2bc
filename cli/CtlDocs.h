#ifndef QX7_CTLDOCS_H
#define QX7_CTLDOCS_H

#include <QString>
#include <QStringList>

// What qx7ctl tells about itself, all made from the command table and the option list: the
// --help text, the manual page and the README's command list with its examples.
namespace CtlDocs {

QString helpText();
// The qx7ctl(1) page in roff.
QString manualPage();
// The README's part between these two lines, the lines included.
QString readmeBlock();
extern const char* const ReadmeBegin;
extern const char* const ReadmeEnd;
// Every example of the table, as typed after "qx7ctl ", in order.
QStringList examples();

} // namespace CtlDocs

#endif // QX7_CTLDOCS_H
