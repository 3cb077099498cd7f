#pragma once

#include "kxio/SubcarrierModulator.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace korvel::kxio {

// Where the emulated encoder's signal goes: a text stream of groups and the subcarrier's samples,
// both off unless configured. Read from "kxio.ini" in the emulator's data folder (or the file
// $KXIO_CONFIG names); the variables KXIO_GROUPS, KXIO_SAMPLES, KXIO_RDS_LEVEL and KXIO_PILOT_LEVEL
// override its keys groups, samples, rds_level and pilot_level.
struct AirConfig {
    enum class Samples : std::uint8_t { Off, WavFile, Stdout, Alsa };

    std::optional<std::filesystem::path> groups; // a file or a named pipe
    Samples samples = Samples::Off;
    std::string samplesTarget; // the WAV file's path or the ALSA device's name
    SubcarrierModulator::Levels levels;

    [[nodiscard]] bool anyOutput() const { return groups.has_value() || samples != Samples::Off; }

    [[nodiscard]] static AirConfig load();
};

} // namespace korvel::kxio
