// Language files: the input is one language file. Every group the scene loads, the key labels built
// from the "keyCode" group and the DPI balloon texts from "other".
#include "DpiSwitchTexts.h"
#include "FuzzFolder.h"
#include "FuzzSupport.h"
#include "KeyLabelTable.h"
#include "LanguageStore.h"

namespace {

const QString FuzzLanguage = QStringLiteral("Fuzz");
const char* const Groups[] = {"main",
                              "keyMatrix",
                              "keyAssigment",
                              "dpiSetting",
                              "lightControl",
                              "macroEditor",
                              "systemSetting",
                              "gunControl",
                              "profile",
                              "keyCode",
                              "other"};

void checkKeyLabels(const QStringList& labels)
{
    const KeyLabelTable table(labels);
    FUZZ_CHECK(table.entries().size() == KeyLabelTable::EntryCount);
    for (const KeyLabelTable::Entry& entry : table.entries()) {
        // A label leads back to an entry that carries it.
        const quint8 code = table.code(entry.label);
        FUZZ_CHECK(entry.label.isEmpty() ? code == 0 : table.label(code) == entry.label);
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
    folder.write(QStringLiteral("modules/i18n/") + FuzzLanguage + QStringLiteral(".ini"), data, size);
    const LanguageStore store(folder.path());
    for (const char* group : Groups) {
        const QStringList texts = store.getLangStrings(QString::fromLatin1(group), FuzzLanguage);
        if (qstrcmp(group, "other") == 0) {
            DpiSwitchTexts::set(texts);
        }
        FUZZ_CHECK(texts.size() <= LanguageStore::MaxTexts);
        if (qstrcmp(group, "keyCode") == 0) {
            checkKeyLabels(texts);
        }
    }
    const QStringList balloons = DpiSwitchTexts::all();
    FUZZ_CHECK(balloons.size() == DpiSwitchTexts::Count);
    for (int stage = -1; stage <= 256; ++stage) {
        FUZZ_CHECK(balloons.contains(DpiSwitchTexts::forStage(stage)));
    }
    DpiSwitchTexts::reset();
    return 0;
}
