#include "settings/IniFile.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace korvel::settings {
namespace {

using namespace std::string_literals;

struct ReadCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    std::optional<std::string> value;
};

TEST(IniFileTest, AKeyReadsFromItsOwnSectionWhateverSurroundsIt) {
    const ReadCase cases[] = {
        {"plain", "[Config]\nTop=5\n", "Config", "Top", "5"},
        {"letter case", "[cONFIG]\ntOP=5\n", "Config", "Top", "5"},
        {"blanks and tabs", "  [ Config ]  \n \tTop \t=  5 \t\n", "Config", "Top", "5"},
        {"CR LF", "[Config]\r\nTop=5\r\n", "Config", "Top", "5"},
        {"no final line end", "[Config]\nTop=5", "Config", "Top", "5"},
        {"empty value", "[Config]\nTop=\n", "Config", "Top", ""},
        {"equals sign in the value", "[General]\nPI=a=b\n", "General", "PI", "a=b"},
        {"wrong section", "[General]\nTop=5\n", "Config", "Top", std::nullopt},
        {"before any section", "Top=5\n[Config]\n", "Config", "Top", std::nullopt},
        {"a longer key", "[Config]\nTopmost=5\n", "Config", "Top", std::nullopt},
        {"the first of twins", "[Config]\nTop=5\nTop=6\n", "Config", "Top", "5"},
        {"a second section of the name", "[Config]\nA=1\n[General]\nTop=1\n[config]\nTop=7\n", "Config",
         "Top", "7"},
        {"lines without an equals sign", "[Config]\nTop\nTop=3\n", "Config", "Top", "3"},
        {"binary junk around", "\x00\xff\x01[Config\n]\x01=2\n\x7f\n[Config]\n\x00junk\nTop=9\n\xfe"s,
         "Config", "Top", "9"},
        {"a header with text after it", "[Config] ; main\nTop=4\n", "Config", "Top", "4"},
        {"a CR inside a value reads as the blank a write makes of it", "[General]\nAF1=87.6\r\x02", "General",
         "AF1", "87.6 \x02"},
        {"a CR ending the last line", "[Config]\nTop=5\r", "Config", "Top", "5"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const IniFile file = IniFile::parse(c.file);
        const std::optional<std::string_view> value = file.value(c.section, c.key);
        EXPECT_EQ(value ? std::optional<std::string>(*value) : std::nullopt, c.value);
    }
}

struct Write {
    const char* section;
    const char* key;
    std::string value;
};

struct WriteCase {
    const char* name;
    std::string before;
    std::vector<Write> writes;
    std::string after;
};

TEST(IniFileTest, AWriteChangesItsOwnLineAndKeepsEveryOtherInPlace) {
    const WriteCase cases[] = {
        {"a new file: sections in order of their first key",
         "",
         {{"Config", "Top", "10"}, {"General", "PI", "FFFF"}, {"Config", "Left", "3"}},
         "[Config]\nTop=10\nLeft=3\n[General]\nPI=FFFF\n"},
        {"replaced in place",
         "; notes\n[Config]\nx=junk\nTop=1\nOther=2\n",
         {{"Config", "Top", "5"}},
         "; notes\n[Config]\nx=junk\nTop=5\nOther=2\n"},
        {"whatever the letter case", "[config]\ntop=1\n", {{"Config", "Top", "5"}}, "[config]\nTop=5\n"},
        {"appended at the end of its section, before the blank lines",
         "[Config]\nA=1\n\n[General]\nB=2\n",
         {{"Config", "Top", "5"}},
         "[Config]\nA=1\nTop=5\n\n[General]\nB=2\n"},
        {"CR LF stays CR LF, a missing line end is added",
         "[Config]\r\nA=1",
         {{"Config", "Top", "5"}},
         "[Config]\r\nA=1\r\nTop=5\r\n"},
        {"twins in sections of the name are dropped",
         "[Config]\nTop=1\nTop=2\n[General]\nTop=0\n[Config]\nTop=3\nA=4\n",
         {{"Config", "Top", "9"}},
         "[Config]\nTop=9\n[General]\nTop=0\n[Config]\nA=4\n"},
        {"a line end in a value stays on the line",
         "",
         {{"DPS1", "Text", "a\nb\r\n[Config]"}},
         "[DPS1]\nText=a b  [Config]\n"},
        {"junk lines stay",
         "\x01\x02\n[Config]\n\xff\xfe=\n"s,
         {{"Config", "Top", "1"}},
         "\x01\x02\n[Config]\n\xff\xfe=\nTop=1\n"s},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        IniFile file = IniFile::parse(c.before);
        for (const Write& write : c.writes) {
            file.write(write.section, write.key, write.value);
        }
        EXPECT_EQ(file.bytes(), c.after);
    }
}

TEST(IniFileTest, ASectionsEntriesKeepTheirTextAfterTheFirstEqualsSign) {
    const IniFile file = IniFile::parse(
        "[Other]\nX=1\n[TRANSLATIONS]\n Form1.A.Caption = Hi ~~there\nno key\nB==2\n[translations]\nC=3");
    const std::vector<IniFile::Entry> expected{{"Form1.A.Caption", " Hi ~~there"}, {"B", "=2"}, {"C", "3"}};
    EXPECT_EQ(file.entries("TRANSLATIONS"), expected);
}

} // namespace
} // namespace korvel::settings
