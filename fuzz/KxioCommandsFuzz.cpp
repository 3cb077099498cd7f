// The stand-in library's five calls in any order with any arguments, the test controls mixed
// in, read as a stream of calls from the input. Checks what the calls promise their caller.
#include "FuzzInput.h"
#include "KxioFuzz.h"

#include <algorithm>
#include <vector>

namespace korvel::fuzz {
namespace {

enum class Call : std::uint8_t { Setup, Connect, Disconnect, Send, Receive, FailNext, Refuse, Reset };
constexpr std::size_t kCalls = 8;

// A count of a few bytes mostly, at times any 32-bit value.
std::int32_t count(FuzzInput& input) {
    const std::uint8_t shape = input.byte();
    return shape < 0xF0 ? shape : input.integer32();
}

class Caller {
public:
    void run(FuzzInput& input) {
        switch (static_cast<Call>(input.choice(kCalls))) {
        case Call::Setup: {
            const std::int32_t hardwareType = input.integer32();
            const std::int32_t port = input.integer32();
            ConnectionSetup(hardwareType, port, input.integer32(), input.integer32());
            return;
        }
        case Call::Connect:
            m_connected = Connect() != 0;
            return;
        case Call::Disconnect:
            Disconnect();
            m_connected = false;
            return;
        case Call::Send:
            send(input);
            return;
        case Call::Receive:
            static_cast<void>(receive(input.integer32() & 0x1FF, count(input)));
            return;
        case Call::FailNext:
            if (input.flag()) {
                kxioTestFailNextSend();
            } else {
                kxioTestFailNextReceive();
                m_receiveFails = true;
            }
            return;
        case Call::Refuse:
            kxioTestRefuseConnect(input.integer32());
            return;
        case Call::Reset:
            kxioTestReset();
            m_connected = false;
            m_receiveFails = false;
            return;
        }
    }

private:
    // A block of exactly the bytes the count names, so that a read past them is caught.
    void send(FuzzInput& input) {
        const std::int32_t n = count(input);
        std::vector<std::uint8_t> block(n >= 0 && n <= KXIO_MAX_SEND_COUNT ? static_cast<std::size_t>(n) + 1
                                                                           : 1);
        std::generate(block.begin(), block.end(), [&] { return input.byte(); });
        const bool sent = Send(n, block.data()) != 0;
        require(!sent || m_connected, "nothing is sent while not connected");
        const std::size_t address = block[0];
        const std::size_t size = block.size() - 1;
        bool plain = address + size <= KxioImage::kSize;
        for (std::size_t i = 0; plain && i < size; ++i) {
            plain = KxioImage::holdsWrites(address + i);
        }
        if (sent && plain) {
            const bool fails = m_receiveFails;
            const std::vector<std::uint8_t> back = receive(static_cast<std::int32_t>(address), n);
            require(fails || back[1] == 1, "what was written can be read");
            require(fails || std::equal(block.begin() + 1, block.end(), back.begin() + 2),
                    "a read returns what was written");
        }
    }

    std::vector<std::uint8_t> receive(std::int32_t address, std::int32_t n) {
        std::vector<std::uint8_t> block(KXIO_RECEIVE_BLOCK_SIZE, 0xA5);
        Receive(block.data(), address, n);
        m_receiveFails = false;
        require(block[0] == 0xA5, "Receive leaves byte 0 alone");
        require(block[1] == 0 || block[1] == 1, "Receive reports 1 or 0");
        require(block[1] == 0 || m_connected, "nothing is received while not connected");
        return block;
    }

    bool m_connected = false;
    bool m_receiveFails = false; // a failure of the next Receive was asked for
};

} // namespace
} // namespace korvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvel;
    static_cast<void>(fuzz::KxioImage::path());
    kxioTestReset();
    fuzz::FuzzInput input(data, size);
    fuzz::Caller caller;
    while (!input.rest().empty()) {
        caller.run(input);
    }
    return 0;
}
