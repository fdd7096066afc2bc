#include "KeyfileSettings.h"

#include <QFile>
#include <QRegularExpression>

bool KeyfileSettings::start()
{
    if (!m_home.isValid()) {
        return false;
    }
    qputenv("GSETTINGS_BACKEND", "keyfile");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path()));
    qunsetenv("XDG_CURRENT_DESKTOP");
    qunsetenv("KDE_FULL_SESSION");
    return true;
}

QString KeyfileSettings::value(const QString& group, const QString& key) const
{
    QFile file(m_home.filePath(QStringLiteral("glib-2.0/settings/keyfile")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return QString();
    }
    // A group runs from its header to the next header.
    const QString section = QString::fromUtf8(file.readAll())
                                .section(QStringLiteral("[%1]\n").arg(group), 1, 1)
                                .section(QLatin1Char('['), 0, 0);
    const QRegularExpression line(QStringLiteral("^%1=(.*)$").arg(QRegularExpression::escape(key)),
                                  QRegularExpression::MultilineOption);
    return line.match(section).captured(1).trimmed();
}
