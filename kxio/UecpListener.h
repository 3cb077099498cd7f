#pragma once

#include "kxio/FileDescriptor.h"
#include "kxio/UecpConfig.h"
#include "kxio/UecpConnection.h"
#include "kxio/UecpSession.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace korvel::kxio {

// The emulated encoder's UECP ports: a TCP port for any number of clients up to the configured
// limit, and a UDP port where each datagram is one whole frame, answered to its sender. One thread
// of its own serves both with poll(); nothing a client sends or fails to read can hold it up, nor
// the library's calls or the on-air thread, which share only the encoder's lock for each frame.
class UecpListener {
public:
    // Opens the configured ports and starts serving them. A port that cannot be opened is named on
    // standard error and left closed; the thread starts when one is open.
    UecpListener(UecpConfig config, UecpSession::Apply apply);
    UecpListener(const UecpListener&) = delete;
    UecpListener& operator=(const UecpListener&) = delete;
    ~UecpListener();

    // The port each socket is bound to (the system's choice for port 0); nothing when closed.
    [[nodiscard]] std::optional<std::uint16_t> tcpPort() const;
    [[nodiscard]] std::optional<std::uint16_t> udpPort() const;

private:
    void run() noexcept;
    void serve();
    void acceptClient();
    void receiveDatagrams();
    void serveConnections(const std::vector<short>& revents);

    UecpConfig m_config;
    UecpSession::Apply m_apply;
    FileDescriptor m_tcp;
    FileDescriptor m_udp;
    FileDescriptor m_wake; // an eventfd that tells the thread to stop
    UecpSession m_datagrams;
    std::vector<std::unique_ptr<UecpConnection>> m_connections;
    std::thread m_thread;
};

} // namespace korvel::kxio
