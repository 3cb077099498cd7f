#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::model {
class StationSettings;
}

namespace korvel::text {

// What the text sources tell the operator in the status bar: per source what it found while
// the cause lasts, told once, not at every poll. Sources that found the same (both read one
// file) are named in one message. A message waits while the result of the operator's own device
// operation shows; when the causes end and the status bar still shows the message, it gets back
// what the message covered.
class SourceNotices {
public:
    using Instant = std::chrono::milliseconds;

    // Long enough to read a result, short enough for a message to come soon after it.
    static constexpr std::chrono::seconds kHold{5};

    // The settings must outlive the notices; a label names a source in the status bar.
    SourceNotices(model::StationSettings& settings, std::vector<std::string_view> labels);

    // The cause lasts; another cause is told anew.
    void report(std::size_t source, std::string cause);
    void end(std::size_t source);
    // Tells the causes not told yet, unless the status bar is held.
    void tell(Instant now);
    // The operator has just made a device operation: its result is not covered for a while.
    void hold(Instant now) { m_heldFrom = now; }

private:
    struct Notice {
        std::string cause; // empty: none
        bool told = false;
    };

    [[nodiscard]] std::string message(bool toldOnly) const;
    [[nodiscard]] bool showing() const;
    void show(std::string message);

    model::StationSettings& m_settings;
    std::vector<std::string_view> m_labels;
    std::vector<Notice> m_notices;
    std::string m_shown;   // the message last put in the status bar; empty: none
    std::string m_covered; // the status bar's text before it
    std::optional<Instant> m_heldFrom;
};

} // namespace korvel::text
