#include "StoreTools.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>

bool StoreTools::isPlainFileName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
        return false;
    }
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() == 0) {
            return false;
        }
    }
    return true;
}

QVariantList StoreTools::listValue(const QVariant& value)
{
    switch (value.metaType().id()) {
        case QMetaType::QVariantList:
            return value.toList();
        case QMetaType::QStringList: {
            QVariantList list;
            for (const QString& item : value.toStringList()) {
                list.append(item);
            }
            return list;
        }
        default:
            return {};
    }
}

bool StoreTools::replaceWithCopy(const QString& source, const QString& target, QString* error)
{
    auto fail = [error](const QString& message) {
        if (error) {
            *error = message;
        }
        return false;
    };

    QFile in(source);
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("cannot read %1").arg(source));
    }
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        return fail(QStringLiteral("cannot read %1: %2").arg(source, in.errorString()));
    }
    const QDateTime oldStamp = QFileInfo(target).lastModified();

    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        return fail(QStringLiteral("cannot write %1: %2").arg(target, out.errorString()));
    }

    // QSettings notices a changed file only by its size and time stamp; a replacement of the
    // same size within the same millisecond would otherwise read as the old contents.
    QFile replaced(target);
    if (oldStamp.isValid() && QFileInfo(target).lastModified() == oldStamp && replaced.open(QIODevice::ReadWrite)) {
        replaced.setFileTime(oldStamp.addMSecs(1), QFileDevice::FileModificationTime);
    }
    return true;
}

bool StoreTools::holdsBinaryValues(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = file.readAll();
    const QByteArray marker("@Variant(");
    for (qsizetype at = bytes.indexOf(marker); at >= 0; at = bytes.indexOf(marker, at + 1)) {
        // Only at the start of a value ("@@" is an escaped text).
        const char before = at > 0 ? bytes.at(at - 1) : '\n';
        if (before == '=' || before == ',' || before == '"' || QChar::isSpace(uchar(before))) {
            return true;
        }
    }
    return false;
}

std::unique_ptr<QSettings> StoreTools::openSettings(const QString& path)
{
    if (holdsBinaryValues(path)) {
        qWarning().noquote() << path << "holds binary values this program never writes; it is left as it is";
        // No file: reads give defaults and every write fails.
        return std::make_unique<QSettings>(QString(), QSettings::IniFormat);
    }
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

bool StoreTools::syncSettings(QSettings& settings, const QString& file, const char* operation)
{
    settings.sync();
    if (settings.status() == QSettings::AccessError) {
        qWarning().noquote() << QString::fromLatin1(operation) + QLatin1Char(':') << "cannot write" << file;
        return false;
    }
    return true;
}

QString StoreTools::desktopFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}

bool StoreTools::isSettingsFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable() || info.size() > MaxSettingsFileSize) {
        return false;
    }
    // The INI reader takes almost anything; a settings file is text.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError() || text.contains(QChar(0))) {
        return false;
    }
    if (holdsBinaryValues(path)) {
        return false;
    }
    const QSettings settings(path, QSettings::IniFormat);
    return settings.status() == QSettings::NoError && !settings.allKeys().isEmpty();
}
