#pragma once

#include "settings/ProgramFolder.h"

#include <string>

namespace korvel::model {
class StationSettings;
}

namespace korvel::settings {

// The settings file "korvel.rds" in the user's data folder: every setting between runs.
class SettingsFile {
public:
    static constexpr const char* kFileName = "korvel.rds";

    SettingsFile(ProgramFolder program, ProgramFolder::Environment environment);

    // Writes every setting, keeping the file's other lines in their places. The file is replaced
    // whole or not at all. Throws std::runtime_error "Unable to write to <path>" when it cannot
    // be written.
    void SaveRDSFN(model::StationSettings& settings) const;
    // Applies every key the file holds, and the defaults of those it lacks. A missing or
    // unreadable file reads as a file without keys; nothing is reported.
    void LoadRDSFN(model::StationSettings& settings) const;

    // The data folder, made when missing.
    [[nodiscard]] std::string folder() const;

private:
    [[nodiscard]] std::string path(bool create) const;

    ProgramFolder m_program;
    ProgramFolder::Environment m_environment;
};

} // namespace korvel::settings
