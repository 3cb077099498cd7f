#include "operations/ClockTime.h"

#include "link/Transactions.h"
#include "model/StationSettings.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace korvel::operations {

namespace {

using encoder::addr;
using encoder::Reg;

constexpr std::chrono::milliseconds kAfterTrigger{200};
constexpr int kHoursPerDay = 24;
constexpr int kHalfHoursPerHour = 2;
constexpr double kMinutesPerHalfHour = 30.0;
constexpr int kMjdOfUnixEpoch = 40587; // 1 January 1970

// The Modified Julian Day of a date as the RDS standard (IEC 62106) converts it; a day shift
// of -1 or +1 crosses month and year ends without a special case.
std::uint32_t modifiedJulianDay(int year, int month, int day, int dayShift) {
    const int l = (month == 1 || month == 2) ? 1 : 0;
    const double days = std::trunc((year - 1900 - l) * 365.25 + (day + 14956 + dayShift));
    const double months = std::trunc((month + 1 + 12 * l) * 30.6001);
    return static_cast<std::uint32_t>(days + months);
}

} // namespace

ClockTime::ClockTime(model::StationSettings& settings, link::Transactions& transactions, model::Clock& clock)
    : m_settings(settings)
    , m_transactions(transactions)
    , m_clock(clock) {}

void ClockTime::BSETCTClick() {
    const bool start = m_settings.caption("BSETCT") == kStart;
    m_settings.setCaption("BSETCT", start ? kStop : kStart);
    m_settings.setTimerEnabled("Timer3", start);
    m_settings.setVisible("LCT", start);
    if (start) {
        SendCT();
    }
}

void ClockTime::CBCTTZClick() {
    const bool typed = !m_settings.flag("CBCTTZ");
    m_settings.setEnabled("SEUTCO", typed);
    m_settings.setEnabled("SESMTO", typed);
}

void ClockTime::Timer3Timer() {
    const model::LocalTime now = m_clock.now();
    if (now.minute == m_previousTick.minute) {
        m_previousTick = now;
        return;
    }
    // A minute noticed only after its second 0 gets no trigger.
    if (now.second == 0) {
        const std::uint8_t trigger = encoder::kCtTrigger;
        m_transactions.write(addr(Reg::CtTrigger), std::span(&trigger, 1));
        m_transactions.pause(m_clock, kAfterTrigger);
    }
    m_previousTick = now;
    SendCT();
}

void ClockTime::SendCT() {
    m_settings.setFlag("STMEN", LetniCas());
    const auto field = encoder::ctBytes(comingMinute());
    std::vector<std::uint8_t> group{encoder::kCtGroupType};
    group.insert(group.end(), field.begin(), field.end());
    m_transactions.write(addr(Reg::CtGroupType), group);
}

// The clock time of the coming minute: with the system's time-zone rules, at the offset in force
// then; otherwise at the operator's offsets, summer time as the system says now.
encoder::ClockTime ClockTime::comingMinute() const {
    if (m_settings.flag("CBCTTZ")) {
        return clockTimeInZone(m_clock.later(std::chrono::minutes(1)));
    }
    int offset_h = m_settings.integer("SEUTCO");
    if (m_settings.flag("STMEN")) {
        offset_h += m_settings.integer("SESMTO");
    }
    return clockTimeFor(oneMinuteLater(m_clock.now()), offset_h);
}

bool ClockTime::LetniCas() const {
    return m_clock.now().daylightSaving;
}

encoder::ClockTime ClockTime::clockTimeFor(const model::LocalTime& local, int offset_h) {
    int utcHour = local.hour - offset_h;
    if (utcHour < 0) {
        utcHour += kHoursPerDay;
    } else if (utcHour >= kHoursPerDay) {
        utcHour -= kHoursPerDay;
    }
    int dayShift = 0;
    if (utcHour > local.hour && offset_h >= 0) {
        dayShift = -1; // UTC is still on the day before
    } else if (utcHour < local.hour && offset_h < 0) {
        dayShift = 1; // UTC is already on the day after
    }
    return {.mjd = modifiedJulianDay(local.year, local.month, local.day, dayShift),
            .utcHour = utcHour,
            .minute = local.minute,
            .localOffset_halfHours = offset_h * kHalfHoursPerHour};
}

encoder::ClockTime ClockTime::clockTimeInZone(const model::LocalTime& local) {
    using namespace std::chrono;
    const sys_days date{year{local.year} / month{static_cast<unsigned>(local.month)} /
                        day{static_cast<unsigned>(local.day)}};
    const auto utc = date + hours{local.hour} + minutes{local.minute} - minutes{local.utcOffset_min};
    const sys_days utcDate = floor<days>(utc);
    const hh_mm_ss clock{utc - utcDate};
    // The field counts half hours; a zone a quarter off them goes at the nearer one.
    const auto halfHours = static_cast<int>(std::lround(local.utcOffset_min / kMinutesPerHalfHour));
    return {.mjd = static_cast<std::uint32_t>(utcDate.time_since_epoch().count() + kMjdOfUnixEpoch),
            .utcHour = static_cast<int>(clock.hours().count()),
            .minute = static_cast<int>(clock.minutes().count()),
            .localOffset_halfHours = halfHours};
}

model::LocalTime ClockTime::oneMinuteLater(const model::LocalTime& time) {
    using namespace std::chrono;
    const local_days date{year{time.year} / month{static_cast<unsigned>(time.month)} /
                          day{static_cast<unsigned>(time.day)}};
    const auto later = date + hours{time.hour} + minutes{time.minute + 1};
    const auto laterDate = floor<days>(later);
    const year_month_day ymd{laterDate};
    const hh_mm_ss clock{later - laterDate};
    model::LocalTime result = time;
    result.year = static_cast<int>(ymd.year());
    result.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    result.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    result.hour = static_cast<int>(clock.hours().count());
    result.minute = static_cast<int>(clock.minutes().count());
    return result;
}

} // namespace korvel::operations
