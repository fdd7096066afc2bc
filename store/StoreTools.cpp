#include "StoreTools.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <utility>

namespace {

StoreTools::FileSystemSeam s_seam;

} // namespace

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

    if (s_seam.allow && !s_seam.allow(target)) {
        return fail(QStringLiteral("cannot write %1: refused").arg(target));
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        return fail(QStringLiteral("cannot write %1: %2").arg(target, out.errorString()));
    }

    if (s_seam.replaced) {
        s_seam.replaced(target);
    }
    return true;
}

void StoreTools::setFileSystemSeam(FileSystemSeam seam)
{
    s_seam = std::move(seam);
}

namespace {

bool isIniSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// The next entry line from `pos`, split where Qt's INI reader splits it: a quoted text runs over
// line ends, a backslash keeps the next character, and an unquoted ';' starts a comment.
// Returns false at the end; `equals` is the position of the entry's '=', or -1.
bool nextIniLine(QByteArrayView data, qsizetype& pos, qsizetype& start, qsizetype& length, qsizetype& equals)
{
    bool inQuotes = false;
    equals = -1;
    start = pos;
    while (start < data.size() && isIniSpace(data.at(start))) {
        ++start;
    }
    qsizetype i = start;
    while (i < data.size()) {
        const char c = data.at(i++);
        if (c == '=') {
            if (!inQuotes && equals == -1) {
                equals = i - 1;
            }
        } else if (c == '\n' || c == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < data.size()) {
                const char next = data.at(i++);
                if (i < data.size()) {
                    const char after = data.at(i);
                    if ((next == '\n' && after == '\r') || (next == '\r' && after == '\n')) {
                        ++i;
                    }
                }
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';') {
            if (i == start + 1) {
                while (i < data.size() && data.at(i) != '\n' && data.at(i) != '\r') {
                    ++i;
                }
                while (i < data.size() && isIniSpace(data.at(i))) {
                    ++i;
                }
                start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    pos = i;
    length = i - start;
    return length > 0;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The items of an entry's value as Qt unescapes them: quotes removed, escapes (\x40, \100, a
// backslash before a line end) resolved, split at unquoted commas. Bytes outside ASCII are left
// out: Qt's decoder may hold an unfinished UTF-8 sequence back while escapes go on the item, so
// such bytes can end up after the escaped text they stand before.
QStringList unescapedItems(QByteArrayView value)
{
    QStringList items;
    QString item;
    bool inQuotes = false;
    qsizetype i = 0;
    const auto skipSpaces = [&] {
        while (i < value.size() && (value.at(i) == ' ' || value.at(i) == '\t')) {
            ++i;
        }
    };
    skipSpaces();
    while (i < value.size()) {
        const char c = value.at(i++);
        if (c == '\\') {
            if (i >= value.size()) {
                break;
            }
            const char e = value.at(i++);
            static const char simple[] = "a\ab\bf\fn\nr\rt\tv\v\"\"?\?''\\\\";
            const char* found = nullptr;
            for (const char* p = simple; *p; p += 2) {
                found = *p == e ? p : found;
            }
            if (found) {
                item += QLatin1Char(found[1]);
            } else if (e == 'x' && i < value.size() && hexDigit(value.at(i)) >= 0) {
                // As Qt's reader: every hex digit that follows, kept to 16 bits.
                char16_t code = 0;
                while (i < value.size() && hexDigit(value.at(i)) >= 0) {
                    code = char16_t((code << 4) + hexDigit(value.at(i++)));
                }
                item += QChar(code);
            } else if (e >= '0' && e <= '7') {
                char16_t code = char16_t(e - '0');
                while (i < value.size() && value.at(i) >= '0' && value.at(i) <= '7') {
                    code = char16_t((code << 3) + (value.at(i++) - '0'));
                }
                item += QChar(code);
            } else if ((e == '\n' || e == '\r') && i < value.size()) {
                const char after = value.at(i);
                if ((after == '\n' || after == '\r') && after != e) {
                    ++i;
                }
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipSpaces();
            }
        } else if (c == ',' && !inQuotes) {
            items << item;
            item.clear();
            skipSpaces();
        } else if (uchar(c) < 0x80) {
            item += QLatin1Char(c);
        }
    }
    items << item;
    return items;
}

} // namespace

bool StoreTools::holdsBinaryValues(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && holdsBinaryValues(file.readAll());
}

bool StoreTools::holdsBinaryValues(const QByteArray& bytes)
{
    QByteArrayView data(bytes);
    if (data.startsWith("\xef\xbb\xbf")) {
        data = data.sliced(3);
    }
    qsizetype pos = 0;
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype equals = -1;
    while (nextIniLine(data, pos, start, length, equals)) {
        if (equals < 0 || data.at(start) == '[') {
            continue;
        }
        for (const QString& item : unescapedItems(data.sliced(equals + 1, start + length - equals - 1))) {
            // What Qt hands to its binary decoder; "@@" is an escaped text.
            if (item.startsWith(QLatin1String("@Variant(")) || item.startsWith(QLatin1String("@DateTime("))) {
                return true;
            }
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
    const bool refused = s_seam.allow && !s_seam.allow(file);
    if (!refused) {
        settings.sync();
    }
    if (refused || settings.status() == QSettings::AccessError) {
        qWarning().noquote() << QString::fromLatin1(operation) + QLatin1Char(':') << "cannot write" << file;
        showDisk(settings, file);
        return false;
    }
    return true;
}

QVariantMap StoreTools::diskValues(const QString& file)
{
    // Qt keeps each file it has parsed in a cache it shares by file name with every settings object
    // on the file: what it could not write, or what a file of the same size and time stamp held
    // before. A copy under a fresh name is parsed from disk.
    QVariantMap disk;
    QFile in(file);
    const QByteArray bytes = in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("disk.ini"));
    QFile out(copy);
    if (!bytes.isEmpty() && !holdsBinaryValues(bytes) && out.open(QIODevice::WriteOnly)
        && out.write(bytes) == bytes.size() && out.flush()) {
        const QSettings read(copy, QSettings::IniFormat);
        for (const QString& key : read.allKeys()) {
            disk.insert(key, read.value(key));
        }
    }
    return disk;
}

bool StoreTools::showsDisk(const QSettings& settings, const QString& file)
{
    const QVariantMap disk = diskValues(file);
    const QStringList keys = settings.allKeys();
    if (keys.size() != disk.size()) {
        return false;
    }
    for (const QString& key : keys) {
        if (!disk.contains(key) || disk.value(key) != settings.value(key)) {
            return false;
        }
    }
    return true;
}

void StoreTools::showDisk(QSettings& settings, const QString& file)
{
    const QVariantMap disk = diskValues(file);
    settings.clear();
    for (auto it = disk.cbegin(); it != disk.cend(); ++it) {
        settings.setValue(it.key(), it.value());
    }
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
    if (holdsBinaryValues(bytes)) {
        return false;
    }
    const QSettings settings(path, QSettings::IniFormat);
    return settings.status() == QSettings::NoError && !settings.allKeys().isEmpty();
}
