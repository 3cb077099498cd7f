#pragma once

#include "kxio/AirConfig.h"
#include "kxio/RegisterMirror.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace korvel::kxio {

// Puts the encoder on air: a thread of its own that takes the registers from the mirror once per
// group, and sends the group to the configured outputs at the standard's 11.4 groups per second.
// Nothing it does waits for the library's calls, nor they for it.
class OnAirTransmitter {
public:
    // Starts the thread when the configuration names an output.
    OnAirTransmitter(const RegisterMirror& mirror, AirConfig config);
    OnAirTransmitter(const OnAirTransmitter&) = delete;
    OnAirTransmitter& operator=(const OnAirTransmitter&) = delete;
    ~OnAirTransmitter();

private:
    void run() noexcept;
    void transmit();
    // Waits until the time given, or less when asked to stop; true when it is time to stop.
    [[nodiscard]] bool waitUntil(std::chrono::steady_clock::time_point time);

    const RegisterMirror& m_mirror;
    AirConfig m_config;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace korvel::kxio
