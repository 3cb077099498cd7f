#include "kxio/UecpApplier.h"

#include "kxio/ClockTimeGroup.h"
#include "kxio/UecpAnswerer.h"
#include "kxio/UecpService.h"

#include <algorithm>

namespace korvel::kxio {

namespace {

using uecp::AckCode;

constexpr std::uint8_t kCarriageReturn = kRadiotextEnd;
constexpr std::uint8_t kSpace = 0x20;
constexpr std::uint8_t kRadiotextOn = 0x01;
constexpr std::uint8_t kRadiotextFlag = 0x02;

std::uint8_t& reg(RegisterMemory& memory, Register r, std::size_t offset = 0) {
    return memory[index(r) + offset];
}

template <typename Bytes> void put(RegisterMemory& memory, Register first, const Bytes& bytes) {
    std::ranges::copy(bytes, memory.begin() + static_cast<std::ptrdiff_t>(index(first)));
}

void putWord(RegisterMemory& memory, Register first, std::size_t offset, std::uint16_t value) {
    reg(memory, first, offset) = static_cast<std::uint8_t>(value >> 8);
    reg(memory, first, offset + 1) = static_cast<std::uint8_t>(value);
}

// Applies one message to the working copy; the result is why it was refused.
class Apply {
public:
    Apply(RegisterMemory& memory, UecpApplier::Outcome& outcome)
        : m_memory{memory}
        , m_outcome{outcome} {}

    std::optional<AckCode> operator()(const uecp::Pi& m) {
        return forService(m.service, [&] { putWord(m_memory, Register::PiHigh, 0, m.code); });
    }
    std::optional<AckCode> operator()(const uecp::Ps& m) {
        return forService(m.service, [&] { put(m_memory, Register::ProgrammeService, m.name); });
    }
    std::optional<AckCode> operator()(const uecp::TaTp& m) {
        return forService(m.service, [&] {
            reg(m_memory, Register::TrafficAnnouncement) = m.announcement ? 1 : 0;
            reg(m_memory, Register::TrafficProgramme) = m.programme ? 1 : 0;
        });
    }
    std::optional<AckCode> operator()(const uecp::Di& m) {
        return forService(m.service, [&] { reg(m_memory, Register::DecoderIdentification) = m.flags; });
    }
    std::optional<AckCode> operator()(const uecp::Ms& m) {
        return forService(m.service, [&] { reg(m_memory, Register::MusicSpeech) = m.music ? 1 : 0; });
    }
    std::optional<AckCode> operator()(const uecp::Pty& m) {
        return forService(m.service, [&] { reg(m_memory, Register::ProgrammeType) = m.type; });
    }
    std::optional<AckCode> operator()(const uecp::Rt& m) {
        if (m.text.size() > kRadiotextLength) {
            return AckCode::FieldLength;
        }
        return forService(m.service, [&] { radiotext(m); });
    }
    std::optional<AckCode> operator()(const uecp::ClockTime& m) {
        const std::optional<ClockTimeGroup::Bytes> group = ClockTimeGroup::fromTime(m);
        if (!group) {
            return AckCode::OutOfRange;
        }
        put(m_memory, Register::ClockTimeType, *group);
        m_outcome.groupOnce = true;
        return std::nullopt;
    }
    std::optional<AckCode> operator()(const uecp::Af& m) {
        if (m.codes.size() > kAfCapacity) {
            return AckCode::OutOfRange;
        }
        return forService(m.service, [&] {
            reg(m_memory, Register::AfCount) = static_cast<std::uint8_t>(m.codes.size());
            std::fill_n(&reg(m_memory, Register::AfCodes), kAfCapacity, 0);
            put(m_memory, Register::AfCodes, m.codes);
        });
    }
    std::optional<AckCode> operator()(const uecp::Request& m) {
        if (const std::optional<AckCode> refused = UecpService::refusal(m.service)) {
            return refused;
        }
        UecpAnswerer::Answer answer = UecpAnswerer::answer(m, m_memory);
        if (answer.fault) {
            return answer.fault;
        }
        m_outcome.answers.push_back(std::move(*answer.message));
        return std::nullopt;
    }
    std::optional<AckCode> operator()(const uecp::Ack&) {
        return std::nullopt; // an encoder takes no acknowledgements; one sent to it changes nothing
    }
    std::optional<AckCode> operator()(const uecp::DataSetSelect& m) {
        return UecpService::selectable(m.dataSet) ? std::nullopt : std::optional{AckCode::DataSet};
    }
    // A group sent once takes the clock time's slot, which sends whatever group its registers hold
    // once, in the next slot; a cyclic group is the user group.
    std::optional<AckCode> operator()(const uecp::FreeFormat& m) {
        return forService(m.service, [&] {
            switch (m.mode) {
            case uecp::FreeFormatMode::Once:
                putGroup(Register::ClockTimeType, m);
                m_outcome.groupOnce = true;
                return;
            case uecp::FreeFormatMode::Cyclic:
                putGroup(Register::UserGroupType, m);
                reg(m_memory, Register::UserGroupEnable) = 1;
                return;
            case uecp::FreeFormatMode::Stop:
                reg(m_memory, Register::UserGroupEnable) = 0;
                return;
            }
        });
    }
    // Open data applications need group slots this encoder's cycle has not got.
    std::optional<AckCode> operator()(const uecp::OdaConfig&) { return AckCode::NotAcceptable; }
    std::optional<AckCode> operator()(const uecp::OdaData&) { return AckCode::NotAcceptable; }

private:
    template <typename Change> std::optional<AckCode> forService(uecp::Service service, Change change) {
        if (const std::optional<AckCode> refused = UecpService::refusal(service)) {
            return refused;
        }
        if (UecpService::onAir(service)) {
            change();
        }
        return std::nullopt;
    }

