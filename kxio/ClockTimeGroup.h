#pragma once

#include "uecp/Message.h"

#include <array>
#include <cstdint>
#include <optional>

namespace korvel::kxio {

// The clock-time group 4A (IEC 62106) as the encoder's registers hold it: the type byte, then bytes
// 4..8 of the group: the Modified Julian Day in 17 bits, the UTC hour in 5, the minute in 6, the
// local offset's sign (set west of Greenwich) and its half hours in 5.
class ClockTimeGroup {
public:
    static constexpr std::uint8_t kType = 0x40; // group 4A
    using Bytes = std::array<std::uint8_t, 6>;

    // Nothing for a date the calendar has not got (30 February). Seconds are not sent: the group
    // counts whole minutes.
    [[nodiscard]] static std::optional<Bytes> fromTime(const uecp::ClockTime& time);

    // The date and time a group from fromTime holds; nothing for bytes of another group type.
    [[nodiscard]] static std::optional<uecp::ClockTime> toTime(const Bytes& bytes);
};

} // namespace korvel::kxio
