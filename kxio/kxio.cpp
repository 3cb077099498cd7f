// The exported C calls. Each forwards to the one Emulator of the process; no exception ever
// crosses into the caller, a failure shows only as the call's result.
#include "kxio/kxio.h"

#include "kxio/Emulator.h"
#include "kxio/ExportedCalls.h"
#include "kxio/kxioTest.h"

namespace {

using korvel::kxio::Emulator;

Emulator& emulator() {
    static Emulator instance;
    return instance;
}

using Calls = korvel::kxio::ExportedCalls<Emulator, emulator>;

} // namespace

extern "C" {

void ConnectionSetup(std::int32_t hardwareType, std::int32_t port, KxioBool bidirectional, KxioBool slow) {
    Calls::connectionSetup(hardwareType, port, bidirectional, slow);
}

KxioBool Connect(void) {
    return Calls::connect();
}

void Disconnect(void) {
    Calls::disconnect();
}

KxioBool Send(std::int32_t count, const std::uint8_t* block) {
    return Calls::send(count, block);
}

void Receive(std::uint8_t* block, std::int32_t address, std::int32_t count) {
    Calls::receive(block, address, count);
}

void kxioTestReset(void) {
    Calls::guarded([] { emulator().testReset(); });
}

void kxioTestRefuseConnect(KxioBool refuse) {
    Calls::guarded([&] { emulator().refuseConnect(Calls::isTrue(refuse)); });
}

void kxioTestFailNextSend(void) {
    Calls::guarded([] { emulator().failNextSend(); });
}

void kxioTestFailNextReceive(void) {
    Calls::guarded([] { emulator().failNextReceive(); });
}

void kxioTestSetPilot(KxioBool present) {
    Calls::guarded([&] { emulator().setPilotPresent(Calls::isTrue(present)); });
}

unsigned kxioTestUecpPort(KxioBool udp) {
    try {
        return emulator().uecpPort(Calls::isTrue(udp));
    } catch (...) {
        return 0;
    }
}

} // extern "C"
