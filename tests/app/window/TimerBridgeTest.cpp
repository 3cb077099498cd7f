#include "app/window/TimerBridge.h"

#include <gtest/gtest.h>

namespace korvel::app {
namespace {

TEST(TimerBridgeTest, AWallClockTimerAimsAtTheNextMultipleOfItsInterval) {
    struct Case {
        qint64 now_ms;
        long long interval_ms;
        long long wait_ms;
    };
    const Case cases[] = {
        {1'000, 100, 100}, {1'001, 100, 99}, {1'099, 100, 1}, {123'456'789, 100, 11}, {5, 0, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(TimerBridge::untilNextMultiple(c.now_ms, std::chrono::milliseconds(c.interval_ms)).count(),
                  c.wait_ms)
            << c.now_ms;
    }
}

TEST(TimerBridgeTest, ASpeedUpDividesAPeriodicIntervalDownToOneMillisecond) {
    struct Case {
        long long interval_ms;
        int speedUp;
        long long scaled_ms;
    };
    const Case cases[] = {{60000, 0, 60000}, {60000, 1, 60000}, {60000, -5, 60000},
                          {60000, 60, 1000}, {500, 1000, 1},    {3000, 7, 428}};
    for (const Case& c : cases) {
        EXPECT_EQ(TimerBridge::scaled(std::chrono::milliseconds(c.interval_ms), c.speedUp).count(),
                  c.scaled_ms)
            << c.interval_ms << " / " << c.speedUp;
    }
}

} // namespace
} // namespace korvel::app
