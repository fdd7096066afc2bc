#include "Autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace {

// One argument of an Exec line: quoted where the desktop would otherwise split or expand it.
QString execArgument(const QString& argument)
{
    static const QString Reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString out = argument;
    out.replace(QLatin1Char('%'), QStringLiteral("%%"));
    if (std::any_of(out.begin(), out.end(), [](QChar c) { return Reserved.contains(c); })) {
        QString quoted;
        for (const QChar c : out) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\')) {
                quoted += QLatin1Char('\\');
            }
            quoted += c;
        }
        out = QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    // The value itself is a string of the file, where a backslash is written twice.
    return out.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
}

// The entry's keys of the [Desktop Entry] group, as written.
QString entryValue(const QString& file, const QString& key)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    bool inGroup = false;
    while (!in.atEnd()) {
        const QString line = QString::fromUtf8(in.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1String("[Desktop Entry]");
        } else if (inGroup && line.section(QLatin1Char('='), 0, 0).trimmed() == key) {
            return line.section(QLatin1Char('='), 1).trimmed();
        }
    }
    return {};
}

} // namespace

const char* const Autostart::Option = "--autostart";

Autostart::Autostart(const QString& program)
    : m_program(program)
{
}

QString Autostart::besideThisProgram()
{
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("qx7-config"));
}

QString Autostart::location() const
{
    // $XDG_CONFIG_HOME/autostart, by default ~/.config/autostart.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("autostart/qx7-config.desktop"));
}

bool Autostart::isOn() const
{
    // The desktop's own session settings may keep the entry and switch it off.
    const QString file = location();
    return QFileInfo::exists(file) && entryValue(file, QStringLiteral("Hidden")) != QLatin1String("true")
           && entryValue(file, QStringLiteral("X-GNOME-Autostart-enabled")) != QLatin1String("false");
}

QString Autostart::command() const
{
    return isOn() ? entryValue(location(), QStringLiteral("Exec")) : QString();
}

bool Autostart::setOn(bool on, QString* error)
{
    const QString file = location();
    if (!on) {
        if (QFile::exists(file) && !QFile::remove(file)) {
            *error = QStringLiteral("cannot remove %1").arg(file);
            return false;
        }
        return true;
    }
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
        *error = QStringLiteral("cannot make the folder %1").arg(QFileInfo(file).absolutePath());
        return false;
    }
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly)) {
        const QString text = QStringLiteral("[Desktop Entry]\n"
                                            "Type=Application\n"
                                            "Name=QX7 Config\n"
                                            "Comment=Waits for the QX7 mouse and configures it\n"
                                            "Exec=%1 %2\n"
                                            "Icon=qx7-config\n"
                                            "Terminal=false\n"
                                            "X-GNOME-Autostart-enabled=true\n")
                                 .arg(execArgument(m_program), QLatin1String(Option));
        out.write(text.toUtf8());
    }
    if (!out.commit()) {
        *error = QStringLiteral("cannot write %1").arg(file);
        return false;
    }
    return true;
}
