#ifndef QX7_TESTSUPPORT_H
#define QX7_TESTSUPPORT_H

#include <QString>

namespace TestSupport {

// The source tree (for the shipped modules/ files), given by CTest.
QString sourceDir();

} // namespace TestSupport

#endif // QX7_TESTSUPPORT_H
