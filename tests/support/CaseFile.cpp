#include "CaseFile.h"

#include "TempModules.h"
#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QTest>

namespace {

QString relative(const QString& dir, const QString& path)
{
    return QDir(dir).relativeFilePath(path).remove(QRegularExpression("^modules/"));
}

// Editors drop spaces at the ends of lines: an empty last item of a list must not count.
QString trimmedEnd(QString line)
{
    return line.remove(QRegularExpression("\\s+$"));
}

} // namespace

namespace CaseFile {

void addRows(const QStringList& files)
{
    QTest::addColumn<QStringList>("block");
    QString text;
    for (const QString& file : files) {
        text += QString::fromUtf8(TempModules::readFile(TestSupport::sourceDir() + "/tests/" + file)) + '\n';
    }
    QStringList block;
    for (const QString& line : text.split('\n') + QStringList {"case end"}) {
        if (line.startsWith("case ") && !block.isEmpty()) {
            QTest::newRow(qPrintable(block.takeFirst().mid(5))) << block;
            block.clear();
        }
        if (!line.isEmpty() && !line.startsWith('#')) {
            block << trimmedEnd(line);
        }
    }
}

QMap<QString, QString> values(const QString& dir)
{
    QMap<QString, QString> all;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = relative(dir, it.next());
        all.insert(file, QString());
        QString section;
        for (const QString& line : QString::fromUtf8(TempModules::readFile(it.filePath())).split('\n')) {
            const int eq = int(line.indexOf('='));
            if (line.startsWith('[') && line.endsWith(']')) {
                section = line.mid(1, line.size() - 2);
            } else if (eq > 0) {
                all.insert(file + ' ' + (section == "General" ? "" : section + '/') + line.left(eq), line.mid(eq + 1));
            }
        }
    }
    return all;
}

QStringList changes(const QString& dir,
                    const QMap<QString, QString>& before,
                    const QMap<QString, QDateTime>& stamps,
                    const QMap<QString, QDateTime>& stampsAfter)
{
    const QMap<QString, QString> after = values(dir);
    QStringList lines;
    QStringList changed;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()) || before.value(it.key()) != it.value()) {
            lines << "file " + it.key() + (it.key().contains(' ') ? '=' + it.value() : QString());
            changed << it.key().section(' ', 0, 0);
        }
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!after.contains(it.key())) {
            lines << "gone " + it.key();
            changed << it.key().section(' ', 0, 0);
        }
    }
    for (auto it = stampsAfter.cbegin(); it != stampsAfter.cend(); ++it) {
        const QString file = relative(dir, it.key());
        if (stamps.value(it.key()) != it.value() && !changed.contains(file)) {
            lines << "written " + file;
        }
    }
    return lines;
}

bool same(const QStringList& given, const QStringList& expected)
{
    QStringList actual;
    for (const QString& line : given) {
        actual << trimmedEnd(line);
    }
    if (actual != expected) {
        qInfo().noquote() << "the case gives:\n" + actual.join('\n');
    }
    return actual == expected;
}

} // namespace CaseFile
