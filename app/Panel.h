#pragma once

#include "model/StationSettings.h"
#include "text/CodePage.h"
#include "text/RdsConversion.h"

namespace korvel::app {

// Owns the program's state and logic below the window: the station settings, the desktop code
// page and the conversions. The window is a view on it; tests drive it without a window.
class Panel {
public:
    Panel(int codePage, char decimalSeparator);
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    [[nodiscard]] model::StationSettings& settings() { return m_settings; }
    [[nodiscard]] const model::StationSettings& settings() const { return m_settings; }
    [[nodiscard]] const text::CodePage& codePage() const { return m_codePage; }
    [[nodiscard]] const text::RdsConversion& conversion() const { return m_conversion; }

private:
    model::StationSettings m_settings;
    text::CodePage m_codePage;
    text::RdsConversion m_conversion;
};

} // namespace korvel::app
