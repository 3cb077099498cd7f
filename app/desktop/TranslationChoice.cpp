#include "app/desktop/TranslationChoice.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace korvel::app {

namespace {

// The POSIX order in which the locale of messages is found.
constexpr std::array<const char*, 3> kLocaleVariables{"LC_ALL", "LC_MESSAGES", "LANG"};
constexpr std::size_t kShortestName = 2;
constexpr std::size_t kLongestName = 3;

// An empty variable counts as one not set.
std::string value(const TranslationChoice::Environment& environment, const char* name) {
    return environment(name).value_or(std::string());
}

std::string messagesLocale(const TranslationChoice::Environment& environment) {
    for (const char* name : kLocaleVariables) {
        if (std::string locale = value(environment, name); !locale.empty()) {
            return locale;
        }
    }
    return {};
}

bool isCLocale(std::string_view locale) {
    return locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C.");
}

// "de" of "de_DE.UTF-8@euro"; nullopt for anything but a language's letters.
std::optional<std::string> languageOf(std::string_view locale) {
    const std::string_view name = locale.substr(0, locale.find_first_of("_.@"));
    if (name.size() < kShortestName || name.size() > kLongestName ||
        !std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isalpha(c) != 0; })) {
        return std::nullopt;
    }
    std::string language(name);
    std::transform(language.begin(), language.end(), language.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return language;
}

bool isFile(const std::string& path) {
    std::error_code unknown;
    return std::filesystem::is_regular_file(path, unknown);
}

} // namespace

TranslationChoice::Environment TranslationChoice::processEnvironment() {
    return [](const char* name) {
        const char* found = std::getenv(name);
        return found != nullptr ? std::optional<std::string>(found) : std::nullopt;
    };
}

std::vector<std::string> TranslationChoice::languages(const Environment& environment) {
    const std::string locale = messagesLocale(environment);
    if (isCLocale(locale)) {
        return {};
    }
    std::vector<std::string> found;
    const std::string wanted = value(environment, "LANGUAGE") + ':' + locale;
    for (std::size_t start = 0; start <= wanted.size();) {
        const std::size_t end = std::min(wanted.find(':', start), wanted.size());
        const auto language = languageOf(std::string_view(wanted).substr(start, end - start));
        if (language && std::find(found.begin(), found.end(), *language) == found.end()) {
            found.push_back(*language);
        }
        start = end + 1;
    }
    return found;
}

std::optional<std::string> TranslationChoice::file(const std::string& programFolder,
                                                   const Environment& environment) {
    if (const std::string own = programFolder + kFileName; isFile(own)) {
        return own;
    }
    for (const std::string& language : languages(environment)) {
        if (language == kOwnLanguage) {
            return std::nullopt;
        }
        if (const std::string shipped = programFolder + kShipped + language + '/' + kFileName;
            isFile(shipped)) {
            return shipped;
        }
    }
    return std::nullopt;
}

} // namespace korvel::app
