// Macro files: the input is a macro file and the name list beside it. Loading, encoding for the
// mouse, and saving again; names from the list must stay inside the macro folder.
#include "ConfigStore.h"
#include "FuzzFolder.h"
#include "FuzzSupport.h"
#include "MacroEncoder.h"
#include "MacroLibrary.h"
#include "StoreTools.h"

namespace {

const QString FuzzMacro = QStringLiteral("Fuzz");
// Names from the list that are tried as macros; more would only repeat the work.
constexpr int NamesTried = 4;

void encodeAndResave(MacroLibrary& macros, const StorePaths& paths)
{
    QStringList stored = macros.loadMacroIni(FuzzMacro);
    FUZZ_CHECK(!stored.isEmpty());
    FUZZ_CHECK(stored.size() <= MacroLibrary::MaxActions + 1);
    const QString repeat = stored.takeLast();
    const QList<MacroEncoder::Action> actions = MacroEncoder::parseActions(stored);
    const QByteArray encoded = MacroEncoder::deCode(actions, repeat.toInt());
    // The repeat count, then whole pairs.
    FUZZ_CHECK(encoded.size() >= 2 && encoded.size() % 2 == 0);
    FUZZ_CHECK(MacroEncoder::encodedLength(actions, repeat.toInt()) == encoded.size());

    // A file the store will not read is not written either.
    if (StoreTools::holdsBinaryValues(paths.macro(FuzzMacro))) {
        FUZZ_CHECK(!macros.saveMacroIni(FuzzMacro, stored, repeat).toBool());
        return;
    }
    // What was loaded is saved again as the editor saves it, and loads back unchanged.
    FUZZ_CHECK(macros.saveMacroIni(FuzzMacro, stored, repeat).toBool());
    FUZZ_CHECK(macros.loadMacroIni(FuzzMacro) == stored + QStringList {repeat});
}

void tryListedNames(MacroLibrary& macros, const StorePaths& paths)
{
    const QVariantList names = macros.getNameList(MacroLibrary::MacroNames);
    for (int i = 0; i < names.size() && i < NamesTried; ++i) {
        const QString name = names.at(i).toString();
        const QString path = paths.macro(name);
        if (path.isEmpty()) {
            // A refused name is refused by every operation.
            FUZZ_CHECK(!macros.createMacroIni(name, 0).toBool());
            continue;
        }
        FUZZ_CHECK(FuzzSupport::isInside(path, paths.macroDir()));
        if (name == FuzzMacro || !macros.createMacroIni(name, 0).toBool()) {
            continue;
        }
        FUZZ_CHECK(macros.loadMacroIni(name) == QStringList {QStringLiteral("1")});
        FUZZ_CHECK(macros.deleteMacroIni(name).toBool());
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::quietQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzFolder folder;
    folder.write(QStringLiteral("modules/macro/") + FuzzMacro + QStringLiteral(".bin"), data, size);
    folder.write(QStringLiteral("modules/setting/name.bin"), data, size);
    ConfigStore config(folder.path());
    MacroLibrary macros(config);
    encodeAndResave(macros, config.paths());
    tryListedNames(macros, config.paths());
    return 0;
}
