#pragma once

#include "kxio/AirState.h"

#include <mutex>

namespace korvel::kxio {

// Hands the encoder's state from the calls' thread to the generator's thread. Each side holds the
// lock only for a copy of 256 bytes, so generation never holds up a Send or a Receive.
class RegisterMirror {
public:
    void publish(const AirState& state);
    [[nodiscard]] AirState latest() const;

private:
    mutable std::mutex m_mutex;
    AirState m_state;
};

} // namespace korvel::kxio
