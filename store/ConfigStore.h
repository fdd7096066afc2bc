#ifndef QX7_CONFIGSTORE_H
#define QX7_CONFIGSTORE_H

#include "StorePaths.h"

#include <QList>
#include <QSettings>
#include <QVariant>

#include <array>
#include <functional>
#include <memory>

class FileChooser;

// The global configuration, the default profile and the ten profile slots, with the generic
// accessors and the slot operations (choose, export, import, reset, copy).
//
// Every write goes to disk at once, so any later copy, export or replacement of a file, and
// the end of the process, find the file up to date. A write that fails is reported: the
// operation returns false, the debug log names the file, failedFiles() lists it and the write
// failure handler hears of it; the macro library and the gun store report theirs here too. A file is
// replaced only through a complete copy beside it; a failed replacement leaves the old file and
// its settings object in place.
class ConfigStore
{
public:
    static constexpr int SlotCount = 10;

    explicit ConfigStore(const QString& baseDir);
    ~ConfigStore();

    ConfigStore(const ConfigStore&) = delete;
    ConfigStore& operator=(const ConfigStore&) = delete;

    const StorePaths& paths() const;
    // Not owned; without a chooser every dialog counts as cancelled.
    void setFileChooser(FileChooser* chooser);
    FileChooser* fileChooser() const;

    // A current-profile entry that is missing, or not shaped as the default profile's entry (a
    // number, or a list of as many numbers), reads as the default profile's.
    QVariant getData(const QVariant& key, bool isRecovery) const;
    QVariantList getDataList(const QVariant& key, bool isRecovery) const;
    // Each write returns false when the file could not be written.
    bool setData(const QVariant& key, const QVariant& data);
    bool setDataList(const QVariant& key, const QVariantList& datalist);
    QVariant getGlobalData(const QVariant& key) const;
    bool setGlobalData(const QVariant& key, const QVariant& tmpdata);
    // False (and the configuration unchanged) when the default copy is missing or unreadable.
    bool resetApconfig();
    void openUpdateExe();

    // A slot outside 0-9 is ignored; the current slot stays.
    void setCurrentProfile(int profile);
    int currentProfile() const;
    // Each returns false when nothing was done: slot outside 0-9, dialog cancelled, or a
    // file that could not be read or written.
    bool saveProfile(int profile, bool* chosen = nullptr);
    // `chosen` tells a cancelled dialog apart from a file that was chosen and refused; a file
    // holding none of a profile's keys is refused.
    bool loadProfile(int profile, bool* chosen = nullptr);
    bool resetProfile(int profile);
    bool copyProfile(int destprofile, int srcprofile);

    bool isColorful() const;
    bool isGun() const;
    QString icType() const;
    bool is55328() const;

    QSettings* defaultProfileSettings() const;
    QSettings* currentProfileSettings() const;
    // Null for a slot outside 0-9.
    QSettings* profileSettings(int slot) const;

    // Writes every pending change of the long-lived settings objects; false if one failed.
    bool sync();
    // Writes the pending changes of profile slot `slot`; a failure is logged under `operation`.
    bool syncProfile(int slot, const char* operation);
    // Writes that failed since the store was built.
    int failedWrites() const;
    // The file of each failed write, oldest first.
    QStringList failedFiles() const;
    // Writes one of the store's other files (macros, name lists, gun presets) to `file`, the path
    // it was opened with; a failure counts here.
    bool syncFile(QSettings& settings, const QString& file, const char* operation);
    // Counts a failed write of `file` and tells the handler.
    void noteFailedWrite(const QString& file);
    // Called with the file of every failed write from now on.
    void setWriteFailureHandler(std::function<void(const QString& file)> handler);

    // Writes made while a batch lives are written to disk once, when the last batch ends: a screen
    // that stores many values rewrites each file once instead of once per value. Inside a batch a
    // write reports success; a failure shows when the batch ends (debug log, failedWrites()).
    class WriteBatch
    {
    public:
        explicit WriteBatch(ConfigStore& store);
        ~WriteBatch();
        WriteBatch(const WriteBatch&) = delete;
        WriteBatch& operator=(const WriteBatch&) = delete;

    private:
        ConfigStore& m_store;
    };
    static bool isValidSlot(int slot);

    // Start-up changes no file; a repair it finds needed (the profile list's) waits here and runs
    // once, just before the first write or replacement of one of the store's files.
    void setBeforeFirstWrite(std::function<void()> repair);
    // Runs that repair now, if one waits; every write of the store's files starts with this.
    void prepareWrite();

private:
    bool replaceSlotFile(int slot, const QString& source);
    // A new settings object on the file of `settings`, which has just been replaced.
    void reopen(std::unique_ptr<QSettings>& settings, const char* operation);
    bool write(std::unique_ptr<QSettings>& settings, const QString& key, const QVariant& value, const char* operation);
    bool commit(std::unique_ptr<QSettings>& settings, const char* operation);
    QString fileOf(const std::unique_ptr<QSettings>& settings) const;
    bool holdsProfileKeys(const QString& source) const;

    StorePaths m_paths;
    FileChooser* m_chooser = nullptr;
    std::unique_ptr<QSettings> m_globalSettings;
    std::unique_ptr<QSettings> m_defaultProfileSettings;
    std::array<std::unique_ptr<QSettings>, SlotCount> m_profileSettings;
    int m_currentProfile = 0;
    QStringList m_failedFiles;
    std::function<void(const QString&)> m_writeFailureHandler;
    int m_batchDepth = 0;
    QList<std::unique_ptr<QSettings>*> m_pending;
    std::function<void()> m_beforeFirstWrite;
    bool m_isColorful = false;
    bool m_isGun = false;
    QString m_icType;
    bool m_is55328 = false;
};

#endif // QX7_CONFIGSTORE_H
