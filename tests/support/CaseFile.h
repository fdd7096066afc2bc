#ifndef QX7_CASEFILE_H
#define QX7_CASEFILE_H

#include <QDateTime>
#include <QMap>
#include <QStringList>

// Tables of cases kept as text: each block starts with "case NAME"; blank lines and lines starting
// with '#' are left out. A runner echoes its input lines and writes each result line after the
// input that gave it, so that a case compares as a whole and a failing one prints what it gives.
namespace CaseFile {

// One data row "block" (the case's lines without its "case" line) per case of the files below tests/.
void addRows(const QStringList& files);
// Every value of every file below `dir`, read as text so that no settings cache answers:
// "setting/p1.bin mouse/reportRate" -> "2" ("modules/" left out), and each file's path -> "".
QMap<QString, QString> values(const QString& dir);
// Result lines for what changed below `dir` since `before` and `stamps` (TempModules::stamps(true)):
// "file FILE KEY=VALUE", a new file as "file FILE", "gone FILE KEY", and "written FILE" for a file
// written again with what it held.
QStringList changes(const QString& dir,
                    const QMap<QString, QString>& before,
                    const QMap<QString, QDateTime>& stamps,
                    const QMap<QString, QDateTime>& stampsAfter);
// Compares; on a difference prints the lines the case gives.
bool same(const QStringList& actual, const QStringList& expected);

} // namespace CaseFile

#endif // QX7_CASEFILE_H
