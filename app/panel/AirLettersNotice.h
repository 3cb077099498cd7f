#pragma once

#include "text/AirLetters.h"

#include <optional>
#include <set>
#include <string>
#include <utility>

namespace korvel::model {
class StationSettings;
}

namespace korvel::app {

// Tells the operator, once for each letter and conversion, when a station text will reach the
// listener with another letter than the one typed, naming the first such letter. The texts are
// checked as they change; the status bar says so when the event at hand has ended, so that the
// status of a write that follows does not hide it.
class AirLettersNotice {
public:
    // All must outlive the notice.
    AirLettersNotice(model::StationSettings& settings, const text::AirLetters& letters);

    // A station text or the conversion changed.
    void check();
    // The event has ended: a letter found meanwhile goes to the status bar.
    void tell();

    [[nodiscard]] static std::string message(const text::AirLetters::Changed& changed,
                                             std::string_view conversion);

private:
    model::StationSettings& m_settings;
    const text::AirLetters& m_letters;
    std::set<std::pair<char32_t, int>> m_told; // letter and conversion
    std::optional<std::string> m_pending;
};

} // namespace korvel::app
