#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace korvel::fuzz {

// The Windows code pages the program may run with; most targets try their input under each.
inline constexpr std::array kCodePages{1250, 1251, 1252, 1253, 1254, 1257};

// A fuzzer's bytes taken from the front: the first few choose options, the rest is the data.
// Taking past the end gives zeros and empty strings, so every input is a whole case.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : m_rest(reinterpret_cast<const char*>(data), size) {}

    [[nodiscard]] std::uint8_t byte() {
        if (m_rest.empty()) {
            return 0;
        }
        const auto value = static_cast<std::uint8_t>(m_rest.front());
        m_rest.remove_prefix(1);
        return value;
    }

    [[nodiscard]] bool flag() { return (byte() & 1u) != 0; }

    // One of count choices, 0..count-1.
    [[nodiscard]] std::size_t choice(std::size_t count) { return byte() % count; }

    // A small integer in [min, max], which may span at most 256 values.
    [[nodiscard]] int between(int min, int max) { return min + static_cast<int>(byte() % (max - min + 1)); }

    // Any 32-bit value, low byte first.
    [[nodiscard]] std::int32_t integer32() {
        std::uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            value |= static_cast<std::uint32_t>(byte()) << shift;
        }
        return static_cast<std::int32_t>(value);
    }

    // The bytes up to the next LF (dropped) or the end.
    [[nodiscard]] std::string line() {
        const std::size_t end = std::min(m_rest.find('\n'), m_rest.size());
        std::string text(m_rest.substr(0, end));
        m_rest.remove_prefix(std::min(end + 1, m_rest.size()));
        return text;
    }

    [[nodiscard]] std::string_view rest() const { return m_rest; }

private:
    std::string_view m_rest;
};

// A property that must hold: when it does not, the fuzzer reports the input as a crash.
inline void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

} // namespace korvel::fuzz
