// The exported C calls of the UECP build. Each forwards to the one UecpLibrary of the process; no
// exception ever crosses into the caller, a failure shows in the result and in KxioLastError.
#include "uecp/kxioUecp.h"

#include "kxio/kxio.h"
#include "uecp/UecpLibrary.h"

#include <string>

namespace {

using korvel::uecp::UecpLibrary;

UecpLibrary& library() {
    static UecpLibrary instance;
    return instance;
}

bool isTrue(KxioBool value) {
    return (value & 0xFFu) != 0;
}

template <typename Call> void guarded(Call&& call) noexcept {
    try {
        call();
    } catch (...) {
    }
}

template <typename Call> KxioBool guardedBool(Call&& call) noexcept {
    try {
        return call() ? 1u : 0u;
    } catch (...) {
        return 0u;
    }
}

// The texts stay valid in the calling thread until its next call of the same function.
template <typename Call> const char* guardedText(std::string& keep, Call&& call) noexcept {
    try {
        keep = call();
    } catch (...) {
        keep.clear();
    }
    return keep.c_str();
}

} // namespace

extern "C" {

void ConnectionSetup(std::int32_t hardwareType, std::int32_t port, KxioBool bidirectional, KxioBool slow) {
    guarded([&] { library().connectionSetup(hardwareType, port, isTrue(bidirectional), isTrue(slow)); });
}

KxioBool Connect(void) {
    return guardedBool([] { return library().connect(); });
}

void Disconnect(void) {
    guarded([] { library().disconnect(); });
}

KxioBool Send(std::int32_t count, const std::uint8_t* block) {
    return guardedBool([&] { return library().send(count, block); });
}

void Receive(std::uint8_t* block, std::int32_t address, std::int32_t count) {
    if (block != nullptr) {
        block[1] = 0; // the caller reads byte 1 after every call, even one that fails on the way in
    }
    guarded([&] { library().receive(block, address, count); });
}

const char* KxioLibraryInfo(void) {
    static thread_local std::string text;
    return guardedText(text, [] { return library().info(); });
}

const char* KxioLastError(void) {
    static thread_local std::string text;
    return guardedText(text, [] { return library().lastError(); });
}

} // extern "C"
