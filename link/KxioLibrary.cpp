#include "link/KxioLibrary.h"

#include "kxio/kxio.h"

namespace korvel::link {

namespace {

// The library's booleans carry their meaning in the lowest byte.
KxioBool toKxio(bool value) {
    return value ? 1u : 0u;
}
bool fromKxio(KxioBool value) {
    return (value & 0xFFu) != 0;
}

} // namespace

void KxioLibrary::ConnectionSetup(int hardwareType, int port, bool bidirectional, bool slow) {
    ::ConnectionSetup(hardwareType, port, toKxio(bidirectional), toKxio(slow));
}

bool KxioLibrary::Connect() {
    return fromKxio(::Connect());
}

void KxioLibrary::Disconnect() {
    ::Disconnect();
}

bool KxioLibrary::Send(int count, const std::uint8_t* block) {
    return fromKxio(::Send(count, block));
}

void KxioLibrary::Receive(std::uint8_t* block, int address, int count) {
    ::Receive(block, address, count);
}

} // namespace korvel::link
