#include "FuzzSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtGlobal>

#include <memory>

namespace {

void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) { }

} // namespace

namespace FuzzSupport {

void quietQt()
{
    qInstallMessageHandler(dropMessage);
}

QString processFolder()
{
    static const std::unique_ptr<QTemporaryDir> folder = [] {
        auto dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/qx7-fuzz-XXXXXX"));
        if (!dir->isValid()) {
            std::fprintf(stderr, "cannot make a temporary folder in %s\n", qPrintable(QDir::tempPath()));
            std::abort();
        }
        return dir;
    }();
    return folder->path();
}

bool isInside(const QString& path, const QString& folder)
{
    const QString inner = QDir::cleanPath(QDir(path).absolutePath());
    const QString outer = QDir::cleanPath(QDir(folder).absolutePath());
    return inner.startsWith(outer + QLatin1Char('/'));
}

} // namespace FuzzSupport
