// The exported C calls of the UECP build. Each forwards to the one UecpLibrary of the process; no
// exception ever crosses into the caller, a failure shows in the result and in KxioLastError.
#include "uecp/kxioUecp.h"

#include "kxio/ExportedCalls.h"
#include "kxio/kxio.h"
#include "uecp/UecpLibrary.h"

#include <string>

namespace {

using korvel::uecp::UecpLibrary;

UecpLibrary& library() {
    static UecpLibrary instance;
    return instance;
}

using Calls = korvel::kxio::ExportedCalls<UecpLibrary, library>;

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

const char* KxioLibraryInfo(void) {
    static thread_local std::string text;
    return guardedText(text, [] { return library().info(); });
}

const char* KxioLastError(void) {
    static thread_local std::string text;
    return guardedText(text, [] { return library().lastError(); });
}

} // extern "C"
