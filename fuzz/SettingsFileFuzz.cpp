// Any bytes as the settings file: the whole load into the station settings, then a save and a
// second load, which must give back the same settings and, saved again, the same file.
#include "FuzzInput.h"
#include "ScratchFolder.h"
#include "model/StationSettings.h"
#include "settings/FileBytes.h"
#include "settings/KeyValue.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"

#include <cstdio>
#include <memory>

namespace korvel::fuzz {
namespace {

const ScratchFolder& scratch() {
    static const ScratchFolder folder;
    return folder;
}

settings::SettingsFile settingsFile() {
    return settings::SettingsFile(settings::ProgramFolder("/opt/studio/korvel"),
                                  {scratch().path().string(), std::nullopt});
}

// Loading as start-up does: the panel then connects to the loaded port row and presses the
// clock-time button once, and a save made after start-up writes what those two steps left.
std::unique_ptr<model::StationSettings> load(const settings::SettingsFile& file, char decimalSeparator) {
    auto station = std::make_unique<model::StationSettings>(decimalSeparator);
    file.LoadRDSFN(*station);
    station->program().portIndex = station->choice("CBPORT");
    station->setCaption("BSETCT", station->caption("BSETCT") == "Start" ? "Stop" : "Start");
    return station;
}

void requireSameSettings(model::StationSettings& first, model::StationSettings& second) {
    for (const settings::SettingsKey& key : settings::kSettingsKeys) {
        const std::string before = settings::KeyValue::save(first, key);
        const std::string after = settings::KeyValue::save(second, key);
        if (before != after) {
            std::fprintf(stderr, "%.*s: \"%s\" came back as \"%s\"\n", static_cast<int>(key.key.size()),
                         key.key.data(), before.c_str(), after.c_str());
        }
        require(before == after, "a saved setting loads back unchanged");
    }
}

} // namespace
} // namespace korvel::fuzz

// The decimal separator follows the input's length, so that the seed files stay whole settings
// files and both separators are tried on every kind of file; one load and save per input keeps
// the target quick enough for long runs.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvel;
    const settings::SettingsFile file = fuzz::settingsFile();
    const std::string path = file.folder() + settings::SettingsFile::kFileName;
    const char separator = size % 2 == 0 ? '.' : ',';
    fuzz::ScratchFolder::write(path, std::string_view(reinterpret_cast<const char*>(data), size));
    const auto first = fuzz::load(file, separator);
    file.SaveRDSFN(*first);
    const std::optional<std::string> saved = settings::FileBytes::read(path);
    const auto second = fuzz::load(file, separator);
    fuzz::requireSameSettings(*first, *second);
    file.SaveRDSFN(*second);
    fuzz::require(settings::FileBytes::read(path) == saved, "a second save writes the same file");
    return 0;
}
