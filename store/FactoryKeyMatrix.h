#ifndef QX7_FACTORYKEYMATRIX_H
#define QX7_FACTORYKEYMATRIX_H

#include "WireSizes.h"

#include <QVariantList>

// The built-in key matrix: what each of the 16 entries does before any profile is loaded. The one
// definition; ButtonFunction::builtInMatrix gives the same records as button functions.
class FactoryKeyMatrix
{
public:
    static constexpr int EntryCount = WireSizes::MatrixEntries;

    // The four bytes of entry `entry` (0-15) as numbers; empty for any other entry.
    static QVariantList record(int entry);
};

#endif // QX7_FACTORYKEYMATRIX_H
