#include "kxio/AirConfig.h"

#include "kxio/ImageFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string_view>

namespace korvel::kxio {

namespace {

constexpr const char* kConfigVariable = "KXIO_CONFIG";
constexpr const char* kConfigName = "kxio.ini";

struct Key {
    std::string_view name;
    const char* variable;
};

// clang-format off
constexpr std::array kKeys{
    Key{"groups",      "KXIO_GROUPS"},
    Key{"samples",     "KXIO_SAMPLES"},
    Key{"rds_level",   "KXIO_RDS_LEVEL"},
    Key{"pilot_level", "KXIO_PILOT_LEVEL"},
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

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return std::string{text.substr(first, last - first + 1)};
}

std::optional<std::filesystem::path> configPath() {
    if (const char* path = std::getenv(kConfigVariable); path != nullptr && *path != '\0') {
        return std::filesystem::path{path};
    }
    const std::optional<std::filesystem::path> folder = ImageFile::emulatorFolder();
    return folder ? std::optional{*folder / kConfigName} : std::nullopt;
}

// key=value lines; sections, comments and lines without "=" are passed over.
std::map<std::string, std::string, std::less<>> readIni(const std::optional<std::filesystem::path>& path) {
    std::map<std::string, std::string, std::less<>> values;
    if (!path) {
        return values;
    }
    std::ifstream file{*path};
    std::string line;
    while (std::getline(file, line)) {
        const std::string text = trimmed(line);
        const auto equals = text.find('=');
        if (text.empty() || text[0] == '#' || text[0] == ';' || text[0] == '[' ||
            equals == std::string::npos) {
            continue;
        }
        values[trimmed(std::string_view{text}.substr(0, equals))] =
            trimmed(std::string_view{text}.substr(equals + 1));
    }
    return values;
}

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
    std::map<std::string, std::string, std::less<>> values = readIni(configPath());
    for (const Key& key : kKeys) {
        if (const char* value = std::getenv(key.variable); value != nullptr) {
            values[std::string{key.name}] = trimmed(value);
        }
    }
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
