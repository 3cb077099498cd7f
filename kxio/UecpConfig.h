#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvel::kxio {

// Where the emulated encoder listens for UECP and which addresses it answers to: the [uecp] section
// of kxio.ini, each key overridden by its variable (KXIO_UECP_TCP_PORT, KXIO_UECP_UDP_PORT,
// KXIO_UECP_BIND, KXIO_UECP_SITE, KXIO_UECP_ENCODER, KXIO_UECP_MAX_CONNECTIONS). Both ports are off
// unless set.
struct UecpConfig {
    static constexpr std::uint16_t kMaxSite = 0x3FF;  // 10 bits
    static constexpr std::uint8_t kMaxEncoder = 0x3F; // 6 bits
    static constexpr std::size_t kMaxConnectionLimit = 64;

    std::optional<std::uint16_t> tcpPort; // 0 lets the system choose a free port
    std::optional<std::uint16_t> udpPort;
    std::string bind = "127.0.0.1";
    std::vector<std::uint16_t> sites;   // none: any site
    std::vector<std::uint8_t> encoders; // none: any encoder
    std::size_t maxConnections = 4;

    [[nodiscard]] bool anyPort() const { return tcpPort.has_value() || udpPort.has_value(); }

    // Whether a frame sent to this site and encoder is for this encoder; 0 addresses every one.
    [[nodiscard]] bool accepts(std::uint16_t site, std::uint8_t encoder) const;

    // The address the encoder's own frames carry: its first site and encoder, else the one the
    // frame it answers was sent to.
    [[nodiscard]] std::uint16_t ownSite(std::uint16_t addressed) const;
    [[nodiscard]] std::uint8_t ownEncoder(std::uint8_t addressed) const;

    // A key whose value cannot be used is named on standard error and left at its default, so a
    // mistyped port keeps the listener off rather than listening somewhere unexpected.
    [[nodiscard]] static UecpConfig load();
};

} // namespace korvel::kxio
