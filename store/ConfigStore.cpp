#include "ConfigStore.h"

#include "FileChooser.h"
#include "SettingsKeys.h"
#include "StoreTools.h"

#include <QDebug>
#include <algorithm>
#include <utility>

namespace {

const QString kProfileCaptionSave = QStringLiteral("Save File");
const QString kProfileCaptionOpen = QStringLiteral("Open File");
const QString kProfileFilter = QStringLiteral("Profile(*.pf)");
const QString kProfileSuffix = QStringLiteral("pf");

} // namespace

ConfigStore::ConfigStore(const QString& baseDir)
    : m_paths(baseDir)
{
    m_globalSettings = StoreTools::openSettings(m_paths.globalConfig());
    m_defaultProfileSettings = StoreTools::openSettings(m_paths.defaultProfile());
    for (int slot = 0; slot < SlotCount; ++slot) {
        m_profileSettings[slot] = StoreTools::openSettings(m_paths.profile(slot));
    }
    m_isColorful = getGlobalData(SettingsKeys::IsColorful).toBool();
    m_isGun = getGlobalData(SettingsKeys::IsGun).toBool();
    m_icType = getGlobalData(SettingsKeys::IcType).toString();
    m_is55328 = getGlobalData(SettingsKeys::Is55328).toBool();
}

ConfigStore::~ConfigStore()
{
    sync();
}

const StorePaths& ConfigStore::paths() const
{
    return m_paths;
}

void ConfigStore::setFileChooser(FileChooser* chooser)
{
    m_chooser = chooser;
}

FileChooser* ConfigStore::fileChooser() const
{
    return m_chooser;
}

namespace {

bool isNumber(const QVariant& value)
{
    bool ok = false;
    value.toString().trimmed().toInt(&ok);
    return ok;
}

// A profile's value has the shape of the default profile's: a number where the default holds a
// number, a list of as many numbers where it holds such a list, anything where it holds text.
bool hasShapeOf(const QVariant& value, const QVariant& fallback)
{
    const QVariantList fallbackList = StoreTools::listValue(fallback);
    if (!fallbackList.isEmpty()) {
        const QVariantList list = StoreTools::listValue(value);
        if (list.size() != fallbackList.size()) {
            return false;
        }
        for (int i = 0; i < list.size(); ++i) {
            if (isNumber(fallbackList.at(i)) && !isNumber(list.at(i))) {
                return false;
            }
        }
        return true;
    }
    return !isNumber(fallback) || isNumber(value);
}

} // namespace

QVariant ConfigStore::getData(const QVariant& key, bool isRecovery) const
{
    const QString name = key.toString();
    const QVariant fallback = m_defaultProfileSettings->value(name);
    if (isRecovery) {
        return fallback;
    }
    // A missing or damaged entry (a deleted slot file, an import holding a few keys) would turn
    // into zeros on the mouse: the default profile's entry stands in for it.
    const QVariant value = currentProfileSettings()->value(name);
    if (!value.isValid() || (fallback.isValid() && !hasShapeOf(value, fallback))) {
        return fallback.isValid() ? fallback : value;
    }
    return value;
}

QVariantList ConfigStore::getDataList(const QVariant& key, bool isRecovery) const
{
    return StoreTools::listValue(getData(key, isRecovery));
}

bool ConfigStore::setData(const QVariant& key, const QVariant& data)
{
    // First: a repair may move the current profile's file.
    prepareWrite();
    return write(m_profileSettings[m_currentProfile], key.toString(), data, "setData");
}

bool ConfigStore::setDataList(const QVariant& key, const QVariantList& datalist)
{
    return setData(key, QVariant(datalist));
}

QVariant ConfigStore::getGlobalData(const QVariant& key) const
{
    return m_globalSettings->value(key.toString());
}

bool ConfigStore::setGlobalData(const QVariant& key, const QVariant& tmpdata)
{
    return write(m_globalSettings, key.toString(), tmpdata, "setGlobalData");
}

bool ConfigStore::resetApconfig()
{
    prepareWrite();
    sync();
    QString error = QStringLiteral("not a settings file: ") + m_paths.defaultGlobalConfig();
    if (!StoreTools::isSettingsFile(m_paths.defaultGlobalConfig())) {
        qWarning().noquote() << "resetApconfig:" << error;
        return false;
    }
    if (!StoreTools::replaceWithCopy(m_paths.defaultGlobalConfig(), m_paths.globalConfig(), &error)) {
        qWarning().noquote() << "resetApconfig:" << error;
        noteFailedWrite(m_paths.globalConfig());
        return false;
    }
    reopen(m_globalSettings, "resetApconfig");
    return true;
}

