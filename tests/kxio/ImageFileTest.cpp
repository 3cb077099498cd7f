// Where the encoder's non-volatile image is kept and how it is written and read.
#include "KxioFixture.h"

#include <fstream>
#include <sstream>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace korvel::kxio::test {
namespace {

class ImageFileTest : public KxioFixture {
protected:
    void SetUp() override {
        KxioFixture::SetUp();
        connectCom1();
    }

    void writeFile(const std::filesystem::path& path, std::size_t size) const {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out{path, std::ios::binary};
        out << std::string(size, '\x11');
    }

    // Stores two marker bytes, clears them in memory and brings them back with a reset.
    static bool storesAndReloads() {
        return write(0x00, {0x5A, 0xA5}) && command('E') && write(0x00, {0x00, 0x00}) && command('R') &&
               read(0x00, 2) == Bytes{0x5A, 0xA5};
    }
};

TEST_F(ImageFileTest, LocationFollowsTheEnvironment) {
    struct Case {
        const char* name;
        std::optional<std::string> image;    // relative to the test folder unless empty
        std::optional<std::string> dataHome; // relative to the test folder unless it starts with "rel:"
        std::optional<std::string> home;
        std::optional<std::string> expected;
    };
    // clang-format off
    const Case cases[] = {
        {"override",       "own/x.img", "data",    "home", "own/x.img"},
        {"data home",      "",          "data",    "home", "data/korvel-kxio/encoder.img"},
        {"home",           std::nullopt, std::nullopt, "home", "home/.local/share/korvel-kxio/encoder.img"},
        {"relative data",  std::nullopt, "rel:data", "home", "home/.local/share/korvel-kxio/encoder.img"},
        {"nowhere",        std::nullopt, std::nullopt, std::nullopt, std::nullopt},
    };
    // clang-format on
    const auto inFolder = [this](const std::optional<std::string>& value) -> std::optional<std::string> {
        if (!value || value->empty()) {
            return value;
        }
        if (value->starts_with("rel:")) {
            return value->substr(4);
        }
        return (folder() / *value).string();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        environment().set("KXIO_IMAGE", inFolder(c.image));
        environment().set("XDG_DATA_HOME", inFolder(c.dataHome));
        environment().set("HOME", inFolder(c.home));

        EXPECT_EQ(command('E'), c.expected.has_value());
        if (c.expected) {
            EXPECT_TRUE(std::filesystem::is_regular_file(folder() / *c.expected));
        }
        // Each case writes exactly one file into the test folder (and none when it has nowhere to go).
        std::size_t files = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder())) {
            files += entry.is_regular_file() ? 1 : 0;
        }
        EXPECT_EQ(files, c.expected ? 1u : 0u);
        std::filesystem::remove_all(folder());
        std::filesystem::create_directory(folder());
    }
}

TEST_F(ImageFileTest, StoreReplacesThePreviousImageAndLeavesNoTemporaryFile) {
    ASSERT_TRUE(write(0x00, {0xAB, 0xCD}));
    ASSERT_TRUE(command('E'));
    ASSERT_TRUE(write(0x00, {0x12, 0x34}));
    ASSERT_TRUE(command('E'));

    ASSERT_TRUE(write(0x00, {0x00, 0x00}));
    ASSERT_TRUE(command('R'));
    EXPECT_EQ(read(0x00, 2), (Bytes{0x12, 0x34}));
    const auto entries = std::distance(std::filesystem::directory_iterator(imagePath().parent_path()),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 1);
}

TEST_F(ImageFileTest, ImageNameUpToTheFileNameLimitStoresAndReloads) {
    // 248 bytes leave room for a 7-byte suffix, 249 do not; 255 is NAME_MAX.
    for (const std::size_t length : {1u, 248u, 249u, 255u}) {
        SCOPED_TRACE(length);
        const std::filesystem::path image = folder() / "image" / std::string(length, 'n');
        environment().set("KXIO_IMAGE", image.string());
        EXPECT_TRUE(storesAndReloads());
        std::error_code missing;
        EXPECT_EQ(std::filesystem::file_size(image, missing), 256u);
    }
    const auto entries = std::distance(std::filesystem::directory_iterator(folder() / "image"),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 4) << "no temporary file is left behind";
}

TEST_F(ImageFileTest, StoreKeepsTheImageModeAndANewImageFollowsTheUmask) {
    struct Case {
        const char* name;
        std::optional<::mode_t> existing; // the image before the store; nothing: no image yet
        ::mode_t umask;
        ::mode_t expected;
    };
    // The umask of a kept mode differs from it, so that a store which applied the umask would show.
    // clang-format off
    const Case cases[] = {
        {"kept 0644",      0644,         077, 0644},
        {"kept 0640",      0640,         022, 0640},
        {"kept 0444",      0444,         022, 0444},
        {"new, umask 022", std::nullopt, 022, 0644},
        {"new, umask 027", std::nullopt, 027, 0640},
        {"new, umask 0",   std::nullopt, 0,   0666},
    };
    // clang-format on
    const auto octal = [](auto mode) {
        std::ostringstream text;
        text << std::oct << static_cast<unsigned>(mode);
        return text.str();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(imagePath());
        if (c.existing) {
            writeFile(imagePath(), 256);
            std::filesystem::permissions(imagePath(), std::filesystem::perms{*c.existing});
        }
        const ::mode_t previous = ::umask(c.umask);
        const bool stored = command('E');
        ::umask(previous);

        EXPECT_TRUE(stored);
        EXPECT_EQ(octal(std::filesystem::status(imagePath()).permissions()), octal(c.expected));
    }
}

