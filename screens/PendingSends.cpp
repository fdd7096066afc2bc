#include "PendingSends.h"

#include "DeviceOperations.h"

#include <algorithm>
#include <utility>

PendingSends::PendingSends(const DeviceOperations& operations, std::function<void()> flowFailed)
    : m_operations(operations)
    , m_flowFailed(std::move(flowFailed))
{
}

bool PendingSends::deliver(const QString& part, const Send& send, const Send& done)
{
    const int failedBefore = m_operations.failedExchanges();
    enterFlow();
    send();
    const bool ok = m_operations.failedExchanges() == failedBefore;
    const auto kept = std::find_if(m_unsent.begin(), m_unsent.end(), [&](const Unsent& u) { return u.part == part; });
    if (kept != m_unsent.end()) {
        m_unsent.erase(kept);
    }
    if (ok) {
        if (done) {
            done();
        }
    } else {
        m_unsent.append({part, send, done});
        m_deliveryFailed = true;
    }
    leaveFlow();
    return ok;
}

QStringList PendingSends::parts() const
{
    QStringList parts;
    for (const Unsent& u : m_unsent) {
        parts << u.part;
    }
    return parts;
}

void PendingSends::sendAgain()
{
    const QList<Unsent> unsent = std::exchange(m_unsent, {});
    enterFlow();
    for (const Unsent& u : unsent) {
        deliver(u.part, u.send, u.done);
    }
    leaveFlow();
}

void PendingSends::forget(const QStringList& parts)
{
    m_unsent.erase(
        std::remove_if(m_unsent.begin(), m_unsent.end(), [&parts](const Unsent& u) { return parts.contains(u.part); }),
        m_unsent.end());
}

void PendingSends::enterFlow()
{
    ++m_delivering;
}

void PendingSends::leaveFlow()
{
    if (--m_delivering == 0 && std::exchange(m_deliveryFailed, false) && m_flowFailed) {
        m_flowFailed();
    }
}
