#pragma once

#include "uecp/Frame.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace korvel::uecp {

// How the library reaches its encoder, from its own INI file (keys in uecp/README.md).
struct LinkConfig {
    enum class Transport : std::uint8_t { Tcp, Udp, Serial };
    enum class Reads : std::uint8_t { Acknowledged, Request };

    Transport transport = Transport::Tcp;
    std::string host;
    std::uint16_t port = 0;
    std::string device;
    unsigned speed = 9600; // bit/s, 8N1
    Address address;
    std::uint8_t service = 0; // PSN
    bool acknowledge = true;
    int retries = 2;
    std::chrono::milliseconds timeout{500};
    std::optional<std::uint8_t> dataSet; // selected with message 0x1C when set
    Reads reads = Reads::Acknowledged;

    // "TCP 192.0.2.7:4001" or "serial /dev/ttyUSB0 at 9600 bit/s".
    [[nodiscard]] std::string where() const;
};

// A configuration, or the reason there is none, naming the line and key at fault.
struct LinkConfigResult {
    std::optional<LinkConfig> config;
    std::string error;
};

[[nodiscard]] LinkConfigResult parseLinkConfig(std::string_view text);

// $KXIO_UECP_CONFIG, else uecp.ini in $XDG_DATA_HOME/korvel-uecp/ or ~/.local/share/korvel-uecp/.
[[nodiscard]] std::optional<std::filesystem::path> linkConfigPath();
[[nodiscard]] LinkConfigResult loadLinkConfig();

} // namespace korvel::uecp
