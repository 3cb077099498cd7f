#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace korvel::fakes {

// The window's thread as a queue of posted calls, run when the test says.
class WindowQueue {
public:
    void post(std::function<void()> call) {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_calls.push_back(std::move(call));
        m_posted.notify_all();
    }

    // Waits until something has been posted (false after the timeout), then runs all of it.
    bool runWhenPosted(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        std::deque<std::function<void()>> calls;
        {
            std::unique_lock<std::mutex> lock(m_lock);
            if (!m_posted.wait_for(lock, timeout, [this] { return !m_calls.empty(); })) {
                return false;
            }
            calls.swap(m_calls);
        }
        for (const auto& call : calls) {
            call();
        }
        return true;
    }

    [[nodiscard]] std::size_t waiting() {
        const std::lock_guard<std::mutex> lock(m_lock);
        return m_calls.size();
    }

private:
    std::mutex m_lock;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_calls;
};

} // namespace korvel::fakes
