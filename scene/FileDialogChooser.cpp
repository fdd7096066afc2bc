#include "FileDialogChooser.h"

#include <QFileDialog>
#include <QWindow>

namespace {

// The dialog is a window of its own: as a child of the scene's window it would take the window's
// transparent background from its style sheet and be drawn black. It stays over the window and
// modal to it.
void prepare(QFileDialog& dialog, QWidget* parent)
{
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAttribute(Qt::WA_TranslucentBackground, false);
    if (parent && parent->window()->windowHandle()) {
        dialog.winId();
        dialog.windowHandle()->setTransientParent(parent->window()->windowHandle());
    }
}

} // namespace

FileDialogChooser::FileDialogChooser(QWidget* parent)
    : m_parent(parent)
{
}

QString FileDialogChooser::chooseSaveFile(const QString& caption,
                                          const QString& startDir,
                                          const QString& filter,
                                          const QString& defaultSuffix)
{
    // With the default suffix set, the overwrite question is asked about the name the file will
    // really get.
    QFileDialog dialog(nullptr, caption, startDir, filter);
    prepare(dialog, m_parent);
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
    QFileDialog dialog(nullptr, caption, startDir, filter);
    prepare(dialog, m_parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}
