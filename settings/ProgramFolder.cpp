#include "settings/ProgramFolder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace korvel::settings {

namespace {

constexpr char kSeparator = '/';

std::optional<std::string> variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

// The XDG base directory rules ignore a relative path.
bool absolute(const std::optional<std::string>& path) {
    return path && !path->empty() && path->front() == kSeparator;
}

std::string withSeparator(std::string path) {
    if (path.empty() || path.back() != kSeparator) {
        path += kSeparator;
    }
    return path;
}

std::string_view withoutSeparator(std::string_view folder) {
    if (!folder.empty() && folder.back() == kSeparator) {
        folder.remove_suffix(1);
    }
    return folder;
}

// The share folder of a program installed under a prefix, when the executable's folder is the
// prefix's bin and both private folders are there.
std::optional<std::string> installedFiles(std::string_view executableFolder) {
    const std::string_view folder = withoutSeparator(executableFolder);
    constexpr std::string_view kBin = "/bin";
    if (!folder.ends_with(kBin)) {
        return std::nullopt;
    }
    const std::string prefix(folder.substr(0, folder.size() - kBin.size() + 1));
    const std::string files = prefix + std::string(ProgramFolder::kInstalledFiles);
    std::error_code unknown;
    if (!std::filesystem::is_directory(files, unknown) ||
        !std::filesystem::is_directory(prefix + std::string(ProgramFolder::kInstalledLibraries), unknown)) {
        return std::nullopt;
    }
    return withSeparator(files);
}

} // namespace

ProgramFolder::Environment ProgramFolder::Environment::fromProcess() {
    return {variable("XDG_DATA_HOME"), variable("HOME")};
}

ProgramFolder::ProgramFolder(std::string_view executablePath) {
    const std::size_t slash = executablePath.rfind(kSeparator);
    m_path =
        slash == std::string_view::npos ? std::string() : std::string(executablePath.substr(0, slash + 1));
    m_executableName = std::string(executablePath.substr(slash == std::string_view::npos ? 0 : slash + 1));
    if (auto files = installedFiles(m_path)) {
        m_path = std::move(*files);
        m_installed = true;
    }
}

std::string ProgramFolder::name() const {
    const std::string_view folder = withoutSeparator(m_path);
    const std::size_t slash = folder.rfind(kSeparator);
    return std::string(slash == std::string_view::npos ? folder : folder.substr(slash + 1));
}

std::string ProgramFolder::title() const {
    const std::string folder = name();
    return m_installed || folder.empty() || folder.find(':') != std::string::npos ? kProduct : folder;
}

std::string ProgramFolder::subfolderName() const {
    std::string folder = name();
    if (folder.empty()) {
        folder = m_executableName;
        std::replace(folder.begin(), folder.end(), '.', '_');
    }
    return folder;
}

std::string ProgramFolder::dataFolder(const Environment& environment, bool create) const {
    std::string base;
    if (absolute(environment.xdgDataHome)) {
        base = withSeparator(*environment.xdgDataHome);
    } else if (absolute(environment.home)) {
        base = withSeparator(*environment.home) + ".local/share/";
    } else {
        return m_path;
    }
    const std::string folder = base + subfolderName();
    if (create) {
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
    }
    return withSeparator(folder);
}

} // namespace korvel::settings
