#include "VirtualLink.h"

#include <QMutexLocker>

void RecordingClock::sleep(int milliseconds)
{
    pauses.append(milliseconds);
    if (log) {
        log->append(QStringLiteral("sleep %1").arg(milliseconds));
    }
    if (turnEvents) {
        RealClock::waitTurningEvents(0);
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

QList<int> FakeOwner::stages() const
{
    QMutexLocker lock(&m_mutex);
    return m_stages;
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
    auto* r = new DeviceRecord(config.device);
    r->path = QString::fromLatin1(mouse.commandPath());
    r->path2 = QString::fromLatin1(mouse.eventPath());
    link.setDeviceList({r});
    link.setDeviceIndex(0);
    link.setOwnerWidget(&owner);
    owner.type = config.family;
    if (config.device.isEncode && config.device.sCode.size() == 6) {
        for (int k = 0; k < 6; ++k) {
            Hid_Thread::SecrecyCode[k + 1] = static_cast<unsigned char>(config.device.sCode.at(k).toLatin1());
        }
    }
}

DeviceRecord VirtualLink::record() const
{
    return link.deviceRecord(0);
}

void VirtualLink::changeRecord(const std::function<void(DeviceRecord&)>& change)
{
    DeviceRecord r = link.deviceRecord(0);
    change(r);
    link.setDeviceRecord(0, r);
}

void VirtualLink::replug()
{
    mouse.plug();
    changeRecord([this](DeviceRecord& r) {
        r.path = QString::fromLatin1(mouse.commandPath());
        r.path2 = QString::fromLatin1(mouse.eventPath());
    });
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

unsigned char* raw(QByteArray& block)
{
    return reinterpret_cast<unsigned char*>(block.data());
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

VirtualMouse::Config familyConfig(const QString& icType)
{
    VirtualMouse::Config c;
    c.family = controllerFamilyOf(icType);
    return c;
}

QStringList settingLines(const VirtualMouse::State& s)
{
    const auto hex = [](const auto& bytes) {
        return QString::fromLatin1(
            QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size())).toHex(' '));
    };
    const auto map = [&hex](const char* name, const QMap<int, QByteArray>& blocks) {
        QStringList lines;
        for (auto block = blocks.cbegin(); block != blocks.cend(); ++block) {
            lines << QStringLiteral("%1 %2 %3").arg(QLatin1String(name)).arg(block.key()).arg(hex(block.value()));
        }
        return lines;
    };
    QStringList lines {
        QStringLiteral("keyboardOptions %1").arg(hex(s.keyboardOptions)),
        QStringLiteral("activeStage %1").arg(s.activeStage),
        QStringLiteral("dpiStageCount %1").arg(s.dpiStageCount),
        QStringLiteral("reportRate %1").arg(s.reportRate),
        QStringLiteral("seriesReportRate %1").arg(hex(s.seriesReportRate)),
        QStringLiteral("seriesDpiStage %1").arg(hex(s.seriesDpiStage)),
        QStringLiteral("currentKeyMatrix %1").arg(s.currentKeyMatrix),
        QStringLiteral("currentProfile %1").arg(s.currentProfile),
        QStringLiteral("dpiTable %1").arg(hex(s.dpiTable)),
        QStringLiteral("led %1 %2 %3").arg(s.ledEffect).arg(s.ledOption1).arg(s.ledOption2),
        QStringLiteral("fixColor %1").arg(hex(s.fixColor)),
        QStringLiteral("stageColors %1 %2").arg(s.stageColorType).arg(hex(s.stageColors)),
    };
    return lines + map("keyMatrix", s.keyMatrices) + map("macro", s.macros) + map("gun", s.gunData)
           + map("image", s.profileImages);
}

} // namespace TestSupport
