#include "text/NameMask.h"

#include <gtest/gtest.h>

namespace korvel::text {
namespace {

TEST(NameMaskTest, WildcardsStandForRunsAndSingleCharacters) {
    struct Case {
        const char* mask;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"*.txt", "now.txt", true},
        {"*.txt", "now.txt.bak", false},
        {"*.txt", ".txt", true},
        {"now*.txt", "now-playing.txt", true},
        {"*-*.txt", "a-b-c.txt", true},
        {"*a*b*c", "xaxbxbxc", true},
        {"*a*b*c", "xaxcxb", false},
        {"?.txt", "a.txt", true},
        {"?.txt", "ab.txt", false},
        {"?.txt", ".txt", false},
        {"caf?.txt", "caf\xC3\xA9.txt", true}, // one character, two bytes
        {"caf??.txt", "caf\xC3\xA9.txt", false},
        {"*", "anything", true},
        {"now.txt", "now.txt", true},
        {"now.txt", "Now.txt", false},
        {"", "now.txt", false},
        {"**?", "x", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NameMask(c.mask).matches(c.name), c.matches) << c.mask << " / " << c.name;
    }
}

} // namespace
} // namespace korvel::text
