#ifndef QX7_SCENESCREENSHOT_H
#define QX7_SCENESCREENSHOT_H

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class myQQuickView;

// --screenshot: waits until the scene has started and the busy guard has ended, opens the named
// screen, writes the window to a PNG file and ends the program (0, or 1 with a message on error).
class SceneScreenshot : public QObject
{
    Q_OBJECT

public:
    // `view` gives the window's scene as it is now: it is made again after being given back.
    using ViewSource = std::function<myQQuickView*()>;
    SceneScreenshot(QObject* parent, ViewSource view, const QString& file, const QString& screen);

private:
    void poll();
    void capture();
    void finish(int code, const QString& message = QString());

    ViewSource m_view;
    QString m_file;
    QString m_screen;
    QTimer m_poll;
    int m_waited = 0;
};

#endif // QX7_SCENESCREENSHOT_H
