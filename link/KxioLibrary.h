#pragma once

#include "link/EncoderLibrary.h"

namespace korvel::link {

// The EncoderLibrary of the shared library libkxio.so, bound when the program loads.
class KxioLibrary : public EncoderLibrary {
public:
    void ConnectionSetup(int hardwareType, int port, bool bidirectional, bool slow) override;
    [[nodiscard]] bool Connect() override;
    void Disconnect() override;
    [[nodiscard]] bool Send(int count, const std::uint8_t* block) override;
    void Receive(std::uint8_t* block, int address, int count) override;
};

} // namespace korvel::link
