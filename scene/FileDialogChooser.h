#ifndef QX7_FILEDIALOGCHOOSER_H
#define QX7_FILEDIALOGCHOOSER_H

#include "FileChooser.h"

#include <QPointer>
#include <QWidget>

// Asks with the desktop's file dialogs (a portal's where the desktop offers one, else Qt's own),
// modal over `parent`'s window.
class FileDialogChooser : public FileChooser
{
public:
    explicit FileDialogChooser(QWidget* parent = nullptr);

    QString chooseSaveFile(const QString& caption,
                           const QString& startDir,
                           const QString& filter,
                           const QString& defaultSuffix) override;
    QString chooseOpenFile(const QString& caption, const QString& startDir, const QString& filter) override;

private:
    QPointer<QWidget> m_parent;
};

#endif // QX7_FILEDIALOGCHOOSER_H
