#include "CopyDataMessage.h"

#include <QMessageBox>
#include <QWidget>

#include <windows.h>

void CopyDataMessage::onCopyData(const void* copyData, void* context)
{
    const auto* message = static_cast<const COPYDATASTRUCT*>(copyData);
    if (!context || !message) {
        return;
    }
    QString text;
    if (decode(message->dwData, message->lpData, message->cbData, text)) {
        // Modal: a sender using SendMessageW waits until the box is closed.
        QMessageBox::warning(nullptr, static_cast<QWidget*>(context)->windowTitle(), text, QMessageBox::Ok);
    }
}
