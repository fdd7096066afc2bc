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
    DevFolderMonitor(QObject* parent, const QString& folder)
        : DeviceChangeMonitor(parent)
        , m_folder(folder)
    {
        m_nodes = hidrawNodes();
        m_watcher.addPath(m_folder);
        connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
            const QSet<QString> now = hidrawNodes();
            if (now != m_nodes) {
                m_nodes = now;
                emit devicesChanged();
            }
        });
    }

private:
    QSet<QString> hidrawNodes() const
    {
        const QStringList names
            = QDir(m_folder).entryList({QStringLiteral("hidraw*")}, QDir::System | QDir::Files | QDir::Hidden);
        return QSet<QString>(names.begin(), names.end());
    }

    QString m_folder;
    QFileSystemWatcher m_watcher;
    QSet<QString> m_nodes;
};

} // namespace

DeviceChangeMonitor* DeviceChangeMonitor::create(QObject* parent, const QString& folder)
{
    return new DevFolderMonitor(parent, folder.isEmpty() ? QStringLiteral("/dev") : folder);
}
