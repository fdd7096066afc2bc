#ifndef QX7_FILECHOOSER_H
#define QX7_FILECHOOSER_H

#include <QString>

// Asks the user for a file to export to or import from. An empty result means cancelled.
// The store decides caption, start folder and filter; the window-side implementation only asks.
class FileChooser
{
public:
    virtual ~FileChooser() = default;

    // `defaultSuffix` (without dot) is what the store appends to a name that lacks it, so a
    // dialog that asks before overwriting can ask about the final name.
    virtual QString
    chooseSaveFile(const QString& caption, const QString& startDir, const QString& filter, const QString& defaultSuffix)
        = 0;
    virtual QString chooseOpenFile(const QString& caption, const QString& startDir, const QString& filter) = 0;
};

#endif // QX7_FILECHOOSER_H
