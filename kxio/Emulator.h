#pragma once

#include "kxio/EmulatedEncoder.h"
#include "kxio/OnAirTransmitter.h"
#include "kxio/RegisterMirror.h"
#include "kxio/UecpListener.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>

namespace korvel::kxio {

// The library's state behind the five calls: the port configuration, whether it is open, the
// encoder on the other end and the faults a test has asked for. Every call takes the one lock, so
// calls from different threads never interleave.
class Emulator {
public:
    static constexpr std::int32_t kMaxSendCount = 251;
    static constexpr std::size_t kReceiveBlockSize = 256;

    // Goes on air, and listens for UECP, as the emulator's configuration says.
    Emulator();

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
    // The port the UECP listener is bound to, 0 when it is off.
    [[nodiscard]] std::uint16_t uecpPort(bool udp);

private:
    struct Configuration {
        std::int32_t hardwareType;
        std::int32_t port;
        bool bidirectional;
        bool slow;
    };

    void startTransmitter();
    void startListener();
    // A frame's messages from the UECP listener, applied as one write of the registers they change.
    [[nodiscard]] UecpApplier::Outcome applyUecp(std::span<const uecp::Message> messages);
    [[nodiscard]] bool readInto(std::uint8_t* block, std::int32_t address, std::int32_t count);

    std::mutex m_mutex;
    std::optional<Configuration> m_configuration;
    bool m_connected = false;
    bool m_refuseConnect = false;
    bool m_failNextSend = false;
    bool m_failNextReceive = false;
    EmulatedEncoder m_encoder;
    RegisterMirror m_mirror;
    std::unique_ptr<OnAirTransmitter> m_transmitter; // after the mirror, so it stops before the mirror goes
    std::unique_ptr<UecpListener> m_listener;        // last: it stops first, while all it uses is there
};

} // namespace korvel::kxio
