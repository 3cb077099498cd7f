#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace korvel::link {

// The keep-alive thread: while a transfer runs it ticks every 100 ms under TransferLock and,
// during the first 18 seconds, looks into its message queue every 2 seconds. Between transfers
// it is suspended and does nothing.
//
// Linux has no thread suspension, so suspension is a state the thread waits on. The state is
// changed and tested only under TransferLock, so a suspended thread never ticks again, and the
// thread is never stopped while it holds the lock: it waits only between passes.
class TVlakno {
public:
    static constexpr std::chrono::milliseconds kTick{100};

    // Created suspended. startThread false builds the machinery without its thread, for tests
    // that call tick() themselves.
    TVlakno(std::mutex& transferLock, int& counter, bool startThread = true);
    TVlakno(const TVlakno&) = delete;
    TVlakno& operator=(const TVlakno&) = delete;
    ~TVlakno(); // terminates and joins

    void resume();
    void suspend(); // call with TransferLock held
    [[nodiscard]] bool suspended() const { return m_suspended.load(); }
    void terminate();

    // One pass after the sleep: count, and look into the queue on ticks 20, 40, ... 180.
    void tick();
    // How often the thread has looked into its queue. On Linux the look is a no-op poll.
    [[nodiscard]] int queueLooks() const { return m_queueLooks.load(); }

private:
    void Execute();
    void lookIntoQueue();

    std::mutex& m_transferLock;
    int& m_counter;
    std::atomic<bool> m_suspended{true};
    std::atomic<bool> m_terminated{false};
    std::atomic<int> m_queueLooks{0};
    std::mutex m_waitMutex;
    std::condition_variable m_wake;
    std::thread m_thread;
};

} // namespace korvel::link
