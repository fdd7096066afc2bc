#include "DataLocation.h"

#include "StorePaths.h"
#include "StoreTools.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>

namespace {

const QString kModules = QStringLiteral("modules");
// Inside the user's copy: every shipped file it has had, one path below modules/ per line.
const QString kRecord = QStringLiteral(".shipped");

QString modulesOf(const QString& baseDir)
{
    return QDir(baseDir).filePath(kModules);
}

// The folder and the store's folders in it can all be written.
bool isWritableTree(const QString& modules)
{
    if (!QFileInfo(modules).isWritable()) {
        return false;
    }
    for (const QString& folder : StorePaths::folders()) {
        const QFileInfo info(QDir(modules).filePath(folder));
        if (info.exists() && !info.isWritable()) {
            return false;
        }
    }
    return true;
}

QStringList shippedFiles(const QString& modules)
{
    QStringList files;
    for (const QString& folder : StorePaths::folders()) {
        QDirIterator it(QDir(modules).filePath(folder), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            files << QDir(modules).relativeFilePath(it.next());
        }
    }
    files.sort();
    return files;
}

} // namespace

const char* const DataLocation::InstalledData = "../share/qx7-config";

DataLocation::DataLocation(const QString& programDir, const QString& userDir)
    : m_programDir(QDir(programDir).absolutePath())
    , m_userDir(userDir.isEmpty() ? QString() : QDir(userDir).absolutePath())
{
    if (QFileInfo(modulesOf(m_programDir)).isDir()) {
        m_shippedDir = m_programDir;
    } else {
        const QString installed = QDir::cleanPath(QDir(m_programDir).filePath(QLatin1String(InstalledData)));
        if (QFileInfo(modulesOf(installed)).isDir()) {
            m_shippedDir = installed;
        }
    }
    m_dataDir = m_shippedDir.isEmpty() ? m_programDir : m_shippedDir;
}

DataLocation DataLocation::forProgram()
{
    return DataLocation(QCoreApplication::applicationDirPath(),
                        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

bool DataLocation::prepare(QString* error)
{
    m_copied.clear();
    if (m_shippedDir.isEmpty()) {
        if (error) {
            *error = QStringLiteral("no modules folder in %1 or in %2")
                         .arg(m_programDir, QDir::cleanPath(QDir(m_programDir).filePath(QLatin1String(InstalledData))));
        }
        return false;
    }
    // Only the folder beside the program is ever written, never an installed tree's.
    if (m_shippedDir == m_programDir && isWritableTree(modulesOf(m_shippedDir))) {
        m_dataDir = m_shippedDir;
        return true;
    }
    const bool ok = completeUserCopy(error);
    m_dataDir = QFileInfo(modulesOf(m_userDir)).isDir() ? m_userDir : m_shippedDir;
    return ok;
}

QString DataLocation::recordPath() const
{
    return QDir(modulesOf(m_userDir)).filePath(kRecord);
}

bool DataLocation::completeUserCopy(QString* error)
{
    auto fail = [error](const QString& message) {
        if (error) {
            *error = message;
        }
        return false;
    };
    if (m_userDir.isEmpty()) {
        return fail(QStringLiteral("no per-user data folder"));
    }
    const QString target = modulesOf(m_userDir);
    if (!QDir().mkpath(target)) {
        return fail(QStringLiteral("cannot create %1").arg(target));
    }

    QSet<QString> had;
    QFile record(recordPath());
    if (record.open(QIODevice::ReadOnly)) {
        const QStringList lines = QString::fromUtf8(record.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        had = QSet<QString>(lines.begin(), lines.end());
        record.close();
    }

    const qsizetype recorded = had.size();
    const QString source = modulesOf(m_shippedDir);
    QString firstError;
    for (const QString& file : shippedFiles(source)) {
        if (had.contains(file)) {
            continue;
        }
        const QString to = QDir(target).filePath(file);
        QString copyError;
        if (!QFileInfo::exists(to)) {
            if (!QDir().mkpath(QFileInfo(to).path())) {
                copyError = QStringLiteral("cannot create %1").arg(QFileInfo(to).path());
            } else if (StoreTools::replaceWithCopy(QDir(source).filePath(file), to, &copyError)) {
                m_copied << file;
            }
        }
        if (copyError.isEmpty()) {
            had.insert(file);
        } else if (firstError.isEmpty()) {
            firstError = copyError;
        }
    }

    if (had.size() != recorded) {
        QStringList lines = had.values();
        lines.sort();
        const QByteArray bytes = lines.join(QLatin1Char('\n')).toUtf8() + '\n';
        QSaveFile out(recordPath());
        if ((!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
            && firstError.isEmpty()) {
            firstError = QStringLiteral("cannot write %1").arg(recordPath());
        }
    }
    return firstError.isEmpty() || fail(firstError);
}

QString DataLocation::shippedDir() const
{
    return m_shippedDir;
}

QString DataLocation::dataDir() const
{
    return m_dataDir;
}

bool DataLocation::usesUserCopy() const
{
    return !m_userDir.isEmpty() && m_dataDir == m_userDir;
}

QStringList DataLocation::copiedFiles() const
{
    return m_copied;
}
