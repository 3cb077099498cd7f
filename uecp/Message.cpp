#include "uecp/Message.h"

#include <algorithm>
#include <type_traits>

namespace korvel::uecp {

namespace {

constexpr std::uint8_t kRequestLength = 3;

// ---- writing ----

class Writer {
public:
    explicit Writer(Code code) { m_bytes.push_back(static_cast<std::uint8_t>(code)); }
    void byte(std::uint8_t value) { m_bytes.push_back(value); }
    void flag(bool value) { byte(value ? 1 : 0); }
    void word(std::uint16_t value) {
        byte(static_cast<std::uint8_t>(value >> 8));
        byte(static_cast<std::uint8_t>(value & 0xFF));
    }
    void service(Service value) {
        byte(value.dataSet);
        byte(value.programme);
    }
    void bytes(std::span<const std::uint8_t> values) {
        m_bytes.insert(m_bytes.end(), values.begin(), values.end());
    }
    [[nodiscard]] std::vector<std::uint8_t> take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

void put(Writer& out, const Pi& m) {
    out.service(m.service);
    out.word(m.code);
}
void put(Writer& out, const Ps& m) {
    out.service(m.service);
    out.bytes(m.name);
}
void put(Writer& out, const TaTp& m) {
    out.service(m.service);
    out.byte(static_cast<std::uint8_t>((m.announcement ? kTaBit : 0) | (m.programme ? kTpBit : 0)));
}
void put(Writer& out, const Di& m) {
    out.service(m.service);
    out.byte(m.flags & kDiMask);
}
void put(Writer& out, const Ms& m) {
    out.service(m.service);
    out.flag(m.music);
}
void put(Writer& out, const Pty& m) {
    out.service(m.service);
    out.byte(m.type & kFiveBits);
}
void put(Writer& out, const Rt& m) {
    out.service(m.service);
    const std::size_t length = std::min(m.text.size(), kMaxRadiotext);
    if (length == 0) {
        out.byte(0);
        return;
    }
    out.byte(static_cast<std::uint8_t>(length + 1));
    out.byte(static_cast<std::uint8_t>(((m.bufferMode & kRtBufferModeMask) << kRtBufferModeShift) |
                                       ((m.transmissions & kRtTransmissionsMask) << 1) | (m.toggle ? 1 : 0)));
    out.bytes(std::span(m.text).first(length));
}
void put(Writer& out, const ClockTime& m) {
    for (const std::uint8_t field : {m.year, m.month, m.day, m.hour, m.minute, m.second, m.centisecond}) {
        out.byte(field);
    }
    const int magnitude =
        std::min<int>(m.offsetHalfHours < 0 ? -m.offsetHalfHours : m.offsetHalfHours, kClockOffsetMask);
    out.byte(static_cast<std::uint8_t>((m.offsetHalfHours < 0 ? kClockOffsetSign : 0) | magnitude));
}
void put(Writer& out, const Af& m) {
    const std::size_t count = std::min(m.codes.size(), kMaxAfCodes);
    out.byte(static_cast<std::uint8_t>(kAfHeader + count));
    out.service(m.service);
    out.byte(static_cast<std::uint8_t>(kAfCountBase + count));
    out.bytes(std::span(m.codes).first(count));
}
void put(Writer& out, const Request& m) {
    out.byte(kRequestLength);
    out.byte(static_cast<std::uint8_t>(m.code));
    out.service(m.service);
}
void put(Writer& out, const Ack& m) {
    out.byte(static_cast<std::uint8_t>(m.code));
    out.byte(m.sequence);
}
void put(Writer& out, const DataSetSelect& m) {
    out.byte(m.dataSet);
}
void putGroupData(Writer& out, std::uint8_t blockB, std::uint16_t blockC, std::uint16_t blockD) {
    out.byte(blockB & kFiveBits);
    out.word(blockC);
    out.word(blockD);
}
void put(Writer& out, const FreeFormat& m) {
    out.service(m.service);
    out.byte(static_cast<std::uint8_t>((static_cast<unsigned>(m.mode) & 0x03) << kFreeFormatModeShift |
                                       packGroup(m.group)));
    putGroupData(out, m.blockB, m.blockC, m.blockD);
}
void put(Writer& out, const OdaConfig& m) {
    out.service(m.service);
    out.word(m.application);
    out.byte(packGroup(m.group));
    out.word(m.message);
}
void put(Writer& out, const OdaData& m) {
    out.word(m.application);
    putGroupData(out, m.blockB, m.blockC, m.blockD);
}

// The MEC of each message type, in the variant's order.
template <typename T> constexpr Code codeFor();
template <> constexpr Code codeFor<Pi>() {
    return Code::Pi;
}
template <> constexpr Code codeFor<Ps>() {
    return Code::Ps;
}
template <> constexpr Code codeFor<TaTp>() {
    return Code::TaTp;
}
template <> constexpr Code codeFor<Di>() {
    return Code::Di;
}
template <> constexpr Code codeFor<Ms>() {
    return Code::Ms;
}
template <> constexpr Code codeFor<Pty>() {
    return Code::Pty;
}
template <> constexpr Code codeFor<Rt>() {
    return Code::Rt;
}
template <> constexpr Code codeFor<ClockTime>() {
    return Code::ClockTime;
}
template <> constexpr Code codeFor<Af>() {
    return Code::Af;
}
template <> constexpr Code codeFor<Request>() {
    return Code::Request;
}
template <> constexpr Code codeFor<Ack>() {
    return Code::Ack;
}
template <> constexpr Code codeFor<DataSetSelect>() {
    return Code::DataSetSelect;
}
template <> constexpr Code codeFor<FreeFormat>() {
    return Code::FreeFormat;
}
template <> constexpr Code codeFor<OdaConfig>() {
    return Code::OdaConfig;
}
template <> constexpr Code codeFor<OdaData>() {
    return Code::OdaData;
}

} // namespace

std::vector<std::uint8_t> encode(const Message& message) {
    return std::visit(
        [](const auto& m) {
            Writer out(codeFor<std::decay_t<decltype(m)>>());
            put(out, m);
            return out.take();
        },
        message);
}

Code codeOf(const Message& message) {
    return std::visit([](const auto& m) { return codeFor<std::decay_t<decltype(m)>>(); }, message);
}

} // namespace korvel::uecp
