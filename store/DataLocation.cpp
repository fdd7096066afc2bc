#include "DataLocation.h"

#include "SettingsKeys.h"
#include "StorePaths.h"
#include "StoreTools.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

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
    m_failed.clear();
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

namespace {

enum class Owner {
    // Shipped with the program and only read: mirrors the installed copy.
    Program,
    // The user's from the first start; brought back from the shipped one when missing.
    User,
    // The user's, and the user may delete it for good (a macro).
    UserDeletable,
    // Device records and texts of the program, with the user's choices in it.
    Mixed,
};

Owner ownerOf(const QString& file)
{
    if (file == QLatin1String("setting/apConfig.bin")) {
        return Owner::Mixed;
    }
    if (file == QLatin1String("setting/apConfigD.bin") || file == QLatin1String("setting/pD.bin")
        || file.startsWith(QLatin1String("i18n/"))) {
        return Owner::Program;
    }
    return file.startsWith(QLatin1String("macro/")) ? Owner::UserDeletable : Owner::User;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString hashOf(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
}

// The new shipped configuration with the user's choices carried over: the keys the program writes,
// and any key the shipped file does not have.
bool mergeConfiguration(const QString& shipped, const QString& user, QString* error)
{
    QTemporaryDir dir;
    const QString merged = dir.filePath(QStringLiteral("merged.ini"));
    if (!dir.isValid() || !StoreTools::replaceWithCopy(shipped, merged, error)) {
        return false;
    }
    const QVariantMap own = StoreTools::diskValues(user);
    {
        QSettings out(merged, QSettings::IniFormat);
        for (auto it = own.cbegin(); it != own.cend(); ++it) {
            if (!out.contains(it.key()) || DataLocation::userKeys().contains(it.key())) {
                out.setValue(it.key(), it.value());
            }
        }
        if (!StoreTools::syncSettings(out, merged, "settings folder")) {
            return false;
        }
    }
    return StoreTools::replaceWithCopy(merged, user, error);
}

} // namespace

const QStringList& DataLocation::userKeys()
{
    static const QStringList keys {SettingsKeys::ProfileNo, SettingsKeys::SelectGun, SettingsKeys::Language};
    return keys;
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
        m_failed << target;
        return fail(QStringLiteral("cannot create %1").arg(target));
    }

    // Each shipped file the copy has had, with the shipped contents' hash when it last took them
    // (older records list the files alone).
    QMap<QString, QString> had;
    const QStringList lines = QString::fromUtf8(readAll(recordPath())).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        had.insert(line.section(QLatin1Char('\t'), 0, 0), line.section(QLatin1Char('\t'), 1));
    }
    const QMap<QString, QString> recorded = had;

    const QString source = modulesOf(m_shippedDir);
    QString firstError;
    for (const QString& file : shippedFiles(source)) {
        const QString from = QDir(source).filePath(file);
        const QString to = QDir(target).filePath(file);
        const QByteArray shipped = readAll(from);
        const QString hash = hashOf(shipped);
        const bool exists = QFileInfo::exists(to);
        const bool shippedAnew = had.value(file) != hash;
        QString copyError;
        bool copied = false;
        switch (ownerOf(file)) {
            case Owner::Program:
                copied = !exists || (shippedAnew && readAll(to) != shipped);
                break;
            case Owner::User:
                copied = !exists;
                break;
            case Owner::UserDeletable:
                copied = !exists && !had.contains(file);
                break;
            case Owner::Mixed:
                if (exists && shippedAnew) {
                    if (mergeConfiguration(from, to, &copyError)) {
                        m_copied << file;
                    }
                } else {
                    copied = !exists;
                }
                break;
        }
        if (copied) {
            if (!QDir().mkpath(QFileInfo(to).path())) {
                copyError = QStringLiteral("cannot create %1").arg(QFileInfo(to).path());
            } else if (StoreTools::replaceWithCopy(from, to, &copyError)) {
                m_copied << file;
            }
        }
        if (copyError.isEmpty()) {
            had.insert(file, hash);
        } else {
            m_failed << to;
            if (firstError.isEmpty()) {
                firstError = copyError;
            }
        }
    }

    if (had != recorded) {
        QByteArray bytes;
        for (auto it = had.cbegin(); it != had.cend(); ++it) {
            bytes += (it.key() + QLatin1Char('\t') + it.value()).toUtf8() + '\n';
        }
        QSaveFile out(recordPath());
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
            m_failed << recordPath();
            if (firstError.isEmpty()) {
                firstError = QStringLiteral("cannot write %1").arg(recordPath());
            }
        }
    }
    return firstError.isEmpty() || fail(firstError);
}

bool DataLocation::copyStoreFiles(const QString& fromBase, const QString& toBase, QString* error)
{
    const QString from = modulesOf(fromBase);
    const QString to = modulesOf(toBase);
    for (const QString& file : shippedFiles(from)) {
        const QString target = QDir(to).filePath(file);
        if (!QDir().mkpath(QFileInfo(target).path())
            || !StoreTools::replaceWithCopy(QDir(from).filePath(file), target, error)) {
            if (error && error->isEmpty()) {
                *error = QStringLiteral("cannot create %1").arg(QFileInfo(target).path());
            }
            return false;
        }
    }
    return true;
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

QStringList DataLocation::failedFiles() const
{
    return m_failed;
}
