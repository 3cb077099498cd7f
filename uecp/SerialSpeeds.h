#pragma once

#include <algorithm>
#include <array>
#include <termios.h>

namespace korvel::uecp {

// The serial speeds termios offers, by bits per second.
struct SerialSpeed {
    unsigned bitsPerSecond;
    speed_t code;
};

// clang-format off
inline constexpr std::array<SerialSpeed, 18> kSerialSpeeds{{
    {50, B50},     {75, B75},       {110, B110},     {134, B134},     {150, B150},       {200, B200},
    {300, B300},   {600, B600},     {1200, B1200},   {1800, B1800},   {2400, B2400},     {4800, B4800},
    {9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}, {230400, B230400},
}};
// clang-format on

[[nodiscard]] inline const SerialSpeed* findSerialSpeed(unsigned bitsPerSecond) {
    const auto found = std::find_if(kSerialSpeeds.begin(), kSerialSpeeds.end(),
                                    [&](const SerialSpeed& s) { return s.bitsPerSecond == bitsPerSecond; });
    return found == kSerialSpeeds.end() ? nullptr : &*found;
}

} // namespace korvel::uecp
