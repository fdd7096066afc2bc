#ifndef QX7_ACTIVEWINDOW_H
#define QX7_ACTIVEWINDOW_H

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

// The window in front and the applications that have windows, as the platform tells them. The
// platform announces each change of the window in front; nothing is polled.
class ActiveWindow : public QObject
{
    Q_OBJECT

public:
    struct Info
    {
        // The executable's file name; empty when the window's process is not known.
        QString application;
        QString windowClass;
        QString title;
        qint64 pid = 0;
    };

    // The platform's source, already watching; null where the session does not tell which
    // application is in front (a Wayland session) or there is no display.
    static std::unique_ptr<ActiveWindow> create();

    virtual Info current() const = 0;
    virtual QStringList runningApplications() const = 0;

    // The application's name from its executable's path and its first argument. A Windows program
    // run through Wine is named by its own .exe rather than by the loader, and a path the system
    // does not show (another user's process) by the first argument.
    static QString applicationName(const QString& executable, const QString& firstArgument);

signals:
    void changed();
};

#endif // QX7_ACTIVEWINDOW_H
