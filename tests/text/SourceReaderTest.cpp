#include "text/SourceReader.h"

#include "fakes/FaultyFileSystem.h"
#include "fakes/TempFolder.h"

#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvel::text {
namespace {

using Take = SourceLines::Take;
using fakes::TempFolder;
constexpr std::int64_t kTime = TempFolder::kSomeTime;

class SourceReaderTest : public ::testing::Test {
protected:
    SourceText read(const std::string& name, Take take = Take::LastLine, int beginning = 0, int end = 0) {
        return reader.read({name, take, beginning, end}, folder.path());
    }
    // The text taken from a file of these bytes.
    std::string lineOf(std::string_view bytes, Take take = Take::LastLine) {
        folder.write("now.txt", bytes);
        const SourceText source = read("now.txt", take);
        EXPECT_TRUE(source.readOk);
        return source.text;
    }

    TempFolder folder;
    std::shared_ptr<fakes::FaultyFileSystem> fileSystem = std::make_shared<fakes::FaultyFileSystem>();
    SourceReader reader{fileSystem, CodePage(1252)};
};

TEST_F(SourceReaderTest, TheNewestMatchingFileWinsAndTheFirstByNameOnATie) {
    struct File {
        const char* name;
        std::int64_t time;
    };
    struct Case {
        const char* name;
        std::vector<File> files;
        const char* mask;
        const char* chosen; // nullptr: none matches
    };
    const Case cases[] = {
        {"written last", {{"a.txt", kTime + 10}, {"b.txt", kTime}}, "*.txt", "a.txt"},
        {"equal times", {{"b.txt", kTime}, {"a.txt", kTime}}, "*.txt", "a.txt"},
        {"one second later is the same 2-second step",
         {{"b.txt", kTime + 1}, {"a.txt", kTime}},
         "*.txt",
         "a.txt"},
        {"two seconds later is newer", {{"b.txt", kTime + 2}, {"a.txt", kTime}}, "*.txt", "b.txt"},
        {"hidden files match", {{".now.txt", kTime + 10}, {"a.txt", kTime}}, "*.txt", ".now.txt"},
        {"other names do not", {{"a.log", kTime + 10}, {"a.txt", kTime}}, "?.txt", "a.txt"},
        {"a plain name", {{"now.txt", kTime}, {"later.txt", kTime + 10}}, "now.txt", "now.txt"},
        {"letter case counts", {{"NOW.TXT", kTime}}, "now.txt", nullptr},
        {"no match", {{"a.txt", kTime}}, "*.xml", nullptr},
        {"empty name", {{"a.txt", kTime}}, "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder files;
        for (const File& file : c.files) {
            files.write(file.name, file.name, file.time);
        }
        const SourceText source = reader.read({c.mask, Take::LastLine, 0, 0}, files.path());
        EXPECT_TRUE(source.readOk);
        EXPECT_EQ(source.text, c.chosen ? c.chosen : "");
        EXPECT_EQ(source.path, c.chosen ? files.path(c.chosen) : "");
    }
}

// Only regular files match: a newer directory or named pipe of a matching name is passed over,
// and a pipe never makes the reading wait for a writer.
TEST_F(SourceReaderTest, DirectoriesAndPipesNeverMatch) {
    folder.write("a.txt", "Title", kTime);
    std::filesystem::create_directory(folder.path("b.txt"));
    ASSERT_EQ(mkfifo(folder.path("c.txt").c_str(), 0600), 0);
    folder.touch("b.txt", kTime + 10);
    folder.touch("c.txt", kTime + 10);
    EXPECT_EQ(read("*.txt").text, "Title");
    EXPECT_EQ(read("c.txt").path, "");
}

// A pipe that takes the place of a listed file is refused at once instead of waiting for a writer.
TEST_F(SourceReaderTest, OpeningAPipeNeverWaits) {
    const std::string pipe = folder.path("now.txt");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    auto opened = std::async(std::launch::async, [&pipe] { return LocalFileSystem().open(pipe) != nullptr; });
    if (opened.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        const int writer = ::open(pipe.c_str(), O_WRONLY); // lets the waiting open go
        ::close(writer);
        FAIL() << "opening a pipe waited for a writer";
    }
    EXPECT_FALSE(opened.get());
}

TEST_F(SourceReaderTest, RelativeNamesLieInTheProgramFolderAndAbsoluteOnesWhereTheySay) {
    std::filesystem::create_directory(folder.path("sub"));
    folder.write("sub/now.txt", "Relative");
    TempFolder elsewhere;
    elsewhere.write("now.txt", "Absolute");
    EXPECT_EQ(read("sub/now.txt").text, "Relative");
    EXPECT_EQ(read("sub/*.txt").path, folder.path("sub/now.txt"));
    EXPECT_EQ(read(elsewhere.path("now.txt")).text, "Absolute");
    EXPECT_EQ(read(elsewhere.path() + "*").text, "Absolute");
}

TEST_F(SourceReaderTest, LinesEndAtLineFeedsAndTheFileAtItsEndMark) {
    struct Case {
        const char* name;
        std::string bytes;
        Take take;
        std::string line;
    };
    const Case cases[] = {
        {"last line of CR LF lines", "One\r\nTwo\r\n", Take::LastLine, "Two"},
        {"first line of CR LF lines", "One\r\nTwo\r\n", Take::FirstLine, "One"},
        {"the last line is empty", "One\nTwo\n\n", Take::LastLine, "Two"},
        {"no line end at the end", "One\nTwo", Take::LastLine, "Two"},
        {"CR alone ends no line", "One\rTwo\rThree\r", Take::LastLine, "OneTwoThree"},
        {"CR alone in the first line", "One\rTwo\nThree", Take::FirstLine, "OneTwo"},
        {"nothing after the end mark", "One\nTwo\x1AThree\n", Take::LastLine, "Two"},
        {"end mark in the first line",
         "On\x1A"
         "e\nTwo",
         Take::FirstLine, "On"},
        {"a line of spaces is not empty", "Two\n   \n", Take::LastLine, ""},
        {"first line empty", "\nTwo", Take::FirstLine, ""},
        {"empty file", "", Take::FirstLine, ""},
        {"no line that is not empty", "\r\n\n\r\n", Take::LastLine, ""},
        {"trailing spaces", "Title   \n", Take::LastLine, "Title"},
        {"tabs are not spaces", "Title\t\n", Take::LastLine, "Title\t"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lineOf(c.bytes, c.take), c.line);
    }
}

// The byte order mark decides; the same bytes without it are taken byte for byte.
TEST_F(SourceReaderTest, AByteOrderMarkMakesTheFileUtf8) {
    struct Case {
        const char* name;
        std::string bytes;
        Take take;
        std::string line; // in code page 1252
    };
    const Case cases[] = {
        {"with the mark",
         "\xEF\xBB\xBF"
         "Caf\xC3\xA9\n",
         Take::LastLine, "Caf\xE9"},
        {"without it", "Caf\xC3\xA9\n", Take::LastLine, "Caf\xC3\xA9"},
        {"the mark on the first line counts for the last", "\xEF\xBB\xBFOne\nCaf\xC3\xA9", Take::LastLine,
         "Caf\xE9"},
        {"a mark elsewhere is text",
         "One\n\xEF\xBB\xBF"
         "Caf\xC3\xA9",
         Take::LastLine,
         "\xEF\xBB\xBF"
         "Caf\xC3\xA9"},
        {"a first line of the mark alone is empty", "\xEF\xBB\xBF\r\n", Take::FirstLine, ""},
        {"not UTF-8 after all",
         "\xEF\xBB\xBF"
         "Caf\xE9",
         Take::FirstLine, "Caf\xE9"},
        {"a character the code page lacks", "\xEF\xBB\xBF\xCE\xA9mega", Take::FirstLine, "?mega"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lineOf(c.bytes, c.take), c.line);
    }
}

TEST_F(SourceReaderTest, CutsTakeCharactersFromBothEnds) {
    struct Case {
        const char* line;
        int beginning;
        int end;
        const char* text;
    };
    const Case cases[] = {
        {"0123456789", 3, 4, "345"},        {"0123456", 3, 4, ""},        {"01234567", 3, 4, "3"},
        {"0123456789", 0, 0, "0123456789"}, {"Caf\xC3\xA9", 0, 1, "Caf"}, // one character once decoded
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        folder.write("now.txt", std::string("\xEF\xBB\xBF") + c.line);
        EXPECT_EQ(read("now.txt", Take::LastLine, c.beginning, c.end).text, c.text);
    }
}

// A file that cannot be read is no title: the source keeps what it had and tries again.
TEST_F(SourceReaderTest, AFileThatCannotBeReadClearsTheReadFlag) {
    folder.write("now.txt", "Title");
    fileSystem->failReading = true;
    EXPECT_FALSE(read("now.txt").readOk);
    fileSystem->failReading = false;
    fileSystem->vanishFrom = folder.path();
    const SourceText vanished = read("*.txt");
    EXPECT_FALSE(vanished.readOk);
    EXPECT_EQ(vanished.path, folder.path("now.txt"));
}

// Other programs' locks on a file never keep it from being read.
TEST_F(SourceReaderTest, ALockedFileIsRead) {
    folder.write("now.txt", "Title");
    const int fd = ::open(folder.path("now.txt").c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(flock(fd, LOCK_EX), 0);
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    ASSERT_EQ(fcntl(fd, F_SETLK, &whole), 0);
    EXPECT_EQ(read("now.txt").text, "Title");
    ::close(fd);
}

// Lines of any length are found, but only the first 64 KiB of one are kept, also across the
// chunks the file is read in.
TEST_F(SourceReaderTest, LongLinesAndBinaryFilesAreTakenInBounds) {
    const std::string title(5000, 'T');
    EXPECT_EQ(lineOf(title + "\n"), title);
    const std::string runaway(SourceLines::kChunk + 10, 'x');
    EXPECT_EQ(lineOf(runaway + "\r\nLast"), "Last");
    EXPECT_EQ(lineOf(runaway + "\r\nLast", Take::FirstLine), std::string(SourceLines::kKeptLength, 'x'));
    EXPECT_EQ(lineOf(runaway + "\x1A\nLast"), std::string(SourceLines::kKeptLength, 'x'));
    std::string binary;
    for (int i = 0; i < 100000; ++i) {
        binary.push_back(static_cast<char>(i * 7919 % 251));
    }
    EXPECT_LE(lineOf(binary).size(), SourceLines::kKeptLength);
}

} // namespace
} // namespace korvel::text
