#include "text/CodePage.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <iconv.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

namespace korvel::text {

namespace {

constexpr int kDefaultCodePage = 1252;
constexpr std::uint8_t kFirstNonAscii = 0x80;
constexpr std::uint8_t kLastByte = 0xFF;

struct LocaleCodePage {
    std::string_view language;
    std::string_view modifier; // empty: any
    int codePage;
};

// The Windows code page each language's desktop uses; every other language gets 1252.
// clang-format off
constexpr std::array kLocaleCodePages{
    LocaleCodePage{"cs", "",      1250}, LocaleCodePage{"sk", "", 1250}, LocaleCodePage{"pl", "", 1250},
    LocaleCodePage{"hu", "",      1250}, LocaleCodePage{"sl", "", 1250}, LocaleCodePage{"hr", "", 1250},
    LocaleCodePage{"ro", "",      1250}, LocaleCodePage{"sq", "", 1250}, LocaleCodePage{"bs", "", 1250},
    LocaleCodePage{"sr", "latin", 1250},
    LocaleCodePage{"ru", "",      1251}, LocaleCodePage{"uk", "", 1251}, LocaleCodePage{"be", "", 1251},
    LocaleCodePage{"bg", "",      1251}, LocaleCodePage{"mk", "", 1251}, LocaleCodePage{"sr", "", 1251},
    LocaleCodePage{"kk", "",      1251}, LocaleCodePage{"ky", "", 1251}, LocaleCodePage{"tt", "", 1251},
    LocaleCodePage{"mn", "",      1251},
    LocaleCodePage{"el", "",      1253},
    LocaleCodePage{"tr", "",      1254}, LocaleCodePage{"az", "", 1254},
    LocaleCodePage{"lt", "",      1257}, LocaleCodePage{"lv", "", 1257}, LocaleCodePage{"et", "", 1257},
};
// clang-format on
static_assert(kLocaleCodePages.size() == 26);

struct IconvCloser {
    void operator()(iconv_t handle) const { iconv_close(handle); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

IconvHandle openDecoder(int number) {
    const std::string name = "CP" + std::to_string(number);
    iconv_t handle = iconv_open("UTF-32LE", name.c_str());
    if (handle == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("Code page " + std::to_string(number) + " is not available");
    }
    return IconvHandle(handle);
}

// The one character a single byte decodes to; nullopt when iconv refuses the byte or gives no
// single character for it.
std::optional<char32_t> decodeByte(iconv_t decoder, std::uint8_t byte) {
    iconv(decoder, nullptr, nullptr, nullptr, nullptr);
    char in = static_cast<char>(byte);
    char* inPtr = &in;
    std::size_t inLeft = 1;
    std::array<unsigned char, 16> out{};
    char* outPtr = reinterpret_cast<char*>(out.data());
    std::size_t outLeft = out.size();
    if (iconv(decoder, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        iconv(decoder, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    if (out.size() - outLeft != 4) {
        return std::nullopt;
    }
    return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
}

// "cs_CZ.UTF-8@euro" -> language "cs", modifier "euro".
std::pair<std::string, std::string_view> splitLocale(std::string_view locale) {
    const auto languageEnd = std::min(locale.find_first_of("_.@"), locale.size());
    std::string language(locale.substr(0, languageEnd));
    std::transform(language.begin(), language.end(), language.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto at = locale.find('@');
    return {language, at == std::string_view::npos ? std::string_view{} : locale.substr(at + 1)};
}

} // namespace

CodePage::CodePage(int number)
    : m_number(number) {
    const IconvHandle decoder = openDecoder(number);
    for (unsigned byte = 0; byte < m_toUnicode.size(); ++byte) {
        const auto value = static_cast<std::uint8_t>(byte);
        m_toUnicode[byte] =
            value < kFirstNonAscii ? std::optional<char32_t>(value) : decodeByte(decoder.get(), value);
        if (m_toUnicode[byte]) {
            m_fromUnicode.try_emplace(*m_toUnicode[byte], value);
        }
    }
}

std::optional<char32_t> CodePage::toUnicode(std::uint8_t byte) const {
    return m_toUnicode[byte];
}

std::optional<std::uint8_t> CodePage::fromUnicode(char32_t character) const {
    const auto found = m_fromUnicode.find(character);
    if (found == m_fromUnicode.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::u32string CodePage::decode(std::string_view bytes) const {
    std::u32string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        text.push_back(toUnicode(byte).value_or(kUndefinedByteBase + byte));
    }
    return text;
}

std::optional<std::string> CodePage::encode(std::u32string_view text) const {
    std::string bytes;
    bytes.reserve(text.size());
    for (const char32_t character : text) {
        auto byte = fromUnicode(character);
        if (!byte) {
            byte = undefinedByte(character);
        }
        if (!byte) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<char>(*byte));
    }
    return bytes;
}

std::optional<std::uint8_t> CodePage::undefinedByte(char32_t character) const {
    if (character < kUndefinedByteBase + kFirstNonAscii || character > kUndefinedByteBase + kLastByte) {
        return std::nullopt;
    }
    const auto byte = static_cast<std::uint8_t>(character - kUndefinedByteBase);
    return toUnicode(byte) ? std::nullopt : std::optional<std::uint8_t>(byte);
}

int CodePage::numberForLocale(std::string_view locale) {
    const auto parts = splitLocale(locale); // a lambda may not name a structured binding in clang 14
    const auto match =
        std::find_if(kLocaleCodePages.begin(), kLocaleCodePages.end(), [&parts](const auto& entry) {
            return entry.language == parts.first &&
                   (entry.modifier.empty() || entry.modifier == parts.second);
        });
    return match == kLocaleCodePages.end() ? kDefaultCodePage : match->codePage;
}

std::string CodePage::localeFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

int CodePage::desktopNumber() {
    return numberForLocale(localeFromEnvironment());
}

} // namespace korvel::text