TEST_F(ImageFileTest, StoreGoesThroughLinksToTheirFinalTarget) {
    struct Link {
        const char* path;   // in the test folder
        const char* target; // as written in the link; a leading '/' stands for the test folder
    };
    struct Case {
        const char* name;
        std::vector<Link> links;
        const char* image;                 // $KXIO_IMAGE, in the test folder
        std::optional<std::string> stored; // the file that gets the image; nothing: the store fails
        bool storedExists;                 // that file is there before the store
    };
    // clang-format off
    const Case cases[] = {
        {"link",                {{"encoder.img", "real/encoder.img"}},          "encoder.img",        "real/encoder.img", true},
        {"absolute link",       {{"encoder.img", "/real/encoder.img"}},         "encoder.img",        "real/encoder.img", true},
        {"link in a folder",    {{"links/encoder.img", "../real/encoder.img"}}, "links/encoder.img",  "real/encoder.img", true},
        {"chain",               {{"a.img", "b.img"}, {"b.img", "links/c.img"},
                                 {"links/c.img", "../real/encoder.img"}},       "a.img",              "real/encoder.img", true},
        {"folder link",         {{"linked", "real"}},                           "linked/encoder.img", "real/encoder.img", true},
        {"dangling",            {{"encoder.img", "real/encoder.img"}},          "encoder.img",        "real/encoder.img", false},
        {"dangling, no folder", {{"encoder.img", "new/encoder.img"}},           "encoder.img",        "new/encoder.img",  false},
        {"loop",                {{"a.img", "b.img"}, {"b.img", "a.img"}},       "a.img",              std::nullopt,       false},
        {"link to itself",      {{"a.img", "a.img"}},                           "a.img",              std::nullopt,       false},
        {"folder loop",         {{"linked", "linked"}},                         "linked/encoder.img", std::nullopt,       false},
    };
    // clang-format on
    const auto linkTarget = [this](std::string_view target) {
        return target.starts_with('/') ? folder() / target.substr(1) : std::filesystem::path{target};
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(folder());
        std::filesystem::create_directories(folder() / "real");
        for (const Link& link : c.links) {
            std::filesystem::create_directories((folder() / link.path).parent_path());
            std::filesystem::create_symlink(linkTarget(link.target), folder() / link.path);
        }
        if (c.storedExists) {
            writeFile(folder() / *c.stored, 256);
        }
        environment().set("KXIO_IMAGE", (folder() / c.image).string());

        if (c.stored) {
            EXPECT_TRUE(storesAndReloads());
            std::ifstream stored{folder() / *c.stored, std::ios::binary};
            EXPECT_EQ(stored.get(), 0x5A) << "the target has the stored image";
        } else {
            EXPECT_FALSE(command('E'));
        }
        for (const Link& link : c.links) {
            std::error_code error;
            EXPECT_EQ(std::filesystem::read_symlink(folder() / link.path, error), linkTarget(link.target))
                << link.path << " is still the same link";
        }
        // Only the target: neither a plain file in place of a link nor a temporary file.
        std::size_t files = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder())) {
            files += entry.is_symlink() || !entry.is_regular_file() ? 0 : 1;
        }
        EXPECT_EQ(files, c.stored ? 1u : 0u);
    }
}

TEST_F(ImageFileTest, StoreThatCannotBeWrittenIsReported) {
    writeFile(folder() / "blocker", 1); // a file where the image folder would have to be
    environment().set("KXIO_IMAGE", (folder() / "blocker" / "encoder.img").string());
    EXPECT_FALSE(command('E'));
    EXPECT_TRUE(write(0x00, {0x01})) << "the encoder goes on working";
}

TEST_F(ImageFileTest, ResetWithDamagedImageFailsAndKeepsTheMemory) {
    for (const std::size_t size : {0u, 255u, 257u}) {
        SCOPED_TRACE(size);
        writeFile(imagePath(), size);
        ASSERT_TRUE(write(0x00, {0x2F, 0x0A}));
        EXPECT_FALSE(command('R'));
        EXPECT_EQ(read(0x00, 2), (Bytes{0x2F, 0x0A}));
    }
}

TEST_F(ImageFileTest, DamagedImageAtPowerOnGivesTheDefaults) {
    writeFile(imagePath(), 100);
    kxioTestReset();
    connectCom1();
    EXPECT_EQ(read(0x00, 4), (Bytes{0x00, 0x00, 0x20, 0x20}));
}

} // namespace
} // namespace korvel::kxio::test
