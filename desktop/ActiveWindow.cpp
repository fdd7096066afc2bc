#include "ActiveWindow.h"

#include <algorithm>

namespace {

QString lastPart(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

} // namespace

QString ActiveWindow::applicationName(const QString& executable, const QString& firstArgument)
{
    QString name = lastPart(executable);
    const QLatin1String deleted(" (deleted)");
    if (name.endsWith(deleted)) {
        name.chop(deleted.size());
    }
    const QString argument = lastPart(firstArgument);
    if (name.isEmpty()
        || (name.startsWith(QLatin1String("wine"), Qt::CaseInsensitive)
            && argument.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))) {
        return argument;
    }
    return name;
}
