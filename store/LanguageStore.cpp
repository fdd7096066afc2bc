#include "LanguageStore.h"

#include "SettingsKeys.h"
#include "StoreTools.h"
#include <QFileInfo>

#include <QSettings>

LanguageStore::LanguageStore(const QString& baseDir)
    : m_paths(baseDir)
{
}

QStringList LanguageStore::getLangStrings(const QString& typeStr, const QString& langCode) const
{
    const QString path = m_paths.language(langCode);
    QStringList texts;
    // A code that is not a plain file name names no language file; its group reads empty.
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        // Qt reads INI files as UTF-8.
        const std::unique_ptr<QSettings> settings = StoreTools::openSettings(path);
        bool ok = false;
        const int total
            = qBound(0, settings->value(SettingsKeys::LanguageFile::total(typeStr)).toInt(&ok), int(MaxTexts));
        for (int i = 0; ok && i < total; ++i) {
            texts.append(settings->value(SettingsKeys::LanguageFile::text(typeStr, i)).toString());
        }
    }
    return texts;
}
