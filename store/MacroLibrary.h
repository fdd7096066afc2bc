#ifndef QX7_MACROLIBRARY_H
#define QX7_MACROLIBRARY_H

#include <QStringList>
#include <QVariant>

class ConfigStore;

// Macro files under modules/macro/, the name lists, macro export and import, and keeping the
// profiles' macro bindings in step when a macro is renamed or deleted.
//
// A macro name must be a plain file name (see StoreTools::isPlainFileName); every operation
// refuses any other name, so nothing is ever written outside modules/macro/.
class MacroLibrary
{
public:
    // List types of updataNameList and getNameList.
    enum NameListType {
        MacroNames = 0,
        GunNames = 1,
        ProfileNames = 2,
        GunSelection = 3,
    };

    enum class ImportResult { Imported, Cancelled, Refused };

    // Stored after the only name of a one-name list, which would otherwise read back as a text.
    static const QString FillerMarker;
    // Profile slots whose bindings follow renames and deletions: those of the profiles screen.
    static constexpr int BoundSlotCount = 6;
    // More actions than any macro editor produces; a damaged "total" is cut to it.
    static constexpr int MaxActions = 4096;

    explicit MacroLibrary(ConfigStore& config);

    // False when the name is refused or the file cannot be written.
    QVariant createMacroIni(const QVariant& name, const QVariant& macroIndex);
    QVariant saveMacroIni(const QVariant& name, const QStringList& macros, const QVariant& repeat);
    QStringList loadMacroIni(const QVariant& name) const;
    QVariant deleteMacroIni(const QVariant& name);
    QVariant modifyMacroNameUpdateProfile(const QVariant& oldname, const QVariant& newname);
    // False when a profile could not be written.
    bool deleteMacroUpdateProfile(const QVariant& macroName);
    // False for an unknown type or a name list that could not be written.
    QVariant updataNameList(const QVariant& type, const QStringList& nameList);
    QVariantList getNameList(const QVariant& type) const;
    // `chosen` tells a cancelled dialog apart from a file that could not be written.
    bool saveMacroFile(const QVariant& macroFileName, bool* chosen = nullptr);
    bool loadMacroFile(const QVariant& macroFileName);
    // As loadMacroFile, telling a cancelled dialog from a file that was refused: not a macro
    // file, or the target macro exists.
    ImportResult importMacroFile(const QVariant& macroFileName);

    bool macroExists(const QString& name) const;

private:
    // A settings file with a number of actions.
    static bool isMacroFile(const QString& path);
    QString macroPath(const QVariant& name) const;
    void renameBindings(const QString& oldName, const QString& newName);

    ConfigStore& m_config;
};

#endif // QX7_MACROLIBRARY_H
