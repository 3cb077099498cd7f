#pragma once

#include <cstddef>
#include <functional>

namespace korvel::model {

// Keeps one observer registered for as long as it lives; destroying or resetting it
// unregisters the observer. The settings it came from must outlive it.
class Subscription {
public:
    Subscription() = default;
    Subscription(std::function<void(std::size_t)> cancel, std::size_t id);
    Subscription(Subscription&& other) noexcept;
    Subscription& operator=(Subscription&& other) noexcept;
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription();

    void reset();

private:
    std::function<void(std::size_t)> m_cancel;
    std::size_t m_id = 0;
};

} // namespace korvel::model
