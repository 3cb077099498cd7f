#include "link/TVlakno.h"

namespace korvel::link {

namespace {

constexpr int kLookEvery = 20;
constexpr int kFirstLookAfter = 10;
constexpr int kLastLookBefore = 200;

} // namespace

TVlakno::TVlakno(std::mutex& transferLock, int& counter, bool startThread)
    : m_transferLock(transferLock)
    , m_counter(counter) {
    if (startThread) {
        m_thread = std::thread(&TVlakno::Execute, this);
    }
}

TVlakno::~TVlakno() {
    terminate();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void TVlakno::resume() {
    {
        const std::lock_guard<std::mutex> lock(m_waitMutex);
        m_suspended = false;
    }
    m_wake.notify_all();
}

void TVlakno::suspend() {
    const std::lock_guard<std::mutex> lock(m_waitMutex);
    m_suspended = true;
}

void TVlakno::terminate() {
    {
        const std::lock_guard<std::mutex> lock(m_waitMutex);
        m_terminated = true;
    }
    m_wake.notify_all();
}

void TVlakno::Execute() {
    std::unique_lock<std::mutex> wait(m_waitMutex);
    while (!m_terminated) {
        m_wake.wait(wait, [this] { return !m_suspended || m_terminated; });
        // Sleeping on the condition lets suspend and terminate cut the 100 ms short.
        if (m_wake.wait_for(wait, kTick, [this] { return m_suspended || m_terminated; })) {
            continue;
        }
        wait.unlock();
        {
            const std::lock_guard<std::mutex> lock(m_transferLock);
            if (!m_suspended) {
                tick();
            }
        }
        wait.lock();
    }
}

void TVlakno::tick() {
    ++m_counter;
    if (m_counter % kLookEvery == 0 && m_counter > kFirstLookAfter && m_counter < kLastLookBefore) {
        lookIntoQueue();
    }
}

void TVlakno::lookIntoQueue() {
    // A thread of this program has no message queue of its own; counting the look is the
    // equivalent no-op poll.
    ++m_queueLooks;
}

} // namespace korvel::link
