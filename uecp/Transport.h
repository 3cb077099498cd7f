#pragma once

#include "uecp/LinkConfig.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korvel::uecp {

using Deadline = std::chrono::steady_clock::time_point;

// The byte pipe to the encoder: a TCP connection, a connected UDP socket or a serial device,
// all non-blocking, every wait bounded by the caller's deadline. A failure closes the pipe and
// says why in error(); the next open() starts afresh.
class Transport {
public:
    explicit Transport(LinkConfig config);
    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;
    ~Transport();

    [[nodiscard]] bool open(Deadline deadline);
    void close();
    [[nodiscard]] bool isOpen() const { return m_descriptor >= 0; }

    [[nodiscard]] bool write(std::span<const std::uint8_t> bytes, Deadline deadline);
    // What arrived by the deadline (nothing on a quiet line); std::nullopt when the link failed.
    [[nodiscard]] std::optional<std::vector<std::uint8_t>> read(Deadline deadline);

    [[nodiscard]] const std::string& error() const { return m_error; }

private:
    [[nodiscard]] int openDescriptor(Deadline deadline);
    [[nodiscard]] int openSerial();
    [[nodiscard]] int openSocket(Deadline deadline);
    [[nodiscard]] int awaitConnection(int descriptor, Deadline deadline);
    bool fail(std::string reason);
    // How long poll may wait: -1 ms after the deadline means "not at all".
    [[nodiscard]] static int waitMs(Deadline deadline);

    LinkConfig m_config;
    int m_descriptor = -1;
    std::string m_error;
};

} // namespace korvel::uecp
