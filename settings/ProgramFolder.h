#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvel::settings {

// The folder that holds the program, and what is named after it: the application title and the
// per-user data folder of the settings file. Two copies of the program in folders of different
// names keep separate settings. Folders are derived, never entered: the current directory stays.
//
// An installed program keeps its executable apart from its own files: <prefix>/bin/korvel beside
// <prefix>/lib/korvel/ (the I/O library) and <prefix>/share/korvel/ (manual, translation). Its
// folder is then the share folder, so its data folder is named "korvel" rather than "bin", and its
// title is the product name.
class ProgramFolder {
public:
    static constexpr const char* kProduct = "Korvel";
    // Where an installed program's own files lie, from the folder above its executable's.
    static constexpr std::string_view kInstalledLibraries = KORVEL_INSTALLED_LIBRARIES;
    static constexpr std::string_view kInstalledFiles = KORVEL_INSTALLED_FILES;

    // Where the user's data folders live, as the environment names them.
    struct Environment {
        std::optional<std::string> xdgDataHome;
        std::optional<std::string> home;

        [[nodiscard]] static Environment fromProcess();
    };

    explicit ProgramFolder(std::string_view executablePath);

    // The executable's folder, or an installed program's share folder, with a trailing separator.
    [[nodiscard]] const std::string& path() const { return m_path; }
    // The innermost folder's name; empty when the program sits in the root folder.
    [[nodiscard]] std::string name() const;
    // The folder's name, or the product name when it is empty or holds a ":".
    [[nodiscard]] std::string title() const;

    // $XDG_DATA_HOME (or ~/.local/share) joined with the folder's name (the executable's name
    // with "." made "_" in the root folder), with a trailing separator; the program's own folder
    // when the environment names no absolute data folder. With create, a missing folder is made;
    // a failure to make it is left for the first write to report.
    [[nodiscard]] std::string dataFolder(const Environment& environment, bool create) const;

private:
    [[nodiscard]] std::string subfolderName() const;

    std::string m_path;
    std::string m_executableName;
    bool m_installed = false;
};

} // namespace korvel::settings
