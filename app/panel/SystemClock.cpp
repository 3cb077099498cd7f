#include "app/panel/SystemClock.h"

#include <algorithm>
#include <ctime>
#include <thread>

namespace korvel::app {

namespace {

constexpr std::chrono::milliseconds kPaintSlice{10};
constexpr int kFirstTmYear = 1900;
constexpr long kSecondsPerMinute = 60;

// The local time of an instant by the time-zone rules (TZ, else /etc/localtime).
model::LocalTime localTime(std::chrono::system_clock::time_point at) {
    using namespace std::chrono;
    const std::time_t seconds = system_clock::to_time_t(at);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto millisecond = duration_cast<milliseconds>(at.time_since_epoch()) % 1000;
    return {.year = local.tm_year + kFirstTmYear,
            .month = local.tm_mon + 1,
            .day = local.tm_mday,
            .hour = local.tm_hour,
            .minute = local.tm_min,
            .second = local.tm_sec,
            .millisecond = static_cast<int>(millisecond.count()),
            .daylightSaving = local.tm_isdst > 0,
            .utcOffset_min = static_cast<int>(local.tm_gmtoff / kSecondsPerMinute)};
}

} // namespace

SystemClock::SystemClock(std::function<void()> keepPainting, WallClock wallClock)
    : m_keepPainting(std::move(keepPainting))
    , m_wallClock(std::move(wallClock)) {}

std::chrono::system_clock::time_point SystemClock::wallTime() const {
    return m_wallClock ? m_wallClock() : std::chrono::system_clock::now();
}

model::LocalTime SystemClock::now() const {
    return localTime(wallTime());
}

model::LocalTime SystemClock::later(std::chrono::seconds ahead) const {
    return localTime(wallTime() + ahead);
}

void SystemClock::pause(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    for (auto left = duration; left > std::chrono::milliseconds::zero();
         left =
             std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now())) {
        if (m_keepPainting) {
            m_keepPainting();
        }
        std::this_thread::sleep_for(std::min(left, kPaintSlice));
    }
}

} // namespace korvel::app
