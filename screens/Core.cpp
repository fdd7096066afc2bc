#include "Core.h"

#include "ConfigStore.h"
#include "DeviceOperations.h"
#include "GunStore.h"
#include "LanguageStore.h"
#include "MacroLibrary.h"
#include "Screens.h"

Core::Core(const QString& baseDir)
    : m_store(std::make_unique<ConfigStore>(baseDir))
    , m_macros(std::make_unique<MacroLibrary>(*m_store))
    , m_guns(std::make_unique<GunStore>(*m_store))
    , m_languages(std::make_unique<LanguageStore>(baseDir))
{
}

Core::~Core()
{
    attach(nullptr);
}

void Core::attach(Hid_Thread* link)
{
    m_screens.reset();
    m_operations.reset();
    if (!link) {
        return;
    }
    m_operations = std::make_unique<DeviceOperations>(link, m_store.get());
    m_screens = std::make_unique<Screens>(*m_store, *m_macros, *m_guns, *m_languages, *m_operations);
}
