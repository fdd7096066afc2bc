#include "Widget.h"

// Without window messages the restore request is a queued call: like a posted message, it runs once
// the current slot has returned.
void Widget::requestRestore()
{
    QMetaObject::invokeMethod(this, &Widget::restoreWindow, Qt::QueuedConnection);
}

bool Widget::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    return QWidget::nativeEvent(eventType, message, result);
}
