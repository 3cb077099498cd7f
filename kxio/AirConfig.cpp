#include "kxio/AirConfig.h"

#include "kxio/IniFile.h"

#include <array>
#include <charconv>
#include <string_view>

namespace korvel::kxio {

namespace {

// clang-format off
constexpr std::array kKeys{
    IniFile::Key{"groups",      "KXIO_GROUPS"},
    IniFile::Key{"samples",     "KXIO_SAMPLES"},
    IniFile::Key{"rds_level",   "KXIO_RDS_LEVEL"},
    IniFile::Key{"pilot_level", "KXIO_PILOT_LEVEL"},
};
// clang-format on
static_assert(kKeys.size() == 4);

struct SampleTarget {
    std::string_view prefix;
    AirConfig::Samples kind;
};

// clang-format off
constexpr std::array kSampleTargets{
    SampleTarget{"wav:",   AirConfig::Samples::WavFile},
    SampleTarget{"alsa:",  AirConfig::Samples::Alsa},
    SampleTarget{"stdout", AirConfig::Samples::Stdout},
};
// clang-format on
static_assert(kSampleTargets.size() == 3);

std::optional<double> level(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !(value >= 0 && value <= 1)) {
        return std::nullopt;
    }
    return value;
}

void applySamples(AirConfig& config, const std::string& value) {
    for (const SampleTarget& target : kSampleTargets) {
        if (value.starts_with(target.prefix)) {
            config.samples = target.kind;
            config.samplesTarget = value.substr(target.prefix.size());
            return;
        }
    }
}

} // namespace

AirConfig AirConfig::load() {
    // The keys before the first section header count as [output] keys, as they always have.
    const IniFile::Values values = IniFile::read({"", "output"}, kKeys);
    AirConfig config;
    if (const auto groups = values.find("groups"); groups != values.end() && !groups->second.empty()) {
        config.groups = groups->second;
    }
    if (const auto samples = values.find("samples"); samples != values.end()) {
        applySamples(config, samples->second);
    }
    if (config.samples == Samples::WavFile && config.samplesTarget.empty()) {
        config.samples = Samples::Off;
    }
    if (config.samples == Samples::Alsa && config.samplesTarget.empty()) {
        config.samplesTarget = "default";
    }
    if (const auto rds = values.find("rds_level"); rds != values.end()) {
        config.levels.rds = level(rds->second).value_or(config.levels.rds);
    }
    if (const auto pilot = values.find("pilot_level"); pilot != values.end()) {
        config.levels.pilot = level(pilot->second).value_or(config.levels.pilot);
    }
    // The two together must not clip.
    const double total = config.levels.rds + config.levels.pilot;
    if (total > 1) {
        config.levels.rds /= total;
        config.levels.pilot /= total;
    }
    return config;
}

} // namespace korvel::kxio
