#pragma once

#include <string>

namespace korvel::text {

// Every byte value once, in order: the whole input space of a single-byte conversion.
inline std::string allBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes.push_back(static_cast<char>(b));
    }
    return bytes;
}

} // namespace korvel::text
