#include "PointerSettingsKde.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

// GIO names a structure member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

namespace {

constexpr char FileName[] = "kdeglobals";
const QByteArray Group = QByteArrayLiteral("[KDE]");
const QByteArray WheelScrollLinesKey = QByteArrayLiteral("WheelScrollLines");
const QByteArray DoubleClickIntervalKey = QByteArrayLiteral("DoubleClickInterval");
// An entry or group marked [$i] may not be changed.
const QByteArray Immutable = QByteArrayLiteral("[$i]");
// How long a save waits for another program's lock on the file.
constexpr int LockWaitMs = 2000;

// KGlobalSettings' change notice: settings changed (3), mouse settings (0).
constexpr char NoticePath[] = "/KGlobalSettings";
constexpr char NoticeInterface[] = "org.kde.KGlobalSettings";
constexpr char NoticeMember[] = "notifyChange";
constexpr int SettingsChanged = 3;
constexpr int MouseSettings = 0;

bool isGroupHeader(const QByteArray& line)
{
    return line.trimmed().startsWith('[');
}

// The key a line sets, without its options ("Key[$e]=..." gives "Key"); empty for other lines.
QByteArray keyOf(const QByteArray& line)
{
    const int equals = line.indexOf('=');
    if (equals < 0) {
        return QByteArray();
    }
    QByteArray key = line.left(equals).trimmed();
    const int option = key.indexOf('[');
    return option < 0 ? key : key.left(option);
}

void notifyRunningPrograms()
{
    // Without a session bus no program could listen; GIO would try to start one.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        return;
    }
    GError* error = nullptr;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!bus) {
        g_clear_error(&error);
        return;
    }
    g_dbus_connection_emit_signal(bus,
                                  nullptr,
                                  NoticePath,
                                  NoticeInterface,
                                  NoticeMember,
                                  g_variant_new("(ii)", SettingsChanged, MouseSettings),
                                  nullptr);
    g_dbus_connection_flush_sync(bus, nullptr, nullptr);
    g_object_unref(bus);
}

} // namespace

PointerSettingsKde::PointerSettingsKde(const QString& configHome)
{
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    m_file = QDir(configHome.isEmpty() ? user : configHome).filePath(QString::fromLatin1(FileName));
    m_systemDirs = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    m_systemDirs.removeAll(user);
}

bool PointerSettingsKde::isCurrentDesktop()
{
    const QList<QByteArray> desktops = qgetenv("XDG_CURRENT_DESKTOP").split(':');
    return desktops.contains("KDE") || qgetenv("KDE_FULL_SESSION") == "true";
}

bool PointerSettingsKde::offers(Setting setting) const
{
    return setting != Setting::PointerSpeed;
}

bool PointerSettingsKde::writePointerSpeed(uint32_t)
{
    return false;
}

bool PointerSettingsKde::writeDoubleClickTime(uint32_t milliseconds)
{
    return write(DoubleClickIntervalKey, milliseconds);
}

bool PointerSettingsKde::writeWheelScrollLines(uint32_t lines)
{
    return write(WheelScrollLinesKey, lines);
}

QByteArray PointerSettingsKde::withValue(const QByteArray& contents, const QByteArray& key, const QByteArray& value)
{
    QList<QByteArray> lines = contents.split('\n');
    // A file ending in a line break splits into a last empty piece; it is put back on joining.
    const bool endsWithBreak = contents.isEmpty() || contents.endsWith('\n');
    if (endsWithBreak) {
        lines.removeLast();
    }
    const QByteArray entry = key + '=' + value;
    // KConfig reads every group of the name as one, a later entry over an earlier one: the key is
    // set wherever it stands, or added to the last such group. "[$i]" before the first group locks
    // the file, after a group's name the group, before an entry's '=' the entry.
    bool inGroup = false;
    bool seenGroup = false;
    bool found = false;
    int lastInGroup = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray trimmed = lines.at(i).trimmed();
        if (isGroupHeader(trimmed)) {
            if (!seenGroup && trimmed == Immutable) {
                return QByteArray();
            }
            seenGroup = true;
            inGroup = trimmed == Group || trimmed.startsWith(Group + "[$");
            if (inGroup && trimmed.contains(Immutable)) {
                return QByteArray();
            }
            lastInGroup = inGroup ? i : lastInGroup;
            continue;
        }
        if (!inGroup) {
            continue;
        }
        if (!trimmed.isEmpty()) {
            lastInGroup = i;
        }
        if (keyOf(lines.at(i)) == key) {
            if (lines.at(i).left(lines.at(i).indexOf('=')).contains(Immutable)) {
                return QByteArray();
            }
            lines[i] = entry;
            found = true;
        }
    }
    if (!found && lastInGroup >= 0) {
        lines.insert(lastInGroup + 1, entry);
    } else if (!found) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) {
            lines << QByteArray();
        }
        lines << Group << entry;
    }
    const QByteArray result = lines.join('\n');
    return endsWithBreak || lastInGroup < 0 ? result + '\n' : result;
}

bool PointerSettingsKde::write(const QByteArray& key, uint32_t value)
{
    if (!QDir().mkpath(QFileInfo(m_file).absolutePath())) {
        return false;
    }
    // KConfig's own lock: a program saving the file meanwhile would otherwise overwrite this change
    // or lose its own.
    QLockFile lock(m_file + QStringLiteral(".lock"));
    if (!lock.tryLock(LockWaitMs)) {
        return false;
    }
    QByteArray contents;
    QFile current(m_file);
    if (current.exists()) {
        if (!current.open(QIODevice::ReadOnly)) {
            return false;
        }
        contents = current.readAll();
        current.close();
    }
    const QByteArray updated = withValue(contents, key, QByteArray::number(value));
    if (updated.isEmpty()) {
        return false;
    }
    // A system-wide file read before the user's may lock the group or the entry.
    for (const QString& dir : m_systemDirs) {
        QFile system(QDir(dir).filePath(QString::fromLatin1(FileName)));
        if (system.open(QIODevice::ReadOnly) && withValue(system.readAll(), key, QByteArray::number(value)).isEmpty()) {
            return false;
        }
    }
    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly) || file.write(updated) != updated.size() || !file.commit()) {
        return false;
    }
    notifyRunningPrograms();
    return true;
}
