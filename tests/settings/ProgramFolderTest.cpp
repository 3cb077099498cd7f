#include "settings/ProgramFolder.h"

#include "fakes/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace korvel::settings {
namespace {

TEST(ProgramFolderTest, TheTitleIsTheFolderNameOrTheProductName) {
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/korvel/studio/korvel", "studio"},
        {"/home/op/Studio A/korvel", "Studio A"},
        {"/korvel", "Korvel"},
        {"/srv/a:b/korvel", "Korvel"},
    };
    for (const auto& [executable, title] : cases) {
        SCOPED_TRACE(executable);
        EXPECT_EQ(ProgramFolder(executable).title(), title);
    }
    EXPECT_EQ(ProgramFolder("/opt/studio/korvel").path(), "/opt/studio/");
}

struct DataCase {
    const char* name;
    const char* executable;
    ProgramFolder::Environment environment;
    const char* folder;
};

TEST(ProgramFolderTest, TheDataFolderIsNamedAfterTheProgramFolder) {
    const DataCase cases[] = {
        {"XDG_DATA_HOME", "/opt/alpha/korvel", {"/x/data", "/home/u"}, "/x/data/alpha/"},
        {"a trailing separator", "/opt/alpha/korvel", {"/x/data/", "/home/u"}, "/x/data/alpha/"},
        {"a relative XDG_DATA_HOME is ignored",
         "/opt/alpha/korvel",
         {"rel", "/home/u"},
         "/home/u/.local/share/alpha/"},
        {"an empty XDG_DATA_HOME", "/opt/alpha/korvel", {"", "/home/u"}, "/home/u/.local/share/alpha/"},
        {"neither: the program's folder", "/opt/alpha/korvel", {std::nullopt, std::nullopt}, "/opt/alpha/"},
        {"a relative home: the program's folder", "/opt/alpha/korvel", {std::nullopt, "home"}, "/opt/alpha/"},
        {"the root folder: the executable's name",
         "/korvel.bin.1",
         {"/x/data", std::nullopt},
         "/x/data/korvel_bin_1/"},
        {"a colon in the name stays", "/srv/a:b/korvel", {"/x", std::nullopt}, "/x/a:b/"},
    };
    for (const DataCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ProgramFolder(c.executable).dataFolder(c.environment, false), c.folder);
    }
}

TEST(ProgramFolderTest, AMissingDataFolderIsMadeWithItsParents) {
    const fakes::TempFolder temp;
    const ProgramFolder program("/opt/alpha/korvel");
    const ProgramFolder::Environment environment{(temp / "new/share").string(), std::nullopt};
    EXPECT_FALSE(std::filesystem::exists(temp / "new/share/alpha"));
    static_cast<void>(program.dataFolder(environment, false));
    EXPECT_FALSE(std::filesystem::exists(temp / "new/share/alpha")) << "looking does not make it";
    EXPECT_EQ(program.dataFolder(environment, true), (temp / "new/share/alpha/").string());
    EXPECT_TRUE(std::filesystem::is_directory(temp / "new/share/alpha"));
}

struct InstalledCase {
    const char* name;
    const char* executable;
    std::vector<const char*> folders; // made under the temporary root
    const char* path;                 // under the temporary root
    const char* title;
    const char* dataFolder;
};

TEST(ProgramFolderTest, AnInstalledProgramIsNamedAfterItsShareFolder) {
    const InstalledCase cases[] = {
        {"installed",
         "usr/bin/korvel",
         {"usr/lib/korvel", "usr/share/korvel"},
         "usr/share/korvel/",
         "Korvel",
         "/x/data/korvel/"},
        {"under another prefix",
         "opt/k/bin/korvel",
         {"opt/k/lib/korvel", "opt/k/share/korvel"},
         "opt/k/share/korvel/",
         "Korvel",
         "/x/data/korvel/"},
        {"no share folder: a folder named bin",
         "usr/bin/korvel",
         {"usr/lib/korvel"},
         "usr/bin/",
         "bin",
         "/x/data/bin/"},
        {"no library folder: a folder named bin",
         "usr/bin/korvel",
         {"usr/share/korvel"},
         "usr/bin/",
         "bin",
         "/x/data/bin/"},
        {"not in a bin folder",
         "usr/sbin/korvel",
         {"usr/lib/korvel", "usr/share/korvel"},
         "usr/sbin/",
         "sbin",
         "/x/data/sbin/"},
        {"the build folder",
         "build/app/korvel",
         {"build/lib/korvel", "build/share/korvel"},
         "build/app/",
         "app",
         "/x/data/app/"},
    };
    for (const InstalledCase& c : cases) {
        SCOPED_TRACE(c.name);
        const fakes::TempFolder temp;
        for (const char* folder : c.folders) {
            std::filesystem::create_directories(temp / folder);
        }
        const ProgramFolder program((temp / c.executable).string());
        EXPECT_EQ(program.path(), (temp / c.path).string());
        EXPECT_EQ(program.title(), c.title);
        EXPECT_EQ(program.dataFolder({"/x/data", std::nullopt}, false), c.dataFolder);
    }
}

} // namespace
} // namespace korvel::settings
