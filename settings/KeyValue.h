#pragma once

#include "settings/SettingsKeys.h"

#include <optional>
#include <string>
#include <string_view>

namespace korvel::model {
class StationSettings;
}

namespace korvel::settings {

// One key of the settings file against the settings: its value as the file writes it, and a
// value read from the file applied as the key's checks say.
class KeyValue {
public:
    [[nodiscard]] static std::string save(model::StationSettings& settings, const SettingsKey& key);
    // value: as the file holds it, blanks at both ends removed; nullopt when the key is missing.
    static void load(model::StationSettings& settings, const SettingsKey& key,
                     std::optional<std::string_view> value);

private:
    [[nodiscard]] static int integer(model::StationSettings& settings, const Where& where);
    static void setInteger(model::StationSettings& settings, const Where& where, int value);
    [[nodiscard]] static bool flag(const model::StationSettings& settings, const Where& where);
    static void setFlag(model::StationSettings& settings, const Where& where, bool value);
    [[nodiscard]] static std::string text(const model::StationSettings& settings, const Where& where);
    static void setText(model::StationSettings& settings, const Where& where, std::string value);

    static void loadInteger(model::StationSettings& settings, const SettingsKey& key,
                            std::optional<int> value);
};

} // namespace korvel::settings
