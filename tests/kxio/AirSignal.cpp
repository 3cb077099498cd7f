// Puts a station on air through the library's five calls, for the signal test to demodulate: the
// same bytes the control panel sends, in real time. The samples go where SAMPLES says, as the
// variable KXIO_SAMPLES takes it (wav:FILE, stdout, alsa:DEVICE); the groups go to GROUPS as text
// lines, the record of what was sent.
//   kxio_air_signal SAMPLES GROUPS          the whole programme, then off the air by a power-on
//   kxio_air_signal SAMPLES GROUPS --exit   the station alone for two seconds, then the process
//                                           ends on air and the library closes the outputs
#include "kxio/kxio.h"
#include "kxio/kxioTest.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

bool write(std::uint8_t address, std::vector<std::uint8_t> data) {
    const auto count = static_cast<std::int32_t>(data.size());
    data.insert(data.begin(), address);
    data.resize(256);
    return Send(count, data.data()) != 0;
}

std::vector<std::uint8_t> bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> join(std::vector<std::uint8_t> first, const std::vector<std::uint8_t>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// PI 2F0A, PS, PTY 10, DI stereo + compressed, music, TP, no TA, AFs 87.6, 107.9, 98.5 MHz, the
// radiotext and the user group.
bool putStation() {
    bool ok = write(0x00, join(join({0x2F, 0x0A}, bytes("KORVEL 1")), {10, 0x05, 1, 1, 0, 3, 1, 204, 110}));
    std::string radiotext = "Hello from the emulated encoder\r";
    radiotext.resize(64, ' ');
    ok = ok && write(0x1F, join({0}, bytes(radiotext))) && write(0x1F, {0x03});
    // The user group as 6B (type 6 in bits 7..4 of 0x68, version B in bit 3): bits 10101 in block 2,
    // block 4 ABCD; block 3 carries the PI again, not 12 34
    return ok && write(0x60, {1, 0x68, 0x15, 0x12, 0x34, 0xAB, 0xCD});
}

// The clock time twice, then the dynamic PS.
bool runProgramme() {
    // 8 Dec 2026 09:30 UTC, one hour ahead, triggered twice a second apart
    bool ok = write(0x67, {0x40, 0x01, 0xDF, 0x8C, 0x97, 0x82});
    std::this_thread::sleep_for(2s);
    ok = ok && write(0x6D, {1});
    std::this_thread::sleep_for(1s);
    ok = ok && write(0x6D, {1});
    std::this_thread::sleep_for(1s);
    // Dynamic PS, mode 0: two labels of 1 s each, 2.7 s between loops
    ok = ok && write(0x76, join(join({0}, bytes("RADIO   NEWS    ")), {0x20}));
    ok = ok && write(0x72, {1, 0, 1, 1, 16});
    std::this_thread::sleep_for(9s);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    const bool untilExit = argc == 4 && std::string_view{argv[3]} == "--exit";
    if (argc != 3 && !untilExit) {
        std::fprintf(stderr, "usage: %s SAMPLES GROUPS [--exit]\n", argv[0]);
        return 2;
    }
    const std::string groups = argv[2];
    ::setenv("KXIO_SAMPLES", argv[1], 1);
    ::setenv("KXIO_GROUPS", groups.c_str(), 1);
    ::setenv("KXIO_CONFIG", "/dev/null", 1);
    ::setenv("KXIO_IMAGE", (groups + ".img").c_str(), 1); // none there: the power-on defaults
    ConnectionSetup(0, 1, 0, 0); // the first call: power-on with the configuration above
    bool ok = Connect() != 0 && putStation();
    if (untilExit) {
        std::this_thread::sleep_for(2s);
        return ok ? 0 : 1;
    }
    ok = ok && runProgramme();
    ::unsetenv("KXIO_SAMPLES");
    ::unsetenv("KXIO_GROUPS");
    kxioTestReset(); // off the air: the outputs are complete
    return ok ? 0 : 1;
}
