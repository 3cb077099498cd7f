#pragma once

#include <chrono>
#include <optional>

namespace korvel::text {

// How long one text source has gone without a new title: from its last new title, or from
// when the source came on. Its fallback text goes on air once when the gap is long enough.
class TitleGap {
public:
    using Instant = std::chrono::milliseconds; // the local time, steady across daylight-saving changes

    // The source is on at this poll: a gap that does not run yet starts now.
    void run(Instant now);
    // A new title was taken: the gap starts again, and the fallback may come again after it.
    void restart(Instant now);
    // The source is off: nothing counts until it comes on again.
    void stop();

    [[nodiscard]] bool fallbackDue(Instant now, std::chrono::minutes after) const;
    void fallbackTaken() { m_fallbackTaken = true; }

private:
    std::optional<Instant> m_since;
    bool m_fallbackTaken = false;
};

} // namespace korvel::text
