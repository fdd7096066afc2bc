#ifndef QX7_TEMPMODULES_H
#define QX7_TEMPMODULES_H

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

// A temporary base folder holding a copy of the shipped modules/, so tests may change, break
// or delete store files without touching the shipped ones.
class TempModules
{
public:
    TempModules();

    bool isValid() const;
    // The folder that holds modules/.
    QString baseDir() const;
    // A path below the base folder, e.g. path("modules/setting/p1.bin").
    QString path(const QString& relative) const;
    // The shipped file's path, for comparisons.
    static QString shippedPath(const QString& relative);

    QByteArray read(const QString& relative) const;
    bool write(const QString& relative, const QByteArray& bytes) const;
    // Every file and folder below the base folder with its contents, to show that nothing changed.
    QMap<QString, QByteArray> snapshot() const;
    // The same below any folder.
    static QMap<QString, QByteArray> snapshotOf(const QString& dir);
    // Sets the time stamp of every file below the base folder a minute back (with `backdate`) and
    // returns them all: a file written since, even with the same contents, shows.
    QMap<QString, QDateTime> stamps(bool backdate = false) const;

    // The same for any path; a file that cannot be read reads as empty.
    static QByteArray readFile(const QString& path);
    static bool writeFile(const QString& path, const QByteArray& bytes);

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};

#endif // QX7_TEMPMODULES_H