void ConfigStore::openUpdateExe() { }

void ConfigStore::setCurrentProfile(int profile)
{
    if (!isValidSlot(profile)) {
        qWarning() << "setCurrentProfile: no profile slot" << profile;
        return;
    }
    m_currentProfile = profile;
}

int ConfigStore::currentProfile() const
{
    return m_currentProfile;
}

bool ConfigStore::saveProfile(int profile, bool* chosen)
{
    if (chosen) {
        *chosen = false;
    }
    if (!isValidSlot(profile) || !m_chooser) {
        return false;
    }
    sync();
    QString target
        = m_chooser->chooseSaveFile(kProfileCaptionSave, StoreTools::desktopFolder(), kProfileFilter, kProfileSuffix);
    if (target.isEmpty()) {
        return false;
    }
    if (chosen) {
        *chosen = true;
    }
    if (!target.endsWith(QStringLiteral(".pf"), Qt::CaseInsensitive)) {
        target += QStringLiteral(".pf");
    }
    QString error;
    if (!StoreTools::replaceWithCopy(m_paths.profile(profile), target, &error)) {
        qWarning().noquote() << "saveProfile:" << error;
        return false;
    }
    return true;
}

bool ConfigStore::loadProfile(int profile, bool* chosen)
{
    if (chosen) {
        *chosen = false;
    }
    if (!isValidSlot(profile) || !m_chooser) {
        return false;
    }
    const QString source = m_chooser->chooseOpenFile(kProfileCaptionOpen, StoreTools::desktopFolder(), kProfileFilter);
    if (source.isEmpty()) {
        return false;
    }
    if (chosen) {
        *chosen = true;
    }
    if (!holdsProfileKeys(source)) {
        qWarning().noquote() << "profile slot" << profile << "kept: no profile settings in" << source;
        return false;
    }
    return replaceSlotFile(profile, source);
}

bool ConfigStore::resetProfile(int profile)
{
    if (!isValidSlot(profile)) {
        return false;
    }
    return replaceSlotFile(profile, m_paths.defaultProfile());
}

bool ConfigStore::copyProfile(int destprofile, int srcprofile)
{
    if (!isValidSlot(destprofile) || !isValidSlot(srcprofile)) {
        return false;
    }
    // Replacing a slot with a copy of itself would change nothing.
    if (destprofile == srcprofile) {
        return sync();
    }
    return replaceSlotFile(destprofile, m_paths.profile(srcprofile));
}

bool ConfigStore::holdsProfileKeys(const QString& source) const
{
    // Any INI text would pass as a settings file; a profile holds some of the default's keys.
    if (!StoreTools::isSettingsFile(source)) {
        return true;
    }
    const QStringList keys = StoreTools::openSettings(source)->allKeys();
    const QStringList profileKeys = m_defaultProfileSettings->allKeys();
    return std::any_of(keys.begin(), keys.end(), [&](const QString& key) { return profileKeys.contains(key); });
}

bool ConfigStore::replaceSlotFile(int slot, const QString& source)
{
    prepareWrite();
    sync();
    // A slot never takes a file that would read as empty: its own contents are worth more.
    QString error = QStringLiteral("not a settings file: ") + source;
    if (!StoreTools::isSettingsFile(source)) {
        qWarning().noquote() << "profile slot" << slot << "kept:" << error;
        return false;
    }
    if (!StoreTools::replaceWithCopy(source, m_paths.profile(slot), &error)) {
        qWarning().noquote() << "profile slot" << slot << "kept:" << error;
        noteFailedWrite(m_paths.profile(slot));
        return false;
    }
    reopen(m_profileSettings[slot], "replace");
    return true;
}

void ConfigStore::reopen(std::unique_ptr<QSettings>& settings, const char* operation)
{
    const QString file = fileOf(settings);
    settings.reset();
    settings = StoreTools::openSettings(file);
    // Qt re-reads a file it has parsed only when its size or time stamp changed. A replacement of
    // the same size keeps the stamp on a file system that counts in whole seconds (ext3) or in two
    // (FAT), and the old contents would read on and be written back: Qt is given the new ones.
    if (!settings->fileName().isEmpty() && !StoreTools::showsDisk(*settings, file)) {
        StoreTools::showDisk(*settings, file);
        commit(settings, operation);
    }
}

