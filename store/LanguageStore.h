#ifndef QX7_LANGUAGESTORE_H
#define QX7_LANGUAGESTORE_H

#include "StorePaths.h"

#include <QStringList>

// The texts of one screen in one language, from modules/i18n/<language>.ini (UTF-8).
class LanguageStore
{
public:
    // More texts than any screen has; a damaged "total" is cut to it.
    static constexpr int MaxTexts = 4096;

    explicit LanguageStore(const QString& baseDir);

    QStringList getLangStrings(const QString& typeStr, const QString& langCode) const;

private:
    StorePaths m_paths;
};

#endif // QX7_LANGUAGESTORE_H
