#include "model/Subscription.h"

#include <utility>

namespace korvel::model {

Subscription::Subscription(std::function<void(std::size_t)> cancel, std::size_t id)
    : m_cancel(std::move(cancel))
    , m_id(id) {}

Subscription::Subscription(Subscription&& other) noexcept
    : m_cancel(std::exchange(other.m_cancel, nullptr))
    , m_id(other.m_id) {}

Subscription& Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        reset();
        m_cancel = std::exchange(other.m_cancel, nullptr);
        m_id = other.m_id;
    }
    return *this;
}

Subscription::~Subscription() {
    reset();
}

void Subscription::reset() {
    if (m_cancel) {
        std::exchange(m_cancel, nullptr)(m_id);
    }
}

} // namespace korvel::model
