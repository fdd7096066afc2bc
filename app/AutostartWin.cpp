#include "Autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace {

const QString RunKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString ValueName = QStringLiteral("QX7 Config");

} // namespace

const char* const Autostart::Option = "--autostart";

Autostart::Autostart(const QString& program)
    : m_program(program)
{
}

QString Autostart::besideThisProgram()
{
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("qx7-config.exe"));
}

QString Autostart::location() const
{
    return RunKey + QLatin1Char('\\') + ValueName;
}

bool Autostart::isOn() const
{
    return QSettings(RunKey, QSettings::NativeFormat).contains(ValueName);
}

QString Autostart::command() const
{
    return QSettings(RunKey, QSettings::NativeFormat).value(ValueName).toString();
}

bool Autostart::setOn(bool on, QString* error)
{
    QSettings run(RunKey, QSettings::NativeFormat);
    if (on) {
        run.setValue(ValueName,
                     QLatin1Char('"') + QDir::toNativeSeparators(m_program) + QStringLiteral("\" ")
                         + QLatin1String(Option));
    } else {
        run.remove(ValueName);
    }
    run.sync();
    if (run.status() != QSettings::NoError) {
        *error = QStringLiteral("cannot change %1").arg(location());
        return false;
    }
    return true;
}
