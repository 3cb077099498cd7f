#include "text/Utf8.h"

#include <gtest/gtest.h>

namespace korvel::text {
namespace {

TEST(Utf8Test, OnlyWellFormedBytesDecode) {
    struct Case {
        const char* name;
        std::string bytes;
        std::optional<std::u32string> text;
    };
    const Case cases[] = {
        {"every length", "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB5", U"a\u00E9\u20AC\U0001F3B5"},
        {"empty", "", U""},
        {"a stray continuation byte", "a\x80", std::nullopt},
        {"a missing continuation byte",
         "\xC3"
         "a",
         std::nullopt},
        {"cut short at the end", "\xE2\x82", std::nullopt},
        {"overlong", "\xC0\xAF", std::nullopt},
        {"overlong in three bytes", "\xE0\x80\xAF", std::nullopt},
        {"a surrogate", "\xED\xA0\x80", std::nullopt},
        {"above U+10FFFF", "\xF4\x90\x80\x80", std::nullopt},
        {"no such lead byte", "\xFF", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8::decode(c.bytes), c.text) << c.name;
    }
}

TEST(Utf8Test, EncodingRoundTripsAndReplacesWhatUtf8CannotHold) {
    const std::u32string text = U"a\u00E9\u07FF\u0800\uFFFF\U00010000\U0010FFFF";
    EXPECT_EQ(Utf8::decode(Utf8::encode(text)), text);
    EXPECT_EQ(Utf8::encode(std::u32string{0xD800, 0x110000}), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

} // namespace
} // namespace korvel::text
