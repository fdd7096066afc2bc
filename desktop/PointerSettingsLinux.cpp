#include "PointerSettingsLinux.h"

#include "PointerSettingsKde.h"

// GIO names a structure member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

#include <cstring>

namespace {

constexpr char SchemaId[] = "org.gnome.desktop.peripherals.mouse";
constexpr char SpeedKey[] = "speed";
constexpr char DoubleClickKey[] = "double-click";

GSettingsSchemaSource* schemaSource(const std::string& directory)
{
    if (directory.empty()) {
        GSettingsSchemaSource* source = g_settings_schema_source_get_default();
        return source ? g_settings_schema_source_ref(source) : nullptr;
    }
    GError* error = nullptr;
    GSettingsSchemaSource* source
        = g_settings_schema_source_new_from_directory(directory.c_str(), nullptr, FALSE, &error);
    if (error) {
        g_error_free(error);
    }
    return source;
}

// Without a settings database GIO keeps values in memory only; that is no success.
bool persistent(GSettings* settings)
{
    GSettingsBackend* backend = nullptr;
    g_object_get(settings, "backend", &backend, nullptr);
    if (!backend) {
        return false;
    }
    const char* type = G_OBJECT_TYPE_NAME(backend);
    const bool stored
        = std::strcmp(type, "GMemorySettingsBackend") != 0 && std::strcmp(type, "GNullSettingsBackend") != 0;
    g_object_unref(backend);
    return stored;
}

} // namespace

std::unique_ptr<PointerSettings> PointerSettings::create()
{
    if (PointerSettingsKde::isCurrentDesktop()) {
        return std::make_unique<PointerSettingsKde>();
    }
    return std::make_unique<PointerSettingsLinux>();
}

PointerSettingsLinux::PointerSettingsLinux(const std::string& schemaDirectory)
{
    GSettingsSchemaSource* source = schemaSource(schemaDirectory);
    if (!source) {
        return;
    }
    m_schema = g_settings_schema_source_lookup(source, SchemaId, TRUE);
    g_settings_schema_source_unref(source);
    // GIO aborts the program on a missing schema or key, so both are checked first.
    if (!m_schema || !g_settings_schema_has_key(m_schema, SpeedKey)
        || !g_settings_schema_has_key(m_schema, DoubleClickKey)) {
        return;
    }
    m_settings = g_settings_new_full(m_schema, nullptr, nullptr);
    if (!persistent(m_settings)) {
        g_object_unref(m_settings);
        m_settings = nullptr;
    }
}

PointerSettingsLinux::~PointerSettingsLinux()
{
    if (m_settings) {
        g_object_unref(m_settings);
    }
    if (m_schema) {
        g_settings_schema_unref(m_schema);
    }
}

bool PointerSettingsLinux::available() const
{
    return m_settings != nullptr;
}

bool PointerSettingsLinux::offers(Setting setting) const
{
    return setting != Setting::WheelScrollLines && available();
}

double PointerSettingsLinux::gnomeSpeed(uint32_t speed)
{
    const double value = speed;
    return value <= 10 ? (value - 10) / 9 : (value - 10) / 10;
}

bool PointerSettingsLinux::writePointerSpeed(uint32_t speed)
{
    return write(SpeedKey, g_variant_new_double(gnomeSpeed(speed)));
}

bool PointerSettingsLinux::writeDoubleClickTime(uint32_t milliseconds)
{
    return write(DoubleClickKey, g_variant_new_int32(static_cast<int32_t>(milliseconds)));
}

bool PointerSettingsLinux::writeWheelScrollLines(uint32_t)
{
    return false;
}

bool PointerSettingsLinux::write(const char* key, GVariant* value)
{
    g_variant_ref_sink(value);
    bool done = false;
    if (m_settings) {
        // GIO refuses values outside the key's range only with a critical warning.
        GSettingsSchemaKey* schemaKey = g_settings_schema_get_key(m_schema, key);
        done = g_variant_is_of_type(value, g_settings_schema_key_get_value_type(schemaKey))
               && g_settings_schema_key_range_check(schemaKey, value) && g_settings_set_value(m_settings, key, value);
        g_settings_schema_key_unref(schemaKey);
        if (done) {
            g_settings_sync();
        }
    }
    g_variant_unref(value);
    return done;
}
