#include "VirtualLink.h"

#include <QMutexLocker>

void RecordingClock::sleep(int milliseconds)
{
    pauses.append(milliseconds);
    if (log) {
        log->append(QStringLiteral("sleep %1").arg(milliseconds));
    }
}

void FakeOwner::setCurrentDPI(int stage)
{
    QMutexLocker lock(&m_mutex);
    m_stages.append(stage);
}

void FakeOwner::setViewEnabled(bool enabled)
{
    QMutexLocker lock(&m_mutex);
    m_enabled = enabled;
}

void FakeOwner::showMessage(const QString& title, const QString& message)
{
    QMutexLocker lock(&m_mutex);
    m_messages.append(title + QLatin1Char('|') + message);
}

QList<int> FakeOwner::stages() const
{
    QMutexLocker lock(&m_mutex);
    return m_stages;
}

QStringList FakeOwner::messages() const
{
    QMutexLocker lock(&m_mutex);
    return m_messages;
}

bool FakeOwner::viewEnabled() const
{
    QMutexLocker lock(&m_mutex);
    return m_enabled;
}

VirtualLink::VirtualLink(const VirtualMouse::Config& config)
    : mouse(config)
    , link(&mouse, &clock)
{
    clock.log = &log;
    mouse.setWireLogger([this](const QByteArray& line) { log.append(QString::fromLatin1(line)); });
    auto* r = new DeviceRecord;
    r->type = 1;
    r->vid = config.vid;
    r->pid = config.pid;
    r->usagePage = config.usagePage;
    r->usage = config.usage;
    r->usagePage2 = config.usagePage2;
    r->usage2 = config.usage2;
    r->reportLength = config.reportLength;
    r->isEncode = config.isEncode;
    r->sCode = config.sCode;
    r->path = QString::fromLatin1(mouse.commandPath());
    r->path2 = QString::fromLatin1(mouse.eventPath());
    link.setDeviceList({r});
    link.deviceIndex = 0;
    link.ownerWidget = &owner;
    owner.type = config.family == VirtualMouse::Family::Set560 ? QStringLiteral("560") : QStringLiteral("553");
    if (config.isEncode && config.sCode.size() == 6) {
        for (int k = 0; k < 6; ++k) {
            Hid_Thread::SecrecyCode[k + 1] = static_cast<unsigned char>(config.sCode.at(k).toLatin1());
        }
    }
}

DeviceRecord& VirtualLink::record()
{
    return *link.deviceList[0];
}

void VirtualLink::clearLog()
{
    log.clear();
    clock.pauses.clear();
}

namespace TestSupport {

QByteArray bytes(const char* hex)
{
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}

QStringList outputReports(const QByteArray& block, int reportLength)
{
    QStringList lines;
    for (int offset = 0; offset < block.size(); offset += reportLength) {
        QByteArray report(1, '\0');
        report += block.mid(offset, reportLength).leftJustified(reportLength, '\0');
        lines << QStringLiteral("output ") + QString::fromLatin1(report.toHex(' '));
        lines << QStringLiteral("sleep 120");
    }
    return lines;
}

QStringList sleeps(std::initializer_list<int> milliseconds)
{
    QStringList lines;
    for (int ms : milliseconds) {
        lines << QStringLiteral("sleep %1").arg(ms);
    }
    return lines;
}

} // namespace TestSupport
