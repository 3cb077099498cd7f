#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <variant>
#include <vector>

namespace korvel::uecp {

// The message element codes (MEC) this system sends and understands.
enum class Code : std::uint8_t {
    Pi = 0x01,
    Ps = 0x02,
    TaTp = 0x03,
    Di = 0x04,
    Ms = 0x05,
    Pty = 0x07,
    Rt = 0x0A,
    ClockTime = 0x0D,
    Af = 0x13,
    Request = 0x17,
    Ack = 0x18,
    DataSetSelect = 0x1C,
    FreeFormat = 0x24,
    OdaConfig = 0x40,
    OdaData = 0x46,
};

// The answer of message 0x18; anything but Ok is a NAK.
enum class AckCode : std::uint8_t {
    Ok = 0,
    Crc = 1,
    NotReceived = 2,
    Unknown = 3,
    DataSet = 4,
    Service = 5,
    OutOfRange = 6,
    Length = 7,
    FieldLength = 8,
    NotAcceptable = 9,
};

// Which data set (DSN) and programme service (PSN) a message is for; DSN 0 is the current set.
struct Service {
    std::uint8_t dataSet = 0;
    std::uint8_t programme = 0;
    friend bool operator==(const Service&, const Service&) = default;
};

// A group type as block 2 carries it: the type 0..15 in bits 4..1, version B in bit 0.
struct GroupType {
    std::uint8_t type = 0;
    bool versionB = false;
    friend bool operator==(const GroupType&, const GroupType&) = default;
};

[[nodiscard]] constexpr std::uint8_t packGroup(GroupType group) {
    return static_cast<std::uint8_t>(((group.type & 0x0F) << 1) | (group.versionB ? 1 : 0));
}

[[nodiscard]] constexpr GroupType unpackGroup(std::uint8_t packed) {
    return {static_cast<std::uint8_t>((packed >> 1) & 0x0F), (packed & 1) != 0};
}

// The layouts, MEC first. DSN/PSN precede the data; MEL counts the bytes after it.
// 01 DSN PSN PI(2, high byte first)
struct Pi {
    Service service;
    std::uint16_t code = 0;
    friend bool operator==(const Pi&, const Pi&) = default;
};
// 02 DSN PSN eight characters
struct Ps {
    Service service;
    std::array<std::uint8_t, 8> name{};
    friend bool operator==(const Ps&, const Ps&) = default;
};
// 03 DSN PSN flags: bit 0 TA, bit 1 TP
struct TaTp {
    Service service;
    bool announcement = false;
    bool programme = false;
    friend bool operator==(const TaTp&, const TaTp&) = default;
};
// 04 DSN PSN DI: bits 3..0 = d3..d0 (d0 stereo, d1 artificial head, d2 compressed, d3 dynamic PTY)
struct Di {
    Service service;
    std::uint8_t flags = 0;
    friend bool operator==(const Di&, const Di&) = default;
};
// 05 DSN PSN M/S: bit 0 set for music
struct Ms {
    Service service;
    bool music = false;
    friend bool operator==(const Ms&, const Ms&) = default;
};
// 07 DSN PSN PTY 0..31
struct Pty {
    Service service;
    std::uint8_t type = 0;
    friend bool operator==(const Pty&, const Pty&) = default;
};
// 0A DSN PSN MEL configuration text(0..64). The configuration byte: bits 6..5 the buffer mode
// (0 replaces the buffer, 2 adds to it), bits 4..1 how often the text is sent (0 = without end),
// bit 0 toggles the A/B flag. MEL 0 clears the buffer: it decodes as an empty Rt, and an Rt with
// an empty text is sent as MEL 0.
struct Rt {
    Service service;
    std::uint8_t bufferMode = 0;
    std::uint8_t transmissions = 0;
    bool toggle = false;
    std::vector<std::uint8_t> text;
    friend bool operator==(const Rt&, const Rt&) = default;
};
// 0D year month day hour minute second centisecond offset, UTC; year 0..99 counts from 2000.
// The local offset: half hours in bits 4..0, bit 5 set for west of Greenwich (negative).
struct ClockTime {
    std::uint8_t year = 0;
    std::uint8_t month = 1;
    std::uint8_t day = 1;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
    std::uint8_t centisecond = 0;
    std::int8_t offsetHalfHours = 0;
    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};
// 13 MEL DSN PSN count codes: MEL comes first here and counts DSN and PSN too; the list is
// method A, the count code 224 + N, then the N frequency codes (N 0..25).
struct Af {
    Service service;
    std::vector<std::uint8_t> codes;
    friend bool operator==(const Af&, const Af&) = default;
};
// 17 MEL MEC DSN PSN: asks the encoder to send back the message MEC holds for that service.
// MEL is 3; an incoming MEL 1 (the MEC alone) asks for the current data set.
struct Request {
    Code code = Code::Pi;
    Service service;
    friend bool operator==(const Request&, const Request&) = default;
};
// 18 code SQC: the answer to the frame with that sequence counter.
struct Ack {
    AckCode code = AckCode::Ok;
    std::uint8_t sequence = 0;
    friend bool operator==(const Ack&, const Ack&) = default;
};
// 1C DSN: the data set that goes on air.
struct DataSetSelect {
    std::uint8_t dataSet = 0;
    friend bool operator==(const DataSetSelect&, const DataSetSelect&) = default;
};
// 24 DSN PSN mode|group B C(2) D(2): a group of the given type, block 2's five low bits and
// blocks 3 and 4, high bytes first; the encoder fills in PI, TP and PTY. The group byte holds the
// group type in bits 4..1 and version B in bit 0, as block 2 does, and in bits 6..5 what to do
// with it: send it once, send it in every cycle from now on (in place of the last such group), or
// stop the cyclic group. The layout is chosen here; the versions of the description at hand leave
// the buffer bits open.
enum class FreeFormatMode : std::uint8_t { Once = 0, Cyclic = 1, Stop = 2 };
struct FreeFormat {
    Service service;
    FreeFormatMode mode = FreeFormatMode::Once;
    GroupType group;
    std::uint8_t blockB = 0;
    std::uint16_t blockC = 0;
    std::uint16_t blockD = 0;
    friend bool operator==(const FreeFormat&, const FreeFormat&) = default;
};
// 40 DSN PSN AID(2) group message(2): which group carries the application, and its 3A message.
struct OdaConfig {
    Service service;
    std::uint16_t application = 0;
    GroupType group;
    std::uint16_t message = 0;
    friend bool operator==(const OdaConfig&, const OdaConfig&) = default;
};
// 46 AID(2) B C(2) D(2): one group of the application's data, in the group its 0x40 named.
struct OdaData {
    std::uint16_t application = 0;
    std::uint8_t blockB = 0;
    std::uint16_t blockC = 0;
    std::uint16_t blockD = 0;
    friend bool operator==(const OdaData&, const OdaData&) = default;
};

using Message = std::variant<Pi, Ps, TaTp, Di, Ms, Pty, Rt, ClockTime, Af, Request, Ack, DataSetSelect,
                             FreeFormat, OdaConfig, OdaData>;

inline constexpr std::size_t kMaxRadiotext = 64;
inline constexpr std::size_t kMaxAfCodes = 25;
inline constexpr std::uint8_t kAfCountBase = 224;
inline constexpr unsigned kFreeFormatModeShift = 5;
inline constexpr std::uint8_t kClockOffsetSign = 0x20; // bit 5: west of Greenwich
inline constexpr std::uint8_t kClockOffsetMask = 0x1F;
inline constexpr std::uint8_t kFiveBits = 0x1F; // block 2's free bits, the PTY
inline constexpr std::uint8_t kTaBit = 0x01;
inline constexpr std::uint8_t kTpBit = 0x02;
inline constexpr std::uint8_t kDiMask = 0x0F;
inline constexpr unsigned kRtBufferModeShift = 5;
inline constexpr std::uint8_t kRtBufferModeMask = 0x03;
inline constexpr std::uint8_t kRtTransmissionsMask = 0x0F;
inline constexpr std::uint8_t kMinAfCode = 1;   // 87.6 MHz
inline constexpr std::uint8_t kMaxAfCode = 204; // 107.9 MHz
inline constexpr std::uint8_t kAfHeader = 3;    // DSN, PSN and the count code, counted by MEL

// The message element code of a message.
[[nodiscard]] Code codeOf(const Message& message);

// MEC and fields. Values wider than their field are cut to it, longer texts and lists too.
[[nodiscard]] std::vector<std::uint8_t> encode(const Message& message);

// Every message of one MSG field. fault: why the field was refused (an unknown MEC, a message cut
// short, a MEL too long, a value out of range); messages is then empty, as nothing of it applies.
struct Decoded {
    std::vector<Message> messages;
    std::optional<AckCode> fault;
};
[[nodiscard]] Decoded decode(std::span<const std::uint8_t> field);

} // namespace korvel::uecp
