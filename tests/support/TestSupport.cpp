#include "TestSupport.h"

#include <QtGlobal>

namespace TestSupport {

QString sourceDir()
{
    return qEnvironmentVariable("QX7_SOURCE_DIR", QStringLiteral(QX7_DEFAULT_SOURCE_DIR));
}

} // namespace TestSupport
