#pragma once

#include <cstdint>

namespace korvel::link {

// The encoder I/O library's five calls. The program reaches the encoder only through this
// interface, so that tests put a recording fake in the library's place.
class EncoderLibrary {
public:
    virtual ~EncoderLibrary() = default;

    // Stores the configuration for the next Connect. port: 888 for LPT1, the LPT2 address,
    // or the COM number 1..255.
    virtual void ConnectionSetup(int hardwareType, int port, bool bidirectional, bool slow) = 0;
    [[nodiscard]] virtual bool Connect() = 0;
    virtual void Disconnect() = 0;
    // block[0] is the register address, block[1..count] the data.
    [[nodiscard]] virtual bool Send(int count, const std::uint8_t* block) = 0;
    // Fills a 256-byte block: block[1] non-zero on success, block[2..] the bytes read.
    virtual void Receive(std::uint8_t* block, int address, int count) = 0;
};

} // namespace korvel::link
