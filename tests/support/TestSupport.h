#ifndef QX7_TESTSUPPORT_H
#define QX7_TESTSUPPORT_H

#include <QByteArray>
#include <QString>

namespace TestSupport {

// The source tree (for the shipped modules/ files), given by CTest.
QString sourceDir();
// 4 KiB that are neither text nor a settings file.
QByteArray binaryBytes();

} // namespace TestSupport

#endif // QX7_TESTSUPPORT_H
