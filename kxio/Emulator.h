#pragma once

#include "kxio/EmulatedEncoder.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>

namespace korvel::kxio {

// The library's state behind the five calls: the port configuration, whether it is open, the
// encoder on the other end and the faults a test has asked for. Every call takes the one lock, so
// calls from different threads never interleave.
class Emulator {
public:
    static constexpr std::int32_t kMaxSendCount = 251;
    static constexpr std::size_t kReceiveBlockSize = 256;

    void connectionSetup(std::int32_t hardwareType, std::int32_t port, bool bidirectional, bool slow);
    [[nodiscard]] bool connect();
    void disconnect();
    [[nodiscard]] bool send(std::int32_t count, const std::uint8_t* block);
    void receive(std::uint8_t* block, std::int32_t address, std::int32_t count);

    // Test-only controls.
    void testReset();
    void refuseConnect(bool refuse);
    void failNextSend();
    void failNextReceive();
    void setPilotPresent(bool present);

private:
    struct Configuration {
        std::int32_t hardwareType;
        std::int32_t port;
        bool bidirectional;
        bool slow;
    };

    [[nodiscard]] bool readInto(std::uint8_t* block, std::int32_t address, std::int32_t count);

    std::mutex m_mutex;
    std::optional<Configuration> m_configuration;
    bool m_connected = false;
    bool m_refuseConnect = false;
    bool m_failNextSend = false;
    bool m_failNextReceive = false;
    EmulatedEncoder m_encoder;
};

} // namespace korvel::kxio
