#include "StorePaths.h"

#include "StoreTools.h"

#include <QDir>

StorePaths::StorePaths(const QString& baseDir)
    : m_baseDir(QDir(baseDir).absolutePath())
{
}

const QStringList& StorePaths::folders()
{
    static const QStringList names {
        QStringLiteral("setting"), QStringLiteral("macro"), QStringLiteral("gun"), QStringLiteral("i18n")};
    return names;
}

QString StorePaths::baseDir() const
{
    return m_baseDir;
}

QString StorePaths::resolve(const QString& relativePath) const
{
    return QDir::cleanPath(QDir(m_baseDir).filePath(relativePath));
}

QString StorePaths::globalConfig() const
{
    return resolve(QStringLiteral("./modules/setting/apConfig.bin"));
}

QString StorePaths::defaultGlobalConfig() const
{
    return resolve(QStringLiteral("./modules/setting/apConfigD.bin"));
}

QString StorePaths::profile(int slot) const
{
    if (slot < 0 || slot > 9) {
        return {};
    }
    return resolve(QStringLiteral("./modules/setting/p%1.bin").arg(slot + 1));
}

QString StorePaths::defaultProfile() const
{
    return resolve(QStringLiteral("./modules/setting/pD.bin"));
}

QString StorePaths::nameList() const
{
    return resolve(QStringLiteral("./modules/setting/name.bin"));
}

QString StorePaths::appRules() const
{
    return resolve(QStringLiteral("./modules/setting/appRules.bin"));
}

QString StorePaths::macroDir() const
{
    return resolve(QStringLiteral("./modules/macro"));
}

QString StorePaths::macro(const QString& name) const
{
    if (!StoreTools::isPlainFileName(name)) {
        return {};
    }
    return macroDir() + QLatin1Char('/') + name + QStringLiteral(".bin");
}

QString StorePaths::gunData() const
{
    return resolve(QStringLiteral("./modules/gun/gunData.bin"));
}

QString StorePaths::language(const QString& code) const
{
    if (!StoreTools::isPlainFileName(code)) {
        return {};
    }
    return resolve(QStringLiteral("./modules/i18n/")) + QLatin1Char('/') + code + QStringLiteral(".ini");
}
