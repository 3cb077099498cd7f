#include "app/desktop/TranslationChoice.h"

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace korvel::app {
namespace {

using Variables = std::map<std::string, std::string>;

struct Case {
    const char* what;
    Variables environment;
    std::optional<std::string> chosen; // below the program's folder; none: the window stays English
};

// The program's folder holds the German translation as shipped, and one that is not a language's.
class TranslationChoiceTest : public ::testing::Test {
protected:
    TranslationChoiceTest() {
        fakes::TempFolder::writeFile(m_folder / "translations/de/fennel.lng", "[TRANSLATIONS]\n");
        fakes::TempFolder::writeFile(m_folder / "translations/x/fennel.lng", "[TRANSLATIONS]\n");
    }

    [[nodiscard]] std::optional<std::string> chosen(const Variables& variables) const {
        const auto found = TranslationChoice::file(m_folder.path(), [&variables](const char* name) {
            const auto variable = variables.find(name);
            return variable != variables.end() ? std::optional(variable->second) : std::nullopt;
        });
        if (!found) {
            return std::nullopt;
        }
        EXPECT_TRUE(found->starts_with(m_folder.path())) << *found;
        return found->substr(m_folder.path().size());
    }

    fakes::TempFolder m_folder;
};

TEST_F(TranslationChoiceTest, TheDesktopsLanguageChoosesTheShippedTranslation) {
    const std::string german = "translations/de/fennel.lng";
    // clang-format off
    const Case cases[] = {
        {"German desktop",                    {{"LANG", "de_DE.UTF-8"}},                         german},
        {"Austrian, with a modifier",         {{"LANG", "de_AT@euro"}},                          german},
        {"language alone, capitals",          {{"LANG", "DE"}},                                  german},
        {"no locale at all",                  {},                                                std::nullopt},
        {"English desktop",                   {{"LANG", "en_GB.UTF-8"}},                         std::nullopt},
        {"a language without a translation",  {{"LANG", "fr_FR.UTF-8"}},                         std::nullopt},
        {"LC_MESSAGES before LANG",           {{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "de_DE"}}, german},
        {"LC_ALL before LC_MESSAGES",         {{"LC_ALL", "en_US"}, {"LC_MESSAGES", "de_DE"}},   std::nullopt},
        {"an empty LC_ALL is not set",        {{"LC_ALL", ""}, {"LANG", "de_DE.UTF-8"}},         german},
        {"C locale",                          {{"LANG", "C.UTF-8"}},                             std::nullopt},
        {"LANGUAGE first",                    {{"LANG", "fr_FR"}, {"LANGUAGE", "nl:de:en"}},     german},
        {"LANGUAGE puts English first",       {{"LANG", "de_DE"}, {"LANGUAGE", "en:de"}},        std::nullopt},
        {"LANGUAGE under the C locale",       {{"LANG", "C"}, {"LANGUAGE", "de"}},               std::nullopt},
        {"a name that is not a language",     {{"LANG", "../../de"}},                            std::nullopt},
        {"a one-letter folder",               {{"LANG", "x_X"}},                                 std::nullopt},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(chosen(c.environment), c.chosen) << c.what;
    }
}

TEST_F(TranslationChoiceTest, AFileInTheProgramsFolderAlwaysWins) {
    fakes::TempFolder::writeFile(m_folder / "fennel.lng", "[TRANSLATIONS]\n");
    for (const Variables& environment :
         {Variables{}, Variables{{"LANG", "de_DE.UTF-8"}}, Variables{{"LANG", "C"}}}) {
        EXPECT_EQ(chosen(environment), std::optional<std::string>("fennel.lng"));
    }
}

} // namespace
} // namespace korvel::app
