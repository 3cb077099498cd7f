#pragma once

#include "kxio/AirState.h"
#include "kxio/ImageFile.h"
#include "kxio/Register.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace korvel::kxio {

enum class Command : std::uint8_t {
    Store = 'E',
    Reset = 'R',
    CarrierOff = '0',
    CarrierOn = '1',
};

enum class StatusBit : std::uint8_t {
    Pilot = 0x01,
    TrafficAnnouncement = 0x02,
    DynamicPs = 0x04,
    Generator = 0x80,
};

// An RDS encoder seen as 256 byte registers. The status register is computed when read, the command
// register acts on what is written to it; neither holds a value of its own.
class EmulatedEncoder {
public:
    static constexpr std::size_t kMemorySize = 256;
    static_assert(kMemorySize == ImageFile::kSize_bytes);

    EmulatedEncoder();

    // What the device does when switched on: memory from the image (power-on defaults when there is
    // no usable image), carrier on.
    void powerOn();

    // Bytes land at consecutive addresses from address. A write that would run past 0xFF is refused
    // whole. False also when a command in it fails (a store that could not be written).
    [[nodiscard]] bool write(std::uint8_t address, std::span<const std::uint8_t> data);

    // Reads count registers from address into out; only the first out.size() of them are delivered.
    // A read that would run past 0xFF is refused.
    [[nodiscard]] bool read(std::uint8_t address, std::size_t count, std::span<std::uint8_t> out) const;

    // What the RDS generator works from.
    [[nodiscard]] AirState airState() const { return {m_memory, m_carrierOn, m_clockTimeTriggers}; }

    // Whether a 19 kHz pilot tone arrives at the encoder's input.
    void setPilotPresent(bool present) { m_pilotPresent = present; }

private:
    [[nodiscard]] bool execute(std::uint8_t command);
    [[nodiscard]] bool store() const;
    [[nodiscard]] bool reset();
    [[nodiscard]] std::uint8_t registerValue(std::size_t address) const;
    [[nodiscard]] std::uint8_t status() const;
    [[nodiscard]] std::uint8_t byteAt(Register reg) const;
    void loadDefaults();

    std::array<std::uint8_t, kMemorySize> m_memory{};
    bool m_carrierOn = true;
    bool m_pilotPresent = true;
    std::uint32_t m_clockTimeTriggers = 0;
};

} // namespace korvel::kxio
