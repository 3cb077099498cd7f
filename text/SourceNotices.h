#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace korvel::model {
class StationSettings;
}

namespace korvel::text {

// What the text sources tell the operator in the status bar: per source one message while its
// cause lasts, told once, not at every poll. A message waits while the result of the operator's
// own device operation shows; when its cause ends and the status bar still shows it, the status
// bar gets back what the message covered.
class SourceNotices {
public:
    using Instant = std::chrono::milliseconds;

    // The settings must outlive the notices.
    SourceNotices(model::StationSettings& settings, std::size_t sources);

    // The cause lasts; another message is another cause, told anew.
    void report(std::size_t source, std::string message);
    void end(std::size_t source);
    // Tells the messages not told yet, unless the status bar is held.
    void tell(Instant now);
    // The operator has just made a device operation: its result is not covered for a while.
    void hold(Instant now) { m_heldFrom = now; }

    // Long enough to read a result, short enough for a message to come soon after it.
    static constexpr std::chrono::seconds kHold{5};

private:
    struct Notice {
        std::string message; // empty: no cause
        bool told = false;
        std::string covered; // the status bar's text before the message
    };

    model::StationSettings& m_settings;
    std::vector<Notice> m_notices;
    std::optional<Instant> m_heldFrom;
};

} // namespace korvel::text
