#ifndef QX7_POINTERSETTINGSLINUX_H
#define QX7_POINTERSETTINGSLINUX_H

#include "PointerSettings.h"

#include <string>

struct _GSettings;
struct _GSettingsSchema;
struct _GVariant;

// GNOME's mouse settings through GSettings, stored in the user's settings database. GNOME has no
// wheel scroll lines, so that setting is not offered and always fails.
class PointerSettingsLinux : public PointerSettings
{
public:
    // With a folder, the schema is looked for only in that compiled schema folder.
    explicit PointerSettingsLinux(const std::string& schemaDirectory = std::string());
    ~PointerSettingsLinux() override;
    PointerSettingsLinux(const PointerSettingsLinux&) = delete;
    PointerSettingsLinux& operator=(const PointerSettingsLinux&) = delete;

    // False when the schema is missing or the settings would not outlive the program.
    bool available() const;

    bool offers(Setting setting) const override;

    // GNOME's speed (-1 to 1) for 1 to 20: 1 is -1, 10 is 0, 20 is 1.
    static double gnomeSpeed(uint32_t speed);

protected:
    bool writePointerSpeed(uint32_t speed) override;
    bool writeDoubleClickTime(uint32_t milliseconds) override;
    bool writeWheelScrollLines(uint32_t lines) override;

private:
    bool write(const char* key, _GVariant* value);

    _GSettings* m_settings = nullptr;
    _GSettingsSchema* m_schema = nullptr;
};

#endif // QX7_POINTERSETTINGSLINUX_H
