#include "uecp/FrameReader.h"

#include "uecp/Crc.h"

namespace korvel::uecp {

namespace {

constexpr std::size_t kHeader = 4; // ADD (2), SQC, MFL
constexpr std::size_t kCheck = 2;
constexpr std::uint8_t kLastEscaped = 2;

// Undoes the stuffing up to the first broken escape (or a last FD with nothing after it).
struct Unstuffed {
    std::vector<std::uint8_t> plain;
    bool whole = true;
};

Unstuffed unstuff(std::span<const std::uint8_t> stuffed) {
    Unstuffed result;
    result.plain.reserve(stuffed.size());
    for (std::size_t i = 0; i < stuffed.size(); ++i) {
        if (stuffed[i] != kEscape) {
            result.plain.push_back(stuffed[i]);
            continue;
        }
        if (++i == stuffed.size() || stuffed[i] > kLastEscaped) {
            result.whole = false;
            break;
        }
        result.plain.push_back(static_cast<std::uint8_t>(kEscape + stuffed[i]));
    }
    return result;
}

// ADD and SQC as far as the unstuffed bytes show them, for a NAK to a frame that cannot be read.
FrameReader::Result headerOf(std::span<const std::uint8_t> plain) {
    FrameReader::Result result;
    if (plain.size() >= 2) {
        result.address = unpackAddress(static_cast<std::uint16_t>((plain[0] << 8) | plain[1]));
    }
    if (plain.size() >= 3) {
        result.sequence = plain[2];
    }
    return result;
}

FrameReader::Result headerOfStuffed(std::span<const std::uint8_t> stuffed) {
    return headerOf(unstuff(stuffed).plain);
}

FrameReader::Result faulted(FrameReader::Result result, FrameReader::Fault fault) {
    result.fault = fault;
    return result;
}

} // namespace

std::vector<FrameReader::Result> FrameReader::feed(std::span<const std::uint8_t> bytes) {
    std::vector<Result> results;
    for (const std::uint8_t byte : bytes) {
        accept(byte, results);
    }
    return results;
}

void FrameReader::reset() {
    m_stuffed.clear();
    m_inFrame = false;
}

void FrameReader::accept(std::uint8_t byte, std::vector<Result>& results) {
    if (byte == kStart) {
        if (m_inFrame) {
            results.push_back(faulted(headerOfStuffed(m_stuffed), Fault::Cut));
        }
        m_stuffed.clear();
        m_inFrame = true;
        return;
    }
    if (!m_inFrame) {
        return; // garbage between frames
    }
    if (byte == kStop) {
        results.push_back(finish());
        reset();
        return;
    }
    if (m_stuffed.size() == kMaxStuffed) {
        results.push_back(faulted(headerOfStuffed(m_stuffed), Fault::Oversize));
        reset();
        return;
    }
    m_stuffed.push_back(byte);
}

FrameReader::Result FrameReader::finish() const {
    const Unstuffed unstuffed = unstuff(m_stuffed);
    const std::vector<std::uint8_t>* plain = &unstuffed.plain;
    Result result = headerOf(*plain);
    if (!unstuffed.whole) {
        return faulted(result, Fault::BadStuffing);
    }
    if (plain->size() < kHeader + kCheck || (*plain)[3] != plain->size() - kHeader - kCheck) {
        return faulted(result, Fault::BadLength);
    }
    const std::size_t checked = plain->size() - kCheck;
    const auto received = static_cast<std::uint16_t>(((*plain)[checked] << 8) | (*plain)[checked + 1]);
    if (crc(std::span(*plain).first(checked)) != received) {
        return faulted(result, Fault::BadCrc);
    }
    result.frame = Frame{result.address, result.sequence,
                         std::vector<std::uint8_t>(plain->begin() + kHeader, plain->begin() + checked)};
    return result;
}

} // namespace korvel::uecp
