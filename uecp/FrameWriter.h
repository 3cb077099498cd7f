#pragma once

#include "uecp/Frame.h"

#include <cstdint>
#include <vector>

namespace korvel::uecp {

// The frame as it travels: STA, then ADD, SQC, MFL, MSG and CRC stuffed, then STP. A MSG field
// longer than 255 bytes cannot be framed; only its first 255 bytes are sent, so callers split
// their messages over frames first.
[[nodiscard]] std::vector<std::uint8_t> encodeFrame(const Frame& frame);

} // namespace korvel::uecp
