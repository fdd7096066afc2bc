#ifndef QX7_DATALOCATION_H
#define QX7_DATALOCATION_H

#include <QString>
#include <QStringList>

// Decides which modules/ folder the store uses. The one beside the program when it may be written
// (the build folder, a portable copy); otherwise the user's own copy in the per-user data folder,
// made from the files the program ships with (beside it, or in ../share/qx7-config/ of an
// installed tree). The shipped files are only read. In the user's copy:
// - the profiles, the name lists and the gun presets are the user's: copied once, and brought back
//   from the shipped ones when missing;
// - macros are the user's too, copied once; one the user deleted stays deleted;
// - the default configuration, the default profile and the language files are the program's: they
//   follow the installed ones whenever those change, and come back when missing;
// - the configuration holds both: when the installed one changes (new device records), it is taken
//   with the user's choices carried over (userKeys(), and keys it does not have); missing, it comes
//   back.
class DataLocation
{
public:
    // Where an installed program's shipped data lies, from the program's folder.
    static const char* const InstalledData;

    // `programDir` is the program's folder, `userDir` the per-user data folder.
    DataLocation(const QString& programDir, const QString& userDir);
    // The running program's folder and its per-user data folder (named after the application).
    static DataLocation forProgram();

    // Sets up the folder the store uses: the shipped one when it may be written, else the user's
    // copy, made, completed and brought up to date as above. False with `error` set when there are
    // no shipped files or the copy could not be completed: the store then uses the user's copy as
    // far as it got, or the shipped files read-only.
    bool prepare(QString* error = nullptr);

    // The folder that holds the shipped modules/; empty when there is none.
    QString shippedDir() const;
    // The folder that holds the store's modules/, once prepared.
    QString dataDir() const;
    bool usesUserCopy() const;
    // Files copied into the user's copy by the last prepare(), relative to modules/.
    QStringList copiedFiles() const;
    // Files of the user's copy the last prepare() could not write, with their full paths.
    QStringList failedFiles() const;
    // Copies the store's files of `fromBase`/modules/ into `toBase`/modules/.
    static bool copyStoreFiles(const QString& fromBase, const QString& toBase, QString* error = nullptr);
    // The configuration's keys that hold the user's choices.
    static const QStringList& userKeys();

private:
    bool completeUserCopy(QString* error);
    QString recordPath() const;

    QString m_programDir;
    QString m_userDir;
    QString m_shippedDir;
    QString m_dataDir;
    QStringList m_copied;
    QStringList m_failed;
};

#endif // QX7_DATALOCATION_H
