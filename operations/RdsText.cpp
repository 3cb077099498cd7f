#include "operations/RdsText.h"

#include "model/StationSettings.h"
#include "text/RdsConversion.h"

namespace korvel::operations {

namespace {

// An index outside the list converts nothing, like "No conversion".
text::AnsiConversion mode(const model::StationSettings& settings) {
    return static_cast<text::AnsiConversion>(settings.choice("RBANSIC"));
}

} // namespace

RdsText::RdsText(const text::RdsConversion& conversion, const model::StationSettings& settings)
    : m_conversion(conversion)
    , m_settings(settings) {}

std::string RdsText::toRds(std::string_view desktop) const {
    return m_conversion.AnsiToRDS(desktop, mode(m_settings));
}

std::string RdsText::fromRds(std::string_view rds) const {
    return m_conversion.RDSToAnsi(rds, mode(m_settings));
}

} // namespace korvel::operations
