#include "TestSupport.h"

#include <QtGlobal>

namespace TestSupport {

QString sourceDir()
{
    return qEnvironmentVariable("QX7_SOURCE_DIR", QStringLiteral(QX7_DEFAULT_SOURCE_DIR));
}

QByteArray binaryBytes()
{
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i) {
        bytes.append(char((i * 7919 + 13) % 256));
    }
    return bytes;
}

} // namespace TestSupport
