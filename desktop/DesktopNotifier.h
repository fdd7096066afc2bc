#ifndef QX7_DESKTOPNOTIFIER_H
#define QX7_DESKTOPNOTIFIER_H

#include <QObject>
#include <QStringList>

// Messages for desktops that have no tray to show them: the desktop's own notifications. The
// program's messages go here only while no tray is available.
class DesktopNotifier : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The notifier of this platform; null where the tray is the only place for messages.
    static DesktopNotifier* create(QObject* parent = nullptr);

    // `actions` holds pairs of a key and the label of a button of the message; the key "default"
    // is a click on the message itself. A message no service takes is written to the debug log.
    virtual void notify(const QString& title, const QString& body, bool warning, const QStringList& actions) = 0;

signals:
    // The user chose an action of one of this notifier's messages.
    void actionInvoked(const QString& key);
};

#endif // QX7_DESKTOPNOTIFIER_H
