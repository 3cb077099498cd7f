// Reading a MSG field back into messages; the layouts are written down in Message.h.
#include "uecp/Message.h"

#include <algorithm>

namespace korvel::uecp {

namespace {

constexpr std::uint8_t kMaxPty = 31;
constexpr std::uint8_t kRtConfigurationReserved = 0x80;
constexpr std::uint8_t kOffsetReserved = 0xC0;
constexpr std::uint8_t kMaxAckCode = static_cast<std::uint8_t>(AckCode::NotAcceptable);

// Reads fields off the MSG field. The first problem sticks: a read past the end is a length
// error, and the parsers report values out of range through fail().
class Cursor {
public:
    explicit Cursor(std::span<const std::uint8_t> bytes)
        : m_bytes(bytes) {}

    std::uint8_t byte() {
        if (m_position >= m_bytes.size()) {
            fail(AckCode::Length);
            return 0;
        }
        return m_bytes[m_position++];
    }
    std::uint16_t word() {
        const std::uint8_t high = byte();
        return static_cast<std::uint16_t>((high << 8) | byte());
    }
    Service service() {
        const std::uint8_t dataSet = byte();
        return {dataSet, byte()};
    }
    std::vector<std::uint8_t> bytes(std::size_t count) {
        if (m_bytes.size() - m_position < count) {
            fail(AckCode::Length);
            return {};
        }
        const auto first = m_bytes.begin() + static_cast<std::ptrdiff_t>(m_position);
        m_position += count;
        return {first, first + static_cast<std::ptrdiff_t>(count)};
    }
    // Checks a value; false values make the whole field refused.
    void require(bool condition, AckCode code) {
        if (!condition) {
            fail(code);
        }
    }
    void fail(AckCode code) {
        if (!m_fault) {
            m_fault = code;
        }
    }
    [[nodiscard]] bool atEnd() const { return m_position >= m_bytes.size(); }
    [[nodiscard]] std::optional<AckCode> fault() const { return m_fault; }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
    std::optional<AckCode> m_fault;
};

GroupType groupOf(Cursor& in) {
    const std::uint8_t packed = in.byte();
    in.require(packed <= kFiveBits, AckCode::OutOfRange);
    return unpackGroup(packed);
}

std::uint8_t blockBOf(Cursor& in) {
    const std::uint8_t value = in.byte();
    in.require(value <= kFiveBits, AckCode::OutOfRange);
    return value;
}

std::uint8_t inRange(Cursor& in, std::uint8_t low, std::uint8_t high) {
    const std::uint8_t value = in.byte();
    in.require(value >= low && value <= high, AckCode::OutOfRange);
    return value;
}

Message readPi(Cursor& in) {
    const Service service = in.service();
    return Pi{service, in.word()};
}
Message readPs(Cursor& in) {
    Ps m{in.service()};
    const auto name = in.bytes(m.name.size());
    std::copy(name.begin(), name.end(), m.name.begin());
    return m;
}
Message readTaTp(Cursor& in) {
    const Service service = in.service();
    const std::uint8_t flags = inRange(in, 0, (kTaBit | kTpBit));
    return TaTp{service, (flags & kTaBit) != 0, (flags & kTpBit) != 0};
}
Message readDi(Cursor& in) {
    const Service service = in.service();
    return Di{service, inRange(in, 0, kDiMask)};
}
Message readMs(Cursor& in) {
    const Service service = in.service();
    return Ms{service, inRange(in, 0, 1) != 0};
}
Message readPty(Cursor& in) {
    const Service service = in.service();
    return Pty{service, inRange(in, 0, kMaxPty)};
}
Message readRt(Cursor& in) {
    Rt m{in.service()};
    const std::uint8_t length = in.byte();
    if (length == 0) {
        return m; // clears the buffer
    }
    in.require(length <= kMaxRadiotext + 1, AckCode::FieldLength);
    const std::uint8_t configuration = in.byte();
    in.require((configuration & kRtConfigurationReserved) == 0, AckCode::OutOfRange);
    m.bufferMode = static_cast<std::uint8_t>((configuration >> kRtBufferModeShift) & kRtBufferModeMask);
    m.transmissions = static_cast<std::uint8_t>((configuration >> 1) & kRtTransmissionsMask);
    m.toggle = (configuration & 1) != 0;
    m.text = in.bytes(length - 1u);
    return m;
}
Message readClockTime(Cursor& in) {
    ClockTime m;
    m.year = inRange(in, 0, 99);
    m.month = inRange(in, 1, 12);
    m.day = inRange(in, 1, 31);
    m.hour = inRange(in, 0, 23);
    m.minute = inRange(in, 0, 59);
    m.second = inRange(in, 0, 59);
    m.centisecond = inRange(in, 0, 99);
    const std::uint8_t offset = in.byte();
    in.require((offset & kOffsetReserved) == 0, AckCode::OutOfRange);
    const auto halfHours = static_cast<std::int8_t>(offset & kClockOffsetMask);
    m.offsetHalfHours = (offset & kClockOffsetSign) != 0 ? static_cast<std::int8_t>(-halfHours) : halfHours;
    return m;
}
Message readAf(Cursor& in) {
    const std::uint8_t length = in.byte();
    in.require(length >= kAfHeader && length <= kAfHeader + kMaxAfCodes, AckCode::FieldLength);
    Af m{in.service()};
    in.require(in.byte() == kAfCountBase + length - kAfHeader, AckCode::FieldLength);
    m.codes = in.bytes(length >= kAfHeader ? length - kAfHeader : 0u);
    const bool valid = std::all_of(m.codes.begin(), m.codes.end(),
                                   [](auto c) { return c >= kMinAfCode && c <= kMaxAfCode; });
    in.require(valid, AckCode::OutOfRange);
    return m;
}
Message readAck(Cursor& in) {
    const auto code = static_cast<AckCode>(inRange(in, 0, kMaxAckCode));
    return Ack{code, in.byte()};
}
Message readDataSetSelect(Cursor& in) {
    return DataSetSelect{in.byte()};
}
Message readFreeFormat(Cursor& in) {
    FreeFormat m{in.service()};
    const std::uint8_t packed = in.byte();
    const unsigned mode = packed >> kFreeFormatModeShift;
    in.require(mode <= static_cast<unsigned>(FreeFormatMode::Stop), AckCode::OutOfRange);
    m.mode = static_cast<FreeFormatMode>(mode);
    m.group = unpackGroup(packed);
    m.blockB = blockBOf(in);
    m.blockC = in.word();
    m.blockD = in.word();
    return m;
}
Message readOdaConfig(Cursor& in) {
    OdaConfig m{in.service()};
    m.application = in.word();
    m.group = groupOf(in);
    m.message = in.word();
    return m;
}
Message readOdaData(Cursor& in) {
    OdaData m;
    m.application = in.word();
    m.blockB = blockBOf(in);
    m.blockC = in.word();
    m.blockD = in.word();
    return m;
}
Message readRequest(Cursor& in);

struct Reader {
    Code code;
    Message (*read)(Cursor&);
};

// clang-format off
constexpr std::array kReaders{
    Reader{Code::Pi,            readPi},
    Reader{Code::Ps,            readPs},
    Reader{Code::TaTp,          readTaTp},
    Reader{Code::Di,            readDi},
    Reader{Code::Ms,            readMs},
    Reader{Code::Pty,           readPty},
    Reader{Code::Rt,            readRt},
    Reader{Code::ClockTime,     readClockTime},
    Reader{Code::Af,            readAf},
    Reader{Code::Request,       readRequest},
    Reader{Code::Ack,           readAck},
    Reader{Code::DataSetSelect, readDataSetSelect},
    Reader{Code::FreeFormat,    readFreeFormat},
    Reader{Code::OdaConfig,     readOdaConfig},
    Reader{Code::OdaData,       readOdaData},
};
// clang-format on
static_assert(kReaders.size() == std::variant_size_v<Message>);

const Reader* readerFor(std::uint8_t code) {
    const auto found = std::find_if(kReaders.begin(), kReaders.end(), [code](const Reader& r) {
        return static_cast<std::uint8_t>(r.code) == code;
    });
    return found == kReaders.end() ? nullptr : &*found;
}

Message readRequest(Cursor& in) {
    const std::uint8_t length = in.byte();
    in.require(length == 1 || length == 3, AckCode::FieldLength);
    const std::uint8_t code = in.byte();
    in.require(readerFor(code) != nullptr, AckCode::Unknown);
    Request m{static_cast<Code>(code)};
    if (length == 3) {
        m.service = in.service();
    }
    return m;
}

} // namespace

Decoded decode(std::span<const std::uint8_t> field) {
    Decoded decoded;
    Cursor in(field);
    while (!in.atEnd() && !in.fault()) {
        const Reader* reader = readerFor(in.byte());
        if (reader == nullptr) {
            in.fail(AckCode::Unknown);
            break;
        }
        decoded.messages.push_back(reader->read(in));
    }
    if (in.fault()) {
        decoded.messages.clear();
        decoded.fault = in.fault();
    }
    return decoded;
}

} // namespace korvel::uecp
