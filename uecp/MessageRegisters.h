#pragma once

#include "kxio/Register.h"
#include "uecp/Message.h"

#include <array>
#include <cstddef>
#include <span>
#include <vector>

namespace korvel::uecp {

// Which registers each message is made of. The requestable ones can be read back from an encoder
// that answers request messages.
struct MessageSpan {
    Code code;
    kxio::Register first;
    std::size_t count;
    bool requestable;
};

// clang-format off
inline constexpr std::array kMessageSpans{
    MessageSpan{Code::Pi,         kxio::Register::PiHigh,                2,  true},
    MessageSpan{Code::Ps,         kxio::Register::ProgrammeService,      8,  true},
    MessageSpan{Code::Pty,        kxio::Register::ProgrammeType,         1,  true},
    MessageSpan{Code::Di,         kxio::Register::DecoderIdentification, 1,  true},
    MessageSpan{Code::Ms,         kxio::Register::MusicSpeech,           1,  true},
    MessageSpan{Code::TaTp,       kxio::Register::TrafficProgramme,      2,  true},
    MessageSpan{Code::Af,         kxio::Register::AfCount,               16, true},
    MessageSpan{Code::Rt,         kxio::Register::RadiotextControl,      65, true},
    MessageSpan{Code::FreeFormat, kxio::Register::UserGroupEnable,       7,  false},
    MessageSpan{Code::ClockTime,  kxio::Register::ClockTimeTrigger,      1,  false},
};
// clang-format on

[[nodiscard]] const MessageSpan& spanOf(Code code);

// The requestable messages whose registers overlap [first, first + count).
[[nodiscard]] std::vector<Code> requestsFor(std::size_t first, std::size_t count);

// Writes what an encoder's answer says into the registers it is made of.
void applyToRegisters(const Message& message, kxio::RegisterMemory& memory);

} // namespace korvel::uecp
