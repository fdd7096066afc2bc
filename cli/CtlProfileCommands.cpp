#include "CtlProfileCommands.h"

#include "ConfigStore.h"
#include "CtlArgs.h"
#include "CtlOutput.h"
#include "FileChooser.h"
#include "MainScreen.h"
#include "ProfileScreen.h"
#include "Qx7Ctl.h"
#include "Screens.h"

#include <QFileInfo>

namespace CtlProfileCommands {

namespace {

using Context = CtlCommand::Context;
using Parsed = CtlCommand::Parsed;
using Request = CtlCommand::Request;

// The file named on the command line stands in for the dialogs' choice.
class NamedFile : public FileChooser
{
public:
    explicit NamedFile(const QString& path)
        : m_path(QFileInfo(path).absoluteFilePath())
    {
    }
    QString chooseSaveFile(const QString&, const QString&, const QString&, const QString&) override { return m_path; }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return m_path; }

private:
    QString m_path;
};

// Runs `action` with `file` as the dialogs' answer.
template <typename Action>
bool withFile(Context& c, const QString& file, Action action)
{
    NamedFile chooser(file);
    FileChooser* before = c.store.fileChooser();
    c.store.setFileChooser(&chooser);
    const bool done = action();
    c.store.setFileChooser(before);
    return done;
}

// The screen's notice when a change could not be stored.
int notStored(Context& c, const char* command)
{
    CtlOutput::error(QStringLiteral("%1: %2").arg(QLatin1String(command), c.screens.profile()->notice()));
    return Qx7Ctl::FileFailed;
}

void requireNewName(CtlArgs& a, const ProfileScreen& profiles, const QString& name)
{
    a.require(!name.trimmed().isEmpty(), QStringLiteral("a profile's name may not be empty"));
    a.require(!profiles.names().contains(name.trimmed()),
              QStringLiteral("there is a profile named '%1' already").arg(name.trimmed()));
}

void requireRoom(CtlArgs& a, const ProfileScreen& profiles)
{
    a.require(profiles.canAdd(),
              QStringLiteral("there are %1 profiles already, as many as there may be").arg(ProfileScreen::MaxEntries));
}

int renameLast(Context& c, const QString& name)
{
    ProfileScreen* profiles = c.screens.profile();
    const int last = int(profiles->entries().size()) - 1;
    if (!name.isEmpty()) {
        profiles->rename(last, name);
    }
    CtlOutput::line(QStringLiteral("profile %1: %2").arg(last + 1).arg(profiles->names().at(last)));
    return Qx7Ctl::Success;
}

int printProfiles(Context& c)
{
    const QStringList names = c.screens.profile()->names();
    const int current = c.screens.main()->profileNo();
    for (int i = 0; i < names.size(); ++i) {
        CtlOutput::line(QStringLiteral("%1 %2 %3")
                            .arg(i == current ? QLatin1Char('*') : QLatin1Char(' '))
                            .arg(i + 1)
                            .arg(names.at(i)));
    }
    return Qx7Ctl::Success;
}

} // namespace

// The profile at position `entry` of the list, as the top menu chooses it.
Parsed parseProfile(const Request& r)
{
    if (r.args.isEmpty()) {
        return CtlArgs::ready(printProfiles, false);
    }
    CtlArgs a(r.args);
    const int entry = a.entry("profile", r.screens.profile()->names());
    return a.result([entry](Context& c) {
        c.screens.main()->changeProfile(entry);
        return int(Qx7Ctl::Success);
    });
}

Parsed parseNew(const Request& r)
{
    const ProfileScreen& profiles = *r.screens.profile();
    CtlArgs a(r.args);
    requireRoom(a, profiles);
    const QString name = r.args.value(0).trimmed();
    if (!r.args.isEmpty()) {
        requireNewName(a, profiles, name);
    }
    return a.result(
        [name](Context& c) {
            return c.screens.profile()->newProfile() ? renameLast(c, name) : notStored(c, "profile-new");
        },
        false);
}

Parsed parseRename(const Request& r)
{
    const ProfileScreen& profiles = *r.screens.profile();
    CtlArgs a(r.args);
    const int entry = a.entry("profile", profiles.names());
    a.require(profiles.canRename(entry), QStringLiteral("the first profile keeps its name"));
    const QString name = a.text().trimmed();
    requireNewName(a, profiles, name);
    return a.result(
        [entry, name](Context& c) {
            c.screens.profile()->rename(entry, name);
            return int(Qx7Ctl::Success);
        },
        false);
}

Parsed parseExport(const Request& r)
{
    CtlArgs a(r.args);
    const int entry = a.entry("profile", r.screens.profile()->names());
    const QString file = a.text();
    return a.result(
        [entry, file](Context& c) {
            if (!withFile(c, file, [&c, entry] { return c.screens.profile()->exportProfile(entry); })) {
                CtlOutput::error(QStringLiteral("profile-export: '%1' could not be written").arg(file));
                return int(Qx7Ctl::FileFailed);
            }
            return int(Qx7Ctl::Success);
        },
        false);
}

Parsed parseImport(const Request& r)
{
    const ProfileScreen& profiles = *r.screens.profile();
    CtlArgs a(r.args);
    requireRoom(a, profiles);
    const QString file = a.text();
    a.require(QFileInfo(file).isFile(), QStringLiteral("no file '%1'").arg(file));
    const QString name = r.args.value(1).trimmed();
    if (r.args.size() > 1) {
        requireNewName(a, profiles, name);
    }
    return a.result(
        [file, name](Context& c) {
            ProfileScreen* profiles = c.screens.profile();
            if (withFile(c, file, [profiles] { return profiles->importProfile(); })) {
                return renameLast(c, name);
            }
            if (profiles->notice() == profiles->profileLang().at(ProfileScreen::NotAProfileText)) {
                CtlOutput::error(QStringLiteral("profile-import: '%1': %2").arg(file, profiles->notice()));
                return int(Qx7Ctl::BadUsage);
            }
            return notStored(c, "profile-import");
        },
        false);
}

Parsed parseDelete(const Request& r)
{
    const ProfileScreen& profiles = *r.screens.profile();
    CtlArgs a(r.args);
    const int entry = a.entry("profile", profiles.names());
    a.require(entry != 0, QStringLiteral("the first profile cannot be deleted"));
    a.require(profiles.canDelete(entry),
              QStringLiteral("profile %1 is in use: switch to another one first").arg(entry + 1));
    return a.result(
        [entry](Context& c) {
            return c.screens.profile()->deleteProfile(entry) ? int(Qx7Ctl::Success) : notStored(c, "profile-delete");
        },
        false);
}

} // namespace CtlProfileCommands
