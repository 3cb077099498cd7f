#include "kxio/ClockTimeGroup.h"

#include <array>

namespace korvel::kxio {

namespace {

constexpr int kCenturyStart = 2000; // the message's two-digit year counts from here
constexpr int kMjdOf1900 = 15019;   // MJD of 1900-01-00, the base of the annex's formula
constexpr unsigned kMjdShift = 17;  // below it: hour, minute, sign and offset
constexpr unsigned kMjdBits = 17;
constexpr unsigned kHourShift = 12;
constexpr unsigned kMinuteShift = 6;
constexpr unsigned kSignShift = 5;
constexpr std::uint64_t kHalfHoursMask = 0x1F;
constexpr std::uint64_t kHourMask = 0x1F;
constexpr std::uint64_t kMinuteMask = 0x3F;
constexpr std::uint64_t kMjdMask = (1u << kMjdBits) - 1;

constexpr std::array<int, 12> kDaysInMonth{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool leap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    return kDaysInMonth[static_cast<std::size_t>(month - 1)] + (month == 2 && leap(year) ? 1 : 0);
}

// Days since 1900-01-00, counted month by month: exact for every day of the century, without the
// floating point of the annex's formula.
int daysSince1900(int year, int month, int day) {
    int days = day;
    for (int y = 1900; y < year; ++y) {
        days += leap(y) ? 366 : 365;
    }
    for (int m = 1; m < month; ++m) {
        days += daysInMonth(year, m);
    }
    return days;
}

} // namespace

std::optional<ClockTimeGroup::Bytes> ClockTimeGroup::fromTime(const uecp::ClockTime& time) {
    const int year = kCenturyStart + time.year;
    if (time.month < 1 || time.month > 12 || time.day < 1 || time.day > daysInMonth(year, time.month)) {
        return std::nullopt;
    }
    const auto mjd = static_cast<std::uint64_t>(kMjdOf1900 + daysSince1900(year, time.month, time.day));
    const bool west = time.offsetHalfHours < 0;
    const auto halfHours = static_cast<std::uint64_t>(west ? -time.offsetHalfHours : time.offsetHalfHours);
    const std::uint64_t field = (mjd & kMjdMask) << kMjdShift | (time.hour & kHourMask) << kHourShift |
                                (time.minute & kMinuteMask) << kMinuteShift |
                                std::uint64_t{west} << kSignShift | (halfHours & kHalfHoursMask);
    Bytes bytes{kType};
    for (std::size_t i = 1; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(field >> (8 * (bytes.size() - 1 - i)));
    }
    return bytes;
}

std::optional<uecp::ClockTime> ClockTimeGroup::toTime(const Bytes& bytes) {
    if (bytes[0] != kType) {
        return std::nullopt;
    }
    std::uint64_t field = 0;
    for (std::size_t i = 1; i < bytes.size(); ++i) {
        field = field << 8 | bytes[i];
    }
    int days = static_cast<int>((field >> kMjdShift) & kMjdMask) - kMjdOf1900;
    int year = 1900;
    for (; days > (leap(year) ? 366 : 365); ++year) {
        days -= leap(year) ? 366 : 365;
    }
    int month = 1;
    for (; month < 12 && days > daysInMonth(year, month); ++month) {
        days -= daysInMonth(year, month);
    }
    if (year < kCenturyStart || year >= kCenturyStart + 100 || days < 1) {
        return std::nullopt;
    }
    const auto halfHours = static_cast<std::int8_t>(field & kHalfHoursMask);
    uecp::ClockTime time;
    time.year = static_cast<std::uint8_t>(year - kCenturyStart);
    time.month = static_cast<std::uint8_t>(month);
    time.day = static_cast<std::uint8_t>(days);
    time.hour = static_cast<std::uint8_t>((field >> kHourShift) & kHourMask);
    time.minute = static_cast<std::uint8_t>((field >> kMinuteShift) & kMinuteMask);
    time.offsetHalfHours =
        ((field >> kSignShift) & 1u) != 0 ? static_cast<std::int8_t>(-halfHours) : halfHours;
    return time;
}

} // namespace korvel::kxio
