#ifndef QX7_PENDINGSENDS_H
#define QX7_PENDINGSENDS_H

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class DeviceOperations;

// The sends of the screens' flows. A send in which an exchange fails or is dropped is kept under its
// part (a later send of the same part replaces it) to run again when the mouse is back; a flow whose
// sends failed is told once, when its last send is over.
class PendingSends
{
public:
    using Send = std::function<void()>;

    PendingSends(const DeviceOperations& operations, std::function<void()> flowFailed);

    // Runs one send; `done` runs once it has reached the mouse. True when it did.
    bool deliver(const QString& part, const Send& send, const Send& done = {});
    // The parts kept for the mouse's return, oldest first.
    QStringList parts() const;
    bool isEmpty() const { return m_unsent.isEmpty(); }
    // Every kept send runs again, oldest first, as one flow.
    void sendAgain();
    // These parts reached the mouse inside a larger send: none of them is owed any more.
    void forget(const QStringList& parts);

    // Several sends as one flow: the user hears once, when the outermost flow ends.
    void enterFlow();
    void leaveFlow();

private:
    struct Unsent
    {
        QString part;
        Send send;
        Send done;
    };

    const DeviceOperations& m_operations;
    std::function<void()> m_flowFailed;
    QList<Unsent> m_unsent;
    int m_delivering = 0;
    bool m_deliveryFailed = false;
};

#endif // QX7_PENDINGSENDS_H
