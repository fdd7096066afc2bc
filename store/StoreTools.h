#ifndef QX7_STORETOOLS_H
#define QX7_STORETOOLS_H

#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

class QSettings;

// Helpers shared by the store's classes.
class StoreTools
{
public:
    // A name usable as one file inside a store folder: not empty, not "." or "..", and free of
    // path separators and NUL characters.
    static bool isPlainFileName(const QString& name);

    // A settings value as a list. Only real lists convert: a single text gives an empty list
    // (Qt would otherwise split it into characters).
    static QVariantList listValue(const QVariant& value);

    // Makes `target` a byte-for-byte copy of `source` through a temporary file beside `target`,
    // replacing it only once the copy is complete; on failure `target` is left as it was. A
    // settings object on `target` may still read the old contents (see ConfigStore).
    static bool replaceWithCopy(const QString& source, const QString& target, QString* error = nullptr);

    // The INI file at `path`. A file holding serialised binary values ("@Variant(...)"), which
    // this program never writes, is not read: Qt's decoder trusts the element counts inside them
    // and a crafted file would make it ask for gigabytes. Such a file reads as empty and refuses
    // writes, so it is left untouched.
    static std::unique_ptr<QSettings> openSettings(const QString& path);

    // True when the file at `path` (or INI text) holds a value that Qt's reader would hand to its
    // binary decoder: "@Variant(" or "@DateTime(" at the start of a value or list item once
    // quotes and escapes ("\x40", "\100") are resolved as Qt resolves them.
    static bool holdsBinaryValues(const QString& path);
    static bool holdsBinaryValues(const QByteArray& bytes);

    // Writes pending changes of `settings`, opened on `file`; false when the file could not be
    // written, which also goes to the debug log under `operation`. After a failure `settings`, and
    // any settings object opened on `file` later, reads what the file holds.
    static bool syncSettings(QSettings& settings, const QString& file, const char* operation);
    // What `file` holds on disk, parsed apart from Qt's cache (nothing for a refused file).
    static QVariantMap diskValues(const QString& file);
    // Whether `settings` reads what `file` holds on disk.
    static bool showsDisk(const QSettings& settings, const QString& file);
    // Makes `settings` read what `file` holds on disk; the changes this takes stay pending.
    static void showDisk(QSettings& settings, const QString& file);

    // Tests stand in here for the file system. `allow` is asked before each write of a file by
    // replaceWithCopy() or syncSettings() and may refuse it, as a full disk or a crash would;
    // `replaced` is called with each file replaceWithCopy() has put in place, to stamp it as a
    // file system with coarse time stamps would.
    struct FileSystemSeam
    {
        std::function<bool(const QString& file)> allow;
        std::function<void(const QString& file)> replaced;
    };
    static void setFileSystemSeam(FileSystemSeam seam);

    // Where export and import dialogs start: the desktop folder, or the home folder when there is
    // no desktop folder (a dialog would take a missing folder's name for a file name).
    static QString desktopFolder();

    // True when `path` is a small UTF-8 text file that reads as an INI file with at least one
    // key: what a file must be before it replaces one of the store's files.
    static bool isSettingsFile(const QString& path);

    // Largest file accepted as a settings file; the store's own files are a few kilobytes.
    static constexpr qint64 MaxSettingsFileSize = 1024 * 1024;
};

#endif // QX7_STORETOOLS_H
