#pragma once

#include <string>
#include <string_view>

namespace korvel::model {
class StationSettings;
}

namespace korvel::text {
class RdsConversion;
}

namespace korvel::operations {

// The station's texts on their way to and from the encoder, converted between the desktop code
// page and the RDS character set as the station setting RBANSIC says.
class RdsText {
public:
    // Both must outlive the texts.
    RdsText(const text::RdsConversion& conversion, const model::StationSettings& settings);

    [[nodiscard]] std::string toRds(std::string_view desktop) const;
    [[nodiscard]] std::string fromRds(std::string_view rds) const;

private:
    const text::RdsConversion& m_conversion;
    const model::StationSettings& m_settings;
};

} // namespace korvel::operations
