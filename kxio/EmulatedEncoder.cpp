#include "kxio/EmulatedEncoder.h"

#include <algorithm>
#include <optional>

namespace korvel::kxio {

namespace {

struct DefaultFill {
    Register start;
    std::size_t length;
    std::uint8_t value;
};

// Power-on contents besides zeros: the texts are blank rather than control characters, so a fresh
// encoder reads back as empty PS and radiotext.
// clang-format off
constexpr std::array kDefaultFills{
    //          start                        length  value
    DefaultFill{Register::ProgrammeService,  8,      0x20},
    DefaultFill{Register::RadiotextText,     64,     0x20},
};
// clang-format on
static_assert(kDefaultFills.size() == 2);

constexpr std::uint8_t bit(StatusBit b, bool on) {
    return on ? static_cast<std::uint8_t>(b) : 0;
}

bool fitsInMemory(std::size_t address, std::size_t count) {
    return address + count <= EmulatedEncoder::kMemorySize;
}

} // namespace

EmulatedEncoder::EmulatedEncoder() {
    powerOn();
}

void EmulatedEncoder::powerOn() {
    m_carrierOn = true;
    const std::optional<std::filesystem::path> path = ImageFile::locate();
    if (!path || ImageFile{*path}.load(m_memory) != ImageFile::LoadResult::Loaded) {
        loadDefaults();
    }
}

bool EmulatedEncoder::write(std::uint8_t address, std::span<const std::uint8_t> data) {
    if (!fitsInMemory(address, data.size())) {
        return false;
    }
    bool ok = true;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const std::size_t target = address + i;
        if (target == index(Register::Command)) {
            ok = execute(data[i]) && ok;
        } else if (target != index(Register::Status)) {
            m_memory[target] = data[i];
        }
        if (target == index(Register::ClockTimeTrigger)) {
            ++m_clockTimeTriggers; // the clock time goes on air once, at the next group
        }
    }
    return ok;
}

bool EmulatedEncoder::read(std::uint8_t address, std::size_t count, std::span<std::uint8_t> out) const {
    if (!fitsInMemory(address, count)) {
        return false;
    }
    const std::size_t delivered = std::min(count, out.size());
    for (std::size_t i = 0; i < delivered; ++i) {
        out[i] = registerValue(address + i);
    }
    return true;
}

bool EmulatedEncoder::execute(std::uint8_t command) {
    switch (static_cast<Command>(command)) {
    case Command::Store:
        return store();
    case Command::Reset:
        return reset();
    case Command::CarrierOff:
        m_carrierOn = false;
        return true;
    case Command::CarrierOn:
        m_carrierOn = true;
        return true;
    }
    return true; // the device ignores characters it has no command for
}

bool EmulatedEncoder::store() const {
    const std::optional<std::filesystem::path> path = ImageFile::locate();
    return path && ImageFile{*path}.save(m_memory);
}

bool EmulatedEncoder::reset() {
    const std::optional<std::filesystem::path> path = ImageFile::locate();
    const ImageFile::LoadResult result =
        path ? ImageFile{*path}.load(m_memory) : ImageFile::LoadResult::Missing;
    if (result == ImageFile::LoadResult::Invalid) {
        return false; // a damaged image is reported and the memory kept, never half-loaded
    }
    if (result == ImageFile::LoadResult::Missing) {
        loadDefaults();
    }
    m_carrierOn = true;
    return true;
}

std::uint8_t EmulatedEncoder::registerValue(std::size_t address) const {
    if (address == index(Register::Status)) {
        return status();
    }
    if (address == index(Register::Command)) {
        return 0;
    }
    return m_memory[address];
}

std::uint8_t EmulatedEncoder::status() const {
    const bool autoClock = (byteAt(Register::ClockSource) & 0x01) != 0;
    const bool trafficAnnouncement = (byteAt(Register::TrafficAnnouncement) & 0x01) != 0;
    const bool dynamicPs = byteAt(Register::DpsLength) != 0;
    return static_cast<std::uint8_t>(bit(StatusBit::Pilot, autoClock && m_pilotPresent) |
                                     bit(StatusBit::TrafficAnnouncement, trafficAnnouncement) |
                                     bit(StatusBit::DynamicPs, dynamicPs) |
                                     bit(StatusBit::Generator, m_carrierOn));
}

std::uint8_t EmulatedEncoder::byteAt(Register reg) const {
    return m_memory[index(reg)];
}

void EmulatedEncoder::loadDefaults() {
    m_memory.fill(0);
    for (const DefaultFill& fill : kDefaultFills) {
        std::fill_n(m_memory.begin() + static_cast<std::ptrdiff_t>(index(fill.start)), fill.length,
                    fill.value);
    }
}

} // namespace korvel::kxio