    void putGroup(Register type, const uecp::FreeFormat& m) {
        reg(m_memory, type) = static_cast<std::uint8_t>(m.group.type << kGroupTypeShift |
                                                        (m.group.versionB ? 1u : 0u) << kGroupVersionShift);
        reg(m_memory, type, kGroupBlockB) = m.blockB;
        putWord(m_memory, type, kGroupBlockC, m.blockC);
        putWord(m_memory, type, kGroupBlockD, m.blockD);
    }

    // A text shorter than 64 characters ends with a carriage return, as the standard asks, so the
    // groups stop there. No text clears the buffer: no radiotext goes out. The A/B flag turns over
    // when the message asks; the encoder has one buffer, which every text replaces, and sends it
    // until the next.
    void radiotext(const uecp::Rt& m) {
        std::uint8_t& control = reg(m_memory, Register::RadiotextControl);
        std::fill_n(&reg(m_memory, Register::RadiotextText), kRadiotextLength, kSpace);
        if (m.text.empty()) {
            control = static_cast<std::uint8_t>(control & ~kRadiotextOn);
            return;
        }
        put(m_memory, Register::RadiotextText, m.text);
        if (m.text.size() < kRadiotextLength) {
            reg(m_memory, Register::RadiotextText, m.text.size()) = kCarriageReturn;
        }
        control = static_cast<std::uint8_t>(control | kRadiotextOn);
        if (m.toggle) {
            control = static_cast<std::uint8_t>(control ^ kRadiotextFlag);
        }
    }

    RegisterMemory& m_memory;
    UecpApplier::Outcome& m_outcome;
};

} // namespace

UecpApplier::Outcome UecpApplier::apply(std::span<const uecp::Message> messages, RegisterMemory& memory) {
    Outcome outcome;
    RegisterMemory work = memory;
    Apply apply{work, outcome};
    for (const uecp::Message& message : messages) {
        if (const std::optional<AckCode> fault = std::visit(apply, message)) {
            return {.fault = fault};
        }
    }
    memory = work;
    return outcome;
}

} // namespace korvel::kxio
