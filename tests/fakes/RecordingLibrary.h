#pragma once

#include "link/EncoderLibrary.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace korvel::fakes {

// An encoder I/O library that records every call and answers as told.
class RecordingLibrary : public link::EncoderLibrary {
public:
    struct Write {
        int count;
        std::vector<std::uint8_t> block; // address, then the data
    };

    void ConnectionSetup(int hardwareType, int port, bool bidirectional, bool slow) override {
        calls.push_back("ConnectionSetup(" + std::to_string(hardwareType) + "," + std::to_string(port) + "," +
                        std::to_string(bidirectional) + "," + std::to_string(slow) + ")");
    }
    bool Connect() override {
        calls.emplace_back("Connect");
        return connectSucceeds;
    }
    void Disconnect() override { calls.emplace_back("Disconnect"); }
    bool Send(int count, const std::uint8_t* block) override {
        calls.emplace_back("Send");
        writes.push_back({count, std::vector<std::uint8_t>(block, block + 1 + (count > 0 ? count : 0))});
        if (duringTransfer) {
            duringTransfer();
        }
        return sendSucceeds;
    }
    void Receive(std::uint8_t* block, int address, int count) override {
        calls.push_back("Receive(" + std::to_string(address) + "," + std::to_string(count) + ")");
        block[1] = receiveSucceeds ? 1 : 0;
        for (int i = 0; i < count && 2 + i < 256; ++i) {
            block[2 + i] = memory[static_cast<std::size_t>((address + i) & 0xFF)];
        }
        if (duringTransfer) {
            duringTransfer();
        }
    }

    std::vector<std::string> calls;
    std::vector<Write> writes;
    std::vector<std::uint8_t> memory = std::vector<std::uint8_t>(256, 0);
    bool connectSucceeds = true;
    bool sendSucceeds = true;
    bool receiveSucceeds = true;
    std::function<void()> duringTransfer; // runs inside Send and Receive
};

} // namespace korvel::fakes
