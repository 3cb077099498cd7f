#include "app/desktop/ProcessPriority.h"

#include <atomic>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace korvel::app {
namespace {

// Every thread of the process takes the priority, not only the one that asks for it: the
// keep-alive thread that times the transfers runs beside the window's.
TEST(ProcessPriorityTest, EveryThreadOfTheProcessTakesIt) {
    std::atomic<pid_t> other = 0;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        other = gettid();
        while (!done) {
            std::this_thread::yield();
        }
    });
    while (other == 0) {
        std::this_thread::yield();
    }
    if (ProcessPriority::apply(true)) {
        done = true;
        worker.join();
        GTEST_SKIP() << "this user may not raise the priority";
    }
    const auto nice = [](pid_t thread) { return getpriority(PRIO_PROCESS, static_cast<id_t>(thread)); };
    EXPECT_EQ(nice(gettid()), -10);
    EXPECT_EQ(nice(other), -10);
    EXPECT_EQ(ProcessPriority::apply(false), std::nullopt);
    EXPECT_EQ(nice(gettid()), 0);
    EXPECT_EQ(nice(other), 0);
    done = true;
    worker.join();
}

} // namespace
} // namespace korvel::app
