#include "TempModules.h"

#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

bool copyTree(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to)) {
        return false;
    }
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target)) {
                return false;
            }
        } else if (!QFile::copy(source, target)) {
            return false;
        }
    }
    return true;
}

} // namespace

TempModules::TempModules()
{
    m_valid = m_dir.isValid() && copyTree(shippedPath(QStringLiteral("modules")), path(QStringLiteral("modules")));
}

bool TempModules::isValid() const
{
    return m_valid;
}

QString TempModules::baseDir() const
{
    return m_dir.path();
}

QString TempModules::path(const QString& relative) const
{
    return m_dir.filePath(relative);
}

QString TempModules::shippedPath(const QString& relative)
{
    return QDir(TestSupport::sourceDir()).filePath(relative);
}

QByteArray TempModules::read(const QString& relative) const
{
    return readFile(path(relative));
}

bool TempModules::write(const QString& relative, const QByteArray& bytes) const
{
    return writeFile(path(relative), bytes);
}

QMap<QString, QByteArray> TempModules::snapshot() const
{
    return snapshotOf(baseDir());
}

QMap<QString, QByteArray> TempModules::snapshotOf(const QString& dir)
{
    QMap<QString, QByteArray> tree;
    QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString entry = it.next();
        tree.insert(entry, readFile(entry));
    }
    return tree;
}

QMap<QString, QDateTime> TempModules::stamps(bool backdate) const
{
    QMap<QString, QDateTime> stamps;
    QDirIterator it(baseDir(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QFile f(file);
        if (backdate && f.open(QIODevice::ReadWrite)) {
            f.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
        }
        stamps.insert(file, QFileInfo(file).lastModified());
    }
    return stamps;
}

QByteArray TempModules::readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TempModules::writeFile(const QString& path, const QByteArray& bytes)
{
    const QFileInfo before(path);
    const QDateTime stamp = before.exists() ? before.lastModified() : QDateTime();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush()) {
        return false;
    }
    // Qt re-reads a file it has parsed only when its size or time stamp changed, and a rewrite of
    // the same size within one tick of the file system's clock keeps both: a rig started again
    // must read what a new process would.
    return !stamp.isValid() || QFileInfo(path).lastModified() != stamp
           || file.setFileTime(stamp.addSecs(-1), QFileDevice::FileModificationTime);
}
