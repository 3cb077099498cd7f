#include "settings/IniValue.h"

#include <climits>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace korvel::settings {
namespace {

TEST(IniValueTest, IntegersAreDecimalOrHexadecimalAndNothingElse) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"0", 0},
        {"-5", -5},
        {"+7", 7},
        {"0x1F", 31},
        {"0X1f", 31},
        {"$1F", 31},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"0x7FFFFFFF", INT_MAX},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"0x", std::nullopt},
        {"$", std::nullopt},
        {"1.5", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"2147483648", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"0x80000000", std::nullopt},
        {"-0x1F", std::nullopt},
        {"0x-1", std::nullopt},
        {"$+1", std::nullopt},
        {"+-1", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(IniValue::readInteger(text), expected);
    }
}

TEST(IniValueTest, APlainStringLosesAMatchingPairOfQuotes) {
    const std::pair<const char*, const char*> cases[] = {
        {"plain", "plain"},
        {"\"double\"", "double"},
        {"'single'", "single"},
        {"\"mixed'", "\"mixed'"},
        {"\"", "\""},
        {"\"\"", ""},
        {"a \"b\" c", "a \"b\" c"},
        {"\" a \"", " a "},
    };
    for (const auto& [value, text] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(IniValue::readString(value), text);
    }
}

TEST(IniValueTest, AQuotedStringKeepsItsBlanksAndQuotes) {
    const std::pair<const char*, const char*> cases[] = {
        {"\" Hi \"", " Hi "},     {"\"say \"\"hi\"\"\"", "say \"hi\""},
        {"\"\"\"\"", "\""},       {"\"\"", ""},
        {"unquoted", "unquoted"}, {"'single'", "single"},
    };
    for (const auto& [value, text] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(IniValue::readQuoted(value), text);
    }
    for (const char* text : {"", " a ", "\"", "a\"\"b", "'x'", "\"quoted\"", "  "}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(IniValue::readQuoted(IniValue::quoted(text)), text);
    }
}

// Found by fuzzing: a plain string with blanks at its ends, or quotes around it, lost them when
// saved and loaded again.
TEST(IniValueTest, APlainStringReadsBackAsItWasWritten) {
    const std::pair<const char*, const char*> cases[] = {
        {"plain", "plain"}, {"a \"b\" c", "a \"b\" c"}, {"", ""},     {"  `", "\"  `\""}, {"x\t", "\"x\t\""},
        {"'x'", "\"'x'\""}, {"\"x\"", "\"\"x\"\""},     {"\"", "\""}, {" ", "\" \""},
    };
    for (const auto& [text, value] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(IniValue::string(text), value);
        EXPECT_EQ(IniValue::readString(IniValue::string(text)), text);
    }
}

TEST(IniValueTest, AtMost2047CharactersAreRead) {
    const std::string long_(5000, 'x');
    EXPECT_EQ(IniValue::readString(long_).size(), 2047u);
    EXPECT_EQ(IniValue::readQuoted(IniValue::quoted(long_)).size(), 2047u);
}

} // namespace
} // namespace korvel::settings
