#include "FileDialogChooser.h"

#include <QFileDialog>

FileDialogChooser::FileDialogChooser(QWidget* parent)
    : m_parent(parent)
{
}

QString FileDialogChooser::chooseSaveFile(const QString& caption,
                                          const QString& startDir,
                                          const QString& filter,
                                          const QString& defaultSuffix)
{
    // A dialog object rather than the static helper: with the default suffix set, the
    // overwrite question is asked about the name the file will really get.
    QFileDialog dialog(m_parent, caption, startDir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QString FileDialogChooser::chooseOpenFile(const QString& caption, const QString& startDir, const QString& filter)
{
    return QFileDialog::getOpenFileName(m_parent, caption, startDir, filter);
}
