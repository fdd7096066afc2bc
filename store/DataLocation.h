#ifndef QX7_DATALOCATION_H
#define QX7_DATALOCATION_H

#include <QString>
#include <QStringList>

// Decides which modules/ folder the store uses. The one beside the program when it may be written
// (the build folder, a portable copy); otherwise the user's own copy in the per-user data folder,
// made from the files the program ships with (beside it, or in ../share/qx7-config/ of an
// installed tree) and completed with each shipped file it has never had. The shipped files are
// only read.
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
    // copy, made or completed from the shipped files. Files of the copy are never replaced, and a
    // shipped file the copy once had is not brought back (the user may have deleted a macro).
    // False with `error` set when there are no shipped files or the copy could not be completed:
    // the store then uses the user's copy as far as it got, or the shipped files read-only.
    bool prepare(QString* error = nullptr);

    // The folder that holds the shipped modules/; empty when there is none.
    QString shippedDir() const;
    // The folder that holds the store's modules/, once prepared.
    QString dataDir() const;
    bool usesUserCopy() const;
    // Files copied into the user's copy by the last prepare(), relative to modules/.
    QStringList copiedFiles() const;

private:
    bool completeUserCopy(QString* error);
    QString recordPath() const;

    QString m_programDir;
    QString m_userDir;
    QString m_shippedDir;
    QString m_dataDir;
    QStringList m_copied;
};

#endif // QX7_DATALOCATION_H
