#pragma once

#include "kxio/kxio.h"

#include <cstdint>

namespace korvel::kxio {

// The five calls of kxio.h as every build of the library exports them, forwarded to the one
// library object that instance() returns: a boolean counts by its lowest byte, results are 1 or 0,
// Receive writes byte 1 before anything can fail, and no exception ever leaves.
template <typename Library, Library& (*instance)()> struct ExportedCalls {
    [[nodiscard]] static bool isTrue(KxioBool value) { return (value & 0xFFu) != 0; }

    template <typename Call> static void guarded(Call&& call) noexcept {
        try {
            call();
        } catch (...) {
        }
    }

    template <typename Call> [[nodiscard]] static KxioBool guardedBool(Call&& call) noexcept {
        try {
            return call() ? 1u : 0u;
        } catch (...) {
            return 0u;
        }
    }

    static void connectionSetup(std::int32_t hardwareType, std::int32_t port, KxioBool bidirectional,
                                KxioBool slow) noexcept {
        guarded([&] { instance().connectionSetup(hardwareType, port, isTrue(bidirectional), isTrue(slow)); });
    }
    [[nodiscard]] static KxioBool connect() noexcept {
        return guardedBool([] { return instance().connect(); });
    }
    static void disconnect() noexcept {
        guarded([] { instance().disconnect(); });
    }
    [[nodiscard]] static KxioBool send(std::int32_t count, const std::uint8_t* block) noexcept {
        return guardedBool([&] { return instance().send(count, block); });
    }
    static void receive(std::uint8_t* block, std::int32_t address, std::int32_t count) noexcept {
        if (block != nullptr) {
            block[1] = 0; // the caller reads byte 1 after every call, even one that fails on the way in
        }
        guarded([&] { instance().receive(block, address, count); });
    }
};

} // namespace korvel::kxio
