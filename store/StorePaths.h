#ifndef QX7_STOREPATHS_H
#define QX7_STOREPATHS_H

#include <QString>
#include <QStringList>

// Where the store's files live. Every relative path of the store ("./modules/...") resolves
// against one base folder, so tests and a --data-dir option can point it anywhere.
class StorePaths
{
public:
    explicit StorePaths(const QString& baseDir);

    // The folders below modules/ that hold the store's files.
    static const QStringList& folders();

    QString baseDir() const;
    QString resolve(const QString& relativePath) const;

    QString globalConfig() const;
    QString defaultGlobalConfig() const;
    // Slot n (0-9) is the file p(n+1).bin; empty for any other slot.
    QString profile(int slot) const;
    QString defaultProfile() const;
    QString nameList() const;
    // The rules that choose a profile for the application in front.
    QString appRules() const;
    QString macroDir() const;
    // Empty when `name` is not a plain file name.
    QString macro(const QString& name) const;
    QString gunData() const;
    // Empty when `code` is not a plain file name.
    QString language(const QString& code) const;

private:
    QString m_baseDir;
};

#endif // QX7_STOREPATHS_H
