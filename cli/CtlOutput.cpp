#include "CtlOutput.h"

#include <QMutex>
#include <QMutexLocker>
#include <cstdio>

namespace CtlOutput {

namespace {

void write(const QString& text, FILE* to)
{
    static QMutex mutex;
    QMutexLocker lock(&mutex);
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), to);
    std::fputc('\n', to);
    std::fflush(to);
}

} // namespace

void line(const QString& text)
{
    write(text, stdout);
}

void error(const QString& text)
{
    write(QStringLiteral("qx7ctl: ") + text, stderr);
}

} // namespace CtlOutput
