#ifndef QX7_STORETOOLS_H
#define QX7_STORETOOLS_H

#include <QString>
#include <QVariant>

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
    // replacing it only once the copy is complete; on failure `target` is left as it was.
    static bool replaceWithCopy(const QString& source, const QString& target, QString* error = nullptr);

    // The INI file at `path`. A file holding serialised binary values ("@Variant(...)"), which
    // this program never writes, is not read: Qt's decoder trusts the element counts inside them
    // and a crafted file would make it ask for gigabytes. Such a file reads as empty and refuses
    // writes, so it is left untouched.
    static std::unique_ptr<QSettings> openSettings(const QString& path);

    // True when the file at `path` holds a serialised binary value.
    static bool holdsBinaryValues(const QString& path);

    // Writes pending changes of `settings`, opened on `file`; false when the file could not be
    // written, which also goes to the debug log under `operation`.
    static bool syncSettings(QSettings& settings, const QString& file, const char* operation);

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
