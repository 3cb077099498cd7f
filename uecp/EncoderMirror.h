#pragma once

#include "kxio/Register.h"

#include <bitset>

namespace korvel::uecp {

// What the encoder holds as far as this library knows: the registers of every write it
// acknowledged. A register never acknowledged since Connect is unknown, so its first write is
// always sent, whatever its value.
struct EncoderMirror {
    kxio::RegisterMemory memory{};
    std::bitset<kxio::kRegisterCount> known;
};

} // namespace korvel::uecp