bool ConfigStore::isColorful() const
{
    return m_isColorful;
}

bool ConfigStore::isGun() const
{
    return m_isGun;
}

QString ConfigStore::icType() const
{
    return m_icType;
}

bool ConfigStore::is55328() const
{
    return m_is55328;
}

QSettings* ConfigStore::defaultProfileSettings() const
{
    return m_defaultProfileSettings.get();
}

QSettings* ConfigStore::currentProfileSettings() const
{
    return m_profileSettings[m_currentProfile].get();
}

QSettings* ConfigStore::profileSettings(int slot) const
{
    return isValidSlot(slot) ? m_profileSettings[slot].get() : nullptr;
}

bool ConfigStore::sync()
{
    bool ok = commit(m_globalSettings, "sync");
    ok = commit(m_defaultProfileSettings, "sync") && ok;
    for (auto& settings : m_profileSettings) {
        ok = commit(settings, "sync") && ok;
    }
    return ok;
}

bool ConfigStore::syncProfile(int slot, const char* operation)
{
    return isValidSlot(slot) && commit(m_profileSettings[slot], operation);
}

int ConfigStore::failedWrites() const
{
    return int(m_failedFiles.size());
}

QStringList ConfigStore::failedFiles() const
{
    return m_failedFiles;
}

bool ConfigStore::syncFile(QSettings& settings, const QString& file, const char* operation)
{
    if (StoreTools::syncSettings(settings, file, operation)) {
        return true;
    }
    noteFailedWrite(file);
    return false;
}

void ConfigStore::noteFailedWrite(const QString& file)
{
    m_failedFiles << file;
    if (m_writeFailureHandler) {
        m_writeFailureHandler(file);
    }
}

void ConfigStore::setWriteFailureHandler(std::function<void(const QString&)> handler)
{
    m_writeFailureHandler = std::move(handler);
}

bool ConfigStore::write(std::unique_ptr<QSettings>& settings,
                        const QString& key,
                        const QVariant& value,
                        const char* operation)
{
    prepareWrite();
    // A settings object keeps its first access error for good; a fresh one tells whether this
    // write succeeds.
    if (settings->status() == QSettings::AccessError) {
        settings = StoreTools::openSettings(fileOf(settings));
    }
    settings->setValue(key, value);
    if (m_batchDepth > 0) {
        if (!m_pending.contains(&settings)) {
            m_pending << &settings;
        }
        return true;
    }
    return commit(settings, operation);
}

ConfigStore::WriteBatch::WriteBatch(ConfigStore& store)
    : m_store(store)
{
    ++m_store.m_batchDepth;
}

ConfigStore::WriteBatch::~WriteBatch()
{
    if (--m_store.m_batchDepth > 0) {
        return;
    }
    const QList<std::unique_ptr<QSettings>*> pending = std::exchange(m_store.m_pending, {});
    for (std::unique_ptr<QSettings>* settings : pending) {
        m_store.commit(*settings, "batch");
    }
}

bool ConfigStore::commit(std::unique_ptr<QSettings>& settings, const char* operation)
{
    const QString file = fileOf(settings);
    if (StoreTools::syncSettings(*settings, file, operation)) {
        return true;
    }
    // Reads go on with what the file really holds.
    settings = StoreTools::openSettings(file);
    noteFailedWrite(file);
    return false;
}

QString ConfigStore::fileOf(const std::unique_ptr<QSettings>& settings) const
{
    // Not settings->fileName(): a file that was refused is open under no name.
    if (&settings == &m_globalSettings) {
        return m_paths.globalConfig();
    }
    if (&settings == &m_defaultProfileSettings) {
        return m_paths.defaultProfile();
    }
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (&settings == &m_profileSettings[slot]) {
            return m_paths.profile(slot);
        }
    }
    return settings->fileName();
}

void ConfigStore::setBeforeFirstWrite(std::function<void()> repair)
{
    m_beforeFirstWrite = std::move(repair);
}

void ConfigStore::prepareWrite()
{
    // Taken first: the repair writes through this store itself.
    if (const std::function<void()> repair = std::exchange(m_beforeFirstWrite, {})) {
        repair();
    }
}

bool ConfigStore::isValidSlot(int slot)
{
    return slot >= 0 && slot < SlotCount;
}
