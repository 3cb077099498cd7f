#include "encoder/MemoryMap.h"

#include <cmath>

namespace korvel::encoder {

namespace {

constexpr int kAfFirst_100kHz = 876; // 87.6 MHz
constexpr int kAfLast_100kHz = 1079; // 107.9 MHz
constexpr int kAfBase_100kHz = 875;  // code 0 would be 87.5 MHz
constexpr std::uint8_t kMaxByte = 255;

constexpr int kStatusPilotToneBit = 0;
constexpr int kStatusTaBit = 1;
constexpr int kStatusDynamicPsBit = 2;
constexpr int kStatusGeneratorBit = 7;

// The number of whole steps nearest to `value`, limited to 0..maxSteps. Rounding, not truncating,
// keeps every multiple of a step that is not exact in binary (2.7 * 7 = 18.900000000000002 or
// 18.899999999999999) on its own count. NaN counts as 0.
std::uint8_t nearestSteps(double value, double step, std::uint8_t maxSteps) {
    const double steps = value / step;
    if (!(steps > 0.0)) {
        return 0;
    }
    if (steps >= maxSteps) {
        return maxSteps;
    }
    return static_cast<std::uint8_t>(std::lround(steps));
}

} // namespace

std::optional<std::uint8_t> afCodeFromMHz(double frequency_MHz) {
    // The 0.01 absorbs the binary error of a one-decimal frequency before it is truncated.
    const double tenths = std::trunc((frequency_MHz + 0.01) * 10.0);
    if (!(tenths >= kAfFirst_100kHz && tenths <= kAfLast_100kHz)) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(static_cast<int>(tenths) - kAfBase_100kHz);
}

std::string afFrequencyText(std::uint8_t code, char decimalSeparator) {
    const int tenths = code + kAfBase_100kHz;
    return std::to_string(tenths / 10) + decimalSeparator + static_cast<char>('0' + tenths % 10);
}

std::uint8_t afCountFromByte(std::uint8_t byte) {
    return byte > kAfMax ? 0 : byte;
}

std::uint8_t groupTypeByte(int index) {
    return static_cast<std::uint8_t>((index & 0x1F) << 3);
}

int groupTypeIndex(std::uint8_t byte) {
    return byte >> 3;
}

std::uint8_t clockSourceByte(ClockSource source) {
    return static_cast<std::uint8_t>((source.rgcsIndex & 1) | (source.rgpllrIndex & 1) << 1);
}

ClockSource clockSourceFromByte(std::uint8_t byte) {
    return {.rgcsIndex = BitOn(byte, 0) ? 1 : 0, .rgpllrIndex = BitOn(byte, 1) ? 1 : 0};
}

std::uint8_t phaseByte(double phase_deg) {
    return nearestSteps(phase_deg, kPhaseStep_deg, kPhaseMaxByte);
}

double phaseDegrees(std::uint8_t byte) {
    return (byte > kPhaseMaxByte ? kPhaseMaxByte : byte) * kPhaseStep_deg;
}

std::uint8_t dpsDelayByte(double delay_s) {
    return nearestSteps(delay_s, kDpsDelayStep_s, kMaxByte);
}

double dpsDelaySeconds(std::uint8_t byte) {
    return byte * kDpsDelayStep_s;
}

std::uint8_t dpsLabelPeriodByte(double period_s) {
    // The register counts the half seconds beyond the first one.
    return nearestSteps(period_s - kLabelPeriodStep_s, kLabelPeriodStep_s, kMaxByte);
}

double dpsLabelPeriodSeconds(std::uint8_t byte) {
    return byte * kLabelPeriodStep_s + kLabelPeriodStep_s;
}

std::array<std::uint8_t, kGroupBytes> ctBytes(const ClockTime& time) {
    const bool behindUtc = time.localOffset_halfHours < 0;
    const std::int64_t offset = time.localOffset_halfHours;
    const auto magnitude = static_cast<std::uint64_t>(behindUtc ? -offset : offset);
    const std::uint64_t field = std::uint64_t{time.mjd & 0x1FFFFu} << 17 |
                                static_cast<std::uint64_t>(time.utcHour & 0x1F) << 12 |
                                static_cast<std::uint64_t>(time.minute & 0x3F) << 6 |
                                std::uint64_t{behindUtc} << 5 | (magnitude & 0x1F);
    std::array<std::uint8_t, kGroupBytes> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(field >> (8 * (bytes.size() - 1 - i)));
    }
    return bytes;
}

EncoderStatus statusFromByte(std::uint8_t byte) {
    return {.pilotTone = BitOn(byte, kStatusPilotToneBit),
            .trafficAnnouncement = BitOn(byte, kStatusTaBit),
            .dynamicPsShowing = BitOn(byte, kStatusDynamicPsBit),
            .rdsGeneratorEnabled = BitOn(byte, kStatusGeneratorBit)};
}

std::string hexByteText(std::uint8_t byte) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    return {kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

std::string piText(std::uint8_t high, std::uint8_t low) {
    return hexByteText(high) + hexByteText(low);
}

std::uint8_t diByte(const std::array<bool, kDiItems>& items) {
    unsigned byte = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        byte |= static_cast<unsigned>(items[i]) << i;
    }
    return static_cast<std::uint8_t>(byte);
}

std::array<bool, kDiItems> diItems(std::uint8_t byte) {
    std::array<bool, kDiItems> items{};
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i] = BitOn(byte, static_cast<int>(i));
    }
    return items;
}

std::uint8_t rtControlByte(bool radiotextOn, bool flagB) {
    return static_cast<std::uint8_t>(static_cast<unsigned>(radiotextOn) | static_cast<unsigned>(flagB) << 1);
}

std::size_t dpsLengthFromByte(std::uint8_t byte) {
    return byte > kDpsTextMax ? kDpsTextMax : byte;
}

std::string registerText(std::string_view text, std::size_t length) {
    std::string result(text.substr(0, length));
    result.resize(length, ' ');
    return result;
}

std::string trimmedRegisterText(std::string_view bytes) {
    // Removing trailing spaces down to one character and then emptying a lone space is the same
    // as removing them all.
    const auto last = bytes.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string{} : std::string(bytes.substr(0, last + 1));
}

} // namespace korvel::encoder
