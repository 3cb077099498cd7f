#include "uecp/DynamicPsSender.h"

#include <algorithm>

namespace korvel::uecp {

namespace {

constexpr int kBasicGroups = 4; // the PS label, two characters a group

} // namespace

DynamicPsSender::DynamicPsSender(Source source, Sink sink, bool startThread)
    : m_source(std::move(source))
    , m_sink(std::move(sink)) {
    if (startThread) {
        m_thread = std::thread([this] { run(); });
    }
}

DynamicPsSender::~DynamicPsSender() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

std::chrono::microseconds DynamicPsSender::step() {
    const kxio::RegisterMemory memory = m_source();
    const Label label = m_display.tick(memory);
    if (kxio::at(memory, kxio::Register::DpsLength) == 0) {
        m_sent.reset(); // the static PS goes with the program's writes
    } else if (label != m_sent && m_sink(label)) {
        m_sent = label;
    }
    const int groups = kBasicGroups + (kxio::bitSet(memory, kxio::Register::RadiotextControl) ? 1 : 0) +
                       (kxio::at(memory, kxio::Register::UserGroupEnable) != 0 ? 1 : 0);
    return kGroupDuration * groups;
}

void DynamicPsSender::run() {
    auto next = std::chrono::steady_clock::now();
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        lock.unlock();
        try {
            next += step();
        } catch (...) {
            next += kGroupDuration; // a failed step leaves the label as it was
        }
        next = std::max(next,
                        std::chrono::steady_clock::now()); // a slow encoder delays, never bunches, the steps
        lock.lock();
        m_wake.wait_until(lock, next, [this] { return m_stopping; });
    }
}

} // namespace korvel::uecp
