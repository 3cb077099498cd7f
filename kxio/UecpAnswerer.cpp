#include "kxio/UecpAnswerer.h"

#include "kxio/ClockTimeGroup.h"
#include "kxio/UecpService.h"

#include <algorithm>
#include <array>

namespace korvel::kxio {

namespace {

using uecp::AckCode;
using uecp::Code;
using uecp::Message;

constexpr std::uint8_t kCarriageReturn = kRadiotextEnd;

std::uint16_t word(const RegisterMemory& memory, Register first, std::size_t offset = 0) {
    return static_cast<std::uint16_t>(at(memory, first, offset) << 8 | at(memory, first, offset + 1));
}

template <std::size_t N> std::array<std::uint8_t, N> bytes(const RegisterMemory& memory, Register first) {
    std::array<std::uint8_t, N> out{};
    std::copy_n(memory.begin() + static_cast<std::ptrdiff_t>(index(first)), N, out.begin());
    return out;
}

// The text as the groups send it: up to the first carriage return, or all 64 characters. Off, it
// is the empty text that clears a buffer.
std::vector<std::uint8_t> radiotext(const RegisterMemory& memory) {
    if (!bitSet(memory, Register::RadiotextControl)) {
        return {};
    }
    const auto first = memory.begin() + static_cast<std::ptrdiff_t>(index(Register::RadiotextText));
    return {first, std::find(first, first + kRadiotextLength, kCarriageReturn)};
}

// The codes the groups send: those that name an FM frequency.
std::vector<std::uint8_t> afCodes(const RegisterMemory& memory) {
    const std::size_t count = std::min<std::size_t>(at(memory, Register::AfCount), kAfCapacity);
    std::vector<std::uint8_t> codes;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t code = at(memory, Register::AfCodes, i);
        if (code >= uecp::kMinAfCode && code <= uecp::kMaxAfCode) {
            codes.push_back(code);
        }
    }
    return codes;
}

std::optional<Message> userGroup(const RegisterMemory& memory) {
    if (!bitSet(memory, Register::UserGroupEnable)) {
        return std::nullopt;
    }
    const std::uint8_t type = at(memory, Register::UserGroupType);
    uecp::FreeFormat m;
    m.mode = uecp::FreeFormatMode::Cyclic;
    m.group = {static_cast<std::uint8_t>(type >> kGroupTypeShift), ((type >> kGroupVersionShift) & 1u) != 0};
    m.blockB = at(memory, Register::UserGroupType, kGroupBlockB) & uecp::kFiveBits;
    m.blockC = word(memory, Register::UserGroupType, kGroupBlockC);
    m.blockD = word(memory, Register::UserGroupType, kGroupBlockD);
    return m;
}

std::optional<Message> clockTime(const RegisterMemory& memory) {
    const auto time = ClockTimeGroup::toTime(
        bytes<std::tuple_size_v<ClockTimeGroup::Bytes>>(memory, Register::ClockTimeType));
    return time ? std::optional<Message>{*time} : std::nullopt;
}

// One message built from the registers; nothing for a kind the encoder does not hold.
std::optional<Message> build(Code code, const RegisterMemory& memory) {
    switch (code) {
    case Code::Pi:
        return uecp::Pi{{}, word(memory, Register::PiHigh)};
    case Code::Ps:
        return uecp::Ps{{}, bytes<kPsLength>(memory, Register::ProgrammeService)};
    case Code::TaTp:
        return uecp::TaTp{
            {}, bitSet(memory, Register::TrafficAnnouncement), bitSet(memory, Register::TrafficProgramme)};
    case Code::Di:
        return uecp::Di{
            {}, static_cast<std::uint8_t>(at(memory, Register::DecoderIdentification) & uecp::kDiMask)};
    case Code::Ms:
        return uecp::Ms{{}, bitSet(memory, Register::MusicSpeech)};
    case Code::Pty:
        return uecp::Pty{{},
                         static_cast<std::uint8_t>(at(memory, Register::ProgrammeType) & uecp::kFiveBits)};
    case Code::Rt:
        return uecp::Rt{.text = radiotext(memory)};
    case Code::Af:
        return uecp::Af{{}, afCodes(memory)};
    case Code::DataSetSelect:
        return uecp::DataSetSelect{UecpService::kDataSet};
    case Code::FreeFormat:
        return userGroup(memory);
    case Code::ClockTime:
        return clockTime(memory);
    case Code::Request:
    case Code::Ack:
    case Code::OdaConfig:
    case Code::OdaData:
        break;
    }
    return std::nullopt;
}

// The answer names the service the request named.
struct SetService {
    uecp::Service service;
    template <typename M> void operator()(M& m) const {
        if constexpr (requires { m.service; }) {
            m.service = service;
        }
    }
};

} // namespace

UecpAnswerer::Answer UecpAnswerer::answer(const uecp::Request& request, const RegisterMemory& memory) {
    std::optional<Message> message = build(request.code, memory);
    if (!message) {
        return {.fault = AckCode::NotAcceptable};
    }
    std::visit(SetService{request.service}, *message);
    return {.message = std::move(message)};
}

} // namespace korvel::kxio
