#include "DeviceChangeMonitor.h"

#include <QDir>
#include <QFileSystemWatcher>
#include <QSet>

namespace {

// hidraw nodes appear in and vanish from /dev as devices are plugged in and out; watching the folder
// works without udev's daemon and without extra rights.
class DevFolderMonitor : public DeviceChangeMonitor
{
public:
    explicit DevFolderMonitor(QObject* parent)
        : DeviceChangeMonitor(parent)
    {
        m_nodes = hidrawNodes();
        m_watcher.addPath(QStringLiteral("/dev"));
        connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
            const QSet<QString> now = hidrawNodes();
            if (now != m_nodes) {
                m_nodes = now;
                emit devicesChanged();
            }
        });
    }

private:
    static QSet<QString> hidrawNodes()
    {
        const QStringList names = QDir(QStringLiteral("/dev")).entryList({QStringLiteral("hidraw*")}, QDir::System);
        return QSet<QString>(names.begin(), names.end());
    }

    QFileSystemWatcher m_watcher;
    QSet<QString> m_nodes;
};

} // namespace

DeviceChangeMonitor* DeviceChangeMonitor::create(QObject* parent)
{
    return new DevFolderMonitor(parent);
}
