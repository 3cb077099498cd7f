#include "settings/SettingsFile.h"

#include "settings/FileBytes.h"
#include "settings/IniFile.h"
#include "settings/KeyValue.h"
#include "settings/SettingsKeys.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace korvel::settings {

namespace {

std::string_view sectionName(Section section) {
    return kSectionNames.at(static_cast<std::size_t>(section));
}

IniFile existing(const std::string& path) {
    return IniFile::parse(FileBytes::read(path).value_or(std::string()));
}

// No file at all, rather than one that cannot be read.
bool firstStart(const std::string& path) {
    std::error_code unknown;
    return !std::filesystem::exists(path, unknown) && !unknown;
}

// The key as a first start loads it: a value of its own in place of the missing key's default.
SettingsKey asFirstStart(const SettingsKey& key) {
    SettingsKey fresh = key;
    fresh.check = key.check.orDefault(*key.check.firstStart);
    return fresh;
}

} // namespace

SettingsFile::SettingsFile(ProgramFolder program, ProgramFolder::Environment environment)
    : m_program(std::move(program))
    , m_environment(std::move(environment)) {}

std::string SettingsFile::folder() const {
    return m_program.dataFolder(m_environment, true);
}

std::string SettingsFile::path(bool create) const {
    return m_program.dataFolder(m_environment, create) + kFileName;
}

void SettingsFile::SaveRDSFN(model::StationSettings& settings) const {
    const std::string target = path(true);
    IniFile file = existing(target);
    for (const SettingsKey& key : kSettingsKeys) {
        file.write(sectionName(key.section), key.key, KeyValue::save(settings, key));
    }
    if (!FileBytes::replace(target, file.bytes())) {
        throw std::runtime_error("Unable to write to " + target);
    }
}

void SettingsFile::LoadRDSFN(model::StationSettings& settings) const {
    const std::string target = path(false);
    const bool fresh = firstStart(target);
    const IniFile file = existing(target);
    for (const SettingsKey& key : kSettingsKeys) {
        if (fresh && key.check.firstStart) {
            KeyValue::load(settings, asFirstStart(key), std::nullopt);
        } else {
            KeyValue::load(settings, key, file.value(sectionName(key.section), key.key));
        }
    }
}

} // namespace korvel::settings
