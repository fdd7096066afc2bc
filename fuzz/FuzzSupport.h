#ifndef QX7_FUZZSUPPORT_H
#define QX7_FUZZSUPPORT_H

#include <QString>

#include <cstdio>
#include <cstdlib>

// A broken promise of the code under test: libFuzzer reports the abort with the input.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);                         \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

namespace FuzzSupport {

// Drops Qt's messages: the product's debug lines would drown libFuzzer's own output.
void quietQt();
// This process's temporary folder (under TMPDIR), removed when the process ends normally.
QString processFolder();
// Whether `path` lies inside `folder` once both are made absolute and clean.
bool isInside(const QString& path, const QString& folder);

} // namespace FuzzSupport

#endif // QX7_FUZZSUPPORT_H
