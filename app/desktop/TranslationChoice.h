#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korvel::app {

// Which translation file the window takes: "fennel.lng" in the program's folder, always; else the
// one shipped for the desktop's language, "translations/<language>/fennel.lng" below that folder,
// so that an installed program speaks the desktop's language without a file copied by hand.
class TranslationChoice {
public:
    // The value of an environment variable; nullopt when it is not set.
    using Environment = std::function<std::optional<std::string>(const char* name)>;

    static constexpr const char* kFileName = "fennel.lng";
    static constexpr const char* kShipped = "translations/";
    // The window's own language, which needs no file.
    static constexpr const char* kOwnLanguage = "en";

    [[nodiscard]] static Environment processEnvironment();

    // The desktop's languages, the most wanted first ("de" for "de_DE.UTF-8"), as gettext takes
    // them: the list in LANGUAGE, then the locale of messages (LC_ALL, else LC_MESSAGES, else
    // LANG). None under the C locale, where LANGUAGE counts for nothing either. Names other than
    // two or three letters are passed over: they never reach a path.
    [[nodiscard]] static std::vector<std::string> languages(const Environment& environment);

    // The file to read; nullopt when the window stays in its own language.
    [[nodiscard]] static std::optional<std::string> file(const std::string& programFolder,
                                                         const Environment& environment);
};

} // namespace korvel::app
