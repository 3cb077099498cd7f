// The exported C calls. Each forwards to the one Emulator of the process; no exception ever
// crosses into the caller, a failure shows only as the call's result.
#include "kxio/kxio.h"

#include "kxio/Emulator.h"
#include "kxio/kxioTest.h"

namespace {

using korvel::kxio::Emulator;

Emulator& emulator() {
    static Emulator instance;
    return instance;
}

bool isTrue(KxioBool value) {
    return (value & 0xFFu) != 0;
}

KxioBool fromBool(bool value) {
    return value ? 1u : 0u;
}

template <typename Call> void guarded(Call&& call) noexcept {
    try {
        call();
    } catch (...) {
    }
}

template <typename Call> KxioBool guardedBool(Call&& call) noexcept {
    try {
        return fromBool(call());
    } catch (...) {
        return fromBool(false);
    }
}

} // namespace

extern "C" {

void ConnectionSetup(std::int32_t hardwareType, std::int32_t port, KxioBool bidirectional, KxioBool slow) {
    guarded([&] { emulator().connectionSetup(hardwareType, port, isTrue(bidirectional), isTrue(slow)); });
}

KxioBool Connect(void) {
    return guardedBool([] { return emulator().connect(); });
}

void Disconnect(void) {
    guarded([] { emulator().disconnect(); });
}

KxioBool Send(std::int32_t count, const std::uint8_t* block) {
    return guardedBool([&] { return emulator().send(count, block); });
}

void Receive(std::uint8_t* block, std::int32_t address, std::int32_t count) {
    if (block != nullptr) {
        block[1] = 0; // the caller reads byte 1 after every call, even one that fails on the way in
    }
    guarded([&] { emulator().receive(block, address, count); });
}

void kxioTestReset(void) {
    guarded([] { emulator().testReset(); });
}

void kxioTestRefuseConnect(KxioBool refuse) {
    guarded([&] { emulator().refuseConnect(isTrue(refuse)); });
}

void kxioTestFailNextSend(void) {
    guarded([] { emulator().failNextSend(); });
}

void kxioTestFailNextReceive(void) {
    guarded([] { emulator().failNextReceive(); });
}

void kxioTestSetPilot(KxioBool present) {
    guarded([&] { emulator().setPilotPresent(isTrue(present)); });
}

unsigned kxioTestUecpPort(KxioBool udp) {
    try {
        return emulator().uecpPort(isTrue(udp));
    } catch (...) {
        return 0;
    }
}

} // extern "C"
