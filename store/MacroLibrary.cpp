#include "MacroLibrary.h"

#include "ConfigStore.h"
#include "FactoryKeyMatrix.h"
#include "FileChooser.h"
#include "SettingsKeys.h"
#include "StoreTools.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

const QString MacroLibrary::FillerMarker = QStringLiteral("zuvrenkalpot");

namespace {

const QString kMacroFilter = QStringLiteral("Macro(*.mc)");

QString nameListKey(const QVariant& type)
{
    bool ok = false;
    const uint value = type.toUInt(&ok);
    if (!ok) {
        return {};
    }
    switch (value) {
        case MacroLibrary::MacroNames:
            return SettingsKeys::MacroNameList;
        case MacroLibrary::GunNames:
            return SettingsKeys::GunNameList;
        case MacroLibrary::ProfileNames:
            return SettingsKeys::ProfileNameList;
        case MacroLibrary::GunSelection:
            return SettingsKeys::GunSelectionList;
        default:
            return {};
    }
}

} // namespace

MacroLibrary::MacroLibrary(ConfigStore& config)
    : m_config(config)
{
}

QString MacroLibrary::macroPath(const QVariant& name) const
{
    return m_config.paths().macro(name.toString());
}

bool MacroLibrary::macroExists(const QString& name) const
{
    const QString path = m_config.paths().macro(name);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QVariant MacroLibrary::createMacroIni(const QVariant& name, const QVariant& macroIndex)
{
    const QString path = macroPath(name);
    if (path.isEmpty()) {
        return false;
    }
    const std::unique_ptr<QSettings> settings = StoreTools::openSettings(path);
    settings->setValue(SettingsKeys::MacroFile::Index, macroIndex.toUInt());
    settings->setValue(SettingsKeys::MacroFile::Total, 0);
    settings->setValue(SettingsKeys::MacroFile::Repeat, 1);
    settings->setValue(SettingsKeys::MacroFile::Did, -1);
    return m_config.syncFile(*settings, path, "createMacroIni");
}

QVariant MacroLibrary::saveMacroIni(const QVariant& name, const QStringList& macros, const QVariant& repeat)
{
    if (!macroExists(name.toString())) {
        return false;
    }
    const QString path = macroPath(name);
    const std::unique_ptr<QSettings> settings = StoreTools::openSettings(path);
    settings->remove(SettingsKeys::MacroFile::ActionGroup);
    settings->setValue(SettingsKeys::MacroFile::Total, macros.size());
    settings->setValue(SettingsKeys::MacroFile::Repeat, repeat);
    for (int i = 0; i < macros.size(); ++i) {
        settings->setValue(SettingsKeys::MacroFile::action(i), macros.at(i));
    }
    return m_config.syncFile(*settings, path, "saveMacroIni");
}

QStringList MacroLibrary::loadMacroIni(const QVariant& name) const
{
    if (!macroExists(name.toString())) {
        return {};
    }
    const std::unique_ptr<QSettings> settings = StoreTools::openSettings(macroPath(name));
    bool ok = false;
    const int total = qBound(0, settings->value(SettingsKeys::MacroFile::Total).toInt(&ok), int(MaxActions));
    QStringList actions;
    for (int i = 0; ok && i < total; ++i) {
        actions.append(settings->value(SettingsKeys::MacroFile::action(i), QStringLiteral("0")).toString());
    }
    actions.append(settings->value(SettingsKeys::MacroFile::Repeat, QStringLiteral("0")).toString());
    return actions;
}

QVariant MacroLibrary::deleteMacroIni(const QVariant& name)
{
    if (!macroExists(name.toString())) {
        return false;
    }
    return QFile::remove(macroPath(name));
}

QVariant MacroLibrary::modifyMacroNameUpdateProfile(const QVariant& oldname, const QVariant& newname)
{
    const QString oldName = oldname.toString();
    const QString newName = newname.toString();
    const QString newPath = m_config.paths().macro(newName);
    if (!macroExists(oldName) || newPath.isEmpty()) {
        return false;
    }
    // The scene has already moved its own buttons to the new name, so when another macro
    // file holds that name the bindings still follow and only the rename fails.
    if (QFileInfo::exists(newPath)) {
        renameBindings(oldName, newName);
        return false;
    }
    // A name the file system refuses changes nothing.
    if (!QFile::rename(m_config.paths().macro(oldName), newPath)) {
        return false;
    }
    renameBindings(oldName, newName);
    return true;
}

void MacroLibrary::renameBindings(const QString& oldName, const QString& newName)
{
    // The profiles' files in their slots first: a list still to be tidied moves them.
    m_config.prepareWrite();
    for (int slot = 0; slot < BoundSlotCount; ++slot) {
        QSettings* profile = m_config.profileSettings(slot);
        profile->beginGroup(SettingsKeys::MacroKeyGroup);
        const QStringList keys = profile->childKeys();
        for (const QString& key : keys) {
            if (profile->value(key, QString()).toString() == oldName) {
                profile->setValue(key, newName);
            }
        }
        profile->endGroup();
        m_config.syncProfile(slot, "modifyMacroNameUpdateProfile");
    }
}

bool MacroLibrary::deleteMacroUpdateProfile(const QVariant& macroName)
{
    const QString name = macroName.toString();
    // An unbound macro slot reads as the empty name; a refused name can own no binding.
    if (!StoreTools::isPlainFileName(name)) {
        return true;
    }
    m_config.prepareWrite();
    bool written = true;
    QSettings* defaults = m_config.defaultProfileSettings();
    for (int slot = 0; slot < BoundSlotCount; ++slot) {
        QSettings* profile = m_config.profileSettings(slot);
        for (int entry = 0; entry < FactoryKeyMatrix::EntryCount; ++entry) {
            const QString key = SettingsKeys::keyMatrix(entry);
            const QVariantList record = StoreTools::listValue(profile->value(key));
            // A missing or short entry cannot be a macro binding.
            if (record.size() < 3 || record.at(0).toInt() != 4) {
                continue;
            }
            bool ok = false;
            const int macroSlot = record.at(2).toInt(&ok);
            if (!ok || profile->value(SettingsKeys::macroKey(macroSlot), QString()).toString() != name) {
                continue;
            }
            QVariantList factory = StoreTools::listValue(defaults->value(key));
            if (factory.size() < 4) {
                factory = FactoryKeyMatrix::record(entry);
            }
            profile->setValue(key, factory);
        }
        written = m_config.syncProfile(slot, "deleteMacroUpdateProfile") && written;
    }
    return written;
}

QVariant MacroLibrary::updataNameList(const QVariant& type, const QStringList& nameList)
{
    const QString key = nameListKey(type);
    if (key.isEmpty()) {
        return false;
    }
    const std::unique_ptr<QSettings> settings = StoreTools::openSettings(m_config.paths().nameList());
    QStringList names = nameList;
    if (names.size() == 1) {
        names.append(FillerMarker);
    }
    if (names.isEmpty()) {
        settings->remove(key);
    } else {
        settings->setValue(key, names);
    }
    return m_config.syncFile(*settings, m_config.paths().nameList(), "updataNameList");
}

QVariantList MacroLibrary::getNameList(const QVariant& type) const
{
    const QString key = nameListKey(type);
    if (key.isEmpty()) {
        return {};
    }
    const std::unique_ptr<QSettings> settings = StoreTools::openSettings(m_config.paths().nameList());
    return StoreTools::listValue(settings->value(key, 0));
}

bool MacroLibrary::saveMacroFile(const QVariant& macroFileName, bool* chosen)
{
    if (chosen) {
        *chosen = false;
    }
    FileChooser* chooser = m_config.fileChooser();
    if (!chooser || !macroExists(macroFileName.toString())) {
        return false;
    }
    QString target = chooser->chooseSaveFile(
        QStringLiteral("Save File"), StoreTools::desktopFolder(), kMacroFilter, QStringLiteral("mc"));
    if (target.isEmpty()) {
        return false;
    }
    if (chosen) {
        *chosen = true;
    }
    if (!target.endsWith(QStringLiteral(".mc"), Qt::CaseInsensitive)) {
        target += QStringLiteral(".mc");
    }
    QString error;
    if (!StoreTools::replaceWithCopy(macroPath(macroFileName), target, &error)) {
        qWarning().noquote() << "saveMacroFile:" << error;
        return false;
    }
    return true;
}

bool MacroLibrary::loadMacroFile(const QVariant& macroFileName)
{
    return importMacroFile(macroFileName) == ImportResult::Imported;
}

MacroLibrary::ImportResult MacroLibrary::importMacroFile(const QVariant& macroFileName)
{
    FileChooser* chooser = m_config.fileChooser();
    const QString target = macroPath(macroFileName);
    if (!chooser || target.isEmpty()) {
        return ImportResult::Cancelled;
    }
    const QString source
        = chooser->chooseOpenFile(QStringLiteral("Open File"), StoreTools::desktopFolder(), kMacroFilter);
    if (source.isEmpty()) {
        return ImportResult::Cancelled;
    }
    // An import never overwrites a macro, and takes only what reads as a macro file.
    if (QFileInfo::exists(target) || !isMacroFile(source)) {
        qWarning().noquote() << "loadMacroFile: refused" << source;
        return ImportResult::Refused;
    }
    QString error;
    if (!StoreTools::replaceWithCopy(source, target, &error)) {
        qWarning().noquote() << "loadMacroFile:" << error;
        m_config.noteFailedWrite(target);
        return ImportResult::Refused;
    }
    return ImportResult::Imported;
}

bool MacroLibrary::isMacroFile(const QString& path)
{
    if (!StoreTools::isSettingsFile(path)) {
        return false;
    }
    const std::unique_ptr<QSettings> settings = StoreTools::openSettings(path);
    bool ok = false;
    const int total = settings->value(SettingsKeys::MacroFile::Total).toInt(&ok);
    return ok && total >= 0 && total <= MaxActions;
}
