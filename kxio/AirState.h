#pragma once

#include "kxio/Register.h"

#include <cstdint>

namespace korvel::kxio {

// What the RDS generator needs to know of the encoder: a copy of its registers, whether the
// carrier is on, and how many times the clock-time trigger has been written.
struct AirState {
    RegisterMemory memory{};
    bool carrierOn = true;
    std::uint32_t clockTimeTriggers = 0;
};

} // namespace korvel::kxio
