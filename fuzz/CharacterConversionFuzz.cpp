// Both character conversions under each desktop code page: the code page against Unicode (and
// UTF-8), and the code page against the RDS character set, with the round trips that must hold.
#include "FuzzInput.h"
#include "text/CodePage.h"
#include "text/RdsConversion.h"
#include "text/Utf8.h"

#include <memory>

namespace korvel::fuzz {
namespace {

struct Page {
    explicit Page(int number)
        : codePage(number) {}

    text::CodePage codePage;
    text::RdsConversion conversion{codePage};
};

Page& page(std::size_t index) {
    static std::array<std::unique_ptr<Page>, kCodePages.size()> pages;
    if (!pages.at(index)) {
        pages[index] = std::make_unique<Page>(kCodePages[index]);
    }
    return *pages[index];
}

// Three bytes a character, so that code points beyond U+10FFFF come up too.
std::u32string characters(std::string_view bytes) {
    std::u32string text;
    for (std::size_t at = 0; at + 3 <= bytes.size(); at += 3) {
        char32_t c = 0;
        for (std::size_t i = 0; i < 3; ++i) {
            c = c << 8 | static_cast<std::uint8_t>(bytes[at + i]);
        }
        text.push_back(c);
    }
    return text;
}

void checkCodePage(const text::CodePage& codePage, std::string_view bytes) {
    require(codePage.encode(codePage.decode(bytes)) == std::string(bytes),
            "every byte string decodes and back");
    const std::u32string text = characters(bytes);
    if (const std::optional<std::string> encoded = codePage.encode(text)) {
        require(codePage.decode(*encoded) == text, "an encoded text decodes to itself");
    }
}

void checkUtf8(std::string_view bytes) {
    if (const std::optional<std::u32string> decoded = text::Utf8::decode(bytes)) {
        require(text::Utf8::encode(*decoded) == bytes, "well-formed UTF-8 encodes back to its bytes");
    }
    const std::string encoded = text::Utf8::encode(characters(bytes));
    require(text::Utf8::decode(encoded).has_value(), "what is encoded is well-formed");
}

void checkRds(const Page& page, std::string_view bytes, text::AnsiConversion mode) {
    const std::string rds = page.conversion.AnsiToRDS(bytes, mode);
    const std::string ansi = page.conversion.RDSToAnsi(bytes, mode);
    require(rds.size() == bytes.size() && ansi.size() == bytes.size(), "the conversions keep the length");
    if (mode == text::AnsiConversion::None) {
        require(rds == bytes && ansi == bytes, "no conversion changes nothing");
        return;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(bytes[i]);
        if (byte < 0x80) {
            require(rds[i] == bytes[i] && ansi[i] == bytes[i], "ASCII is the same on both sides");
            continue;
        }
        if (page.codePage.toUnicode(byte).value_or(0) != 0) {
            require(static_cast<std::uint8_t>(rds[i]) != 0xFE, "code 0xFE is never sent");
        }
        // A desktop character that came back from an RDS code goes out as that code again.
        const auto back = static_cast<std::uint8_t>(ansi[i]);
        if (byte < 0xFE && back >= 0x80 && mode == text::AnsiConversion::EbuLatin) {
            require(page.conversion.AnsiToRDS(std::string(1, ansi[i]), mode) == std::string(1, bytes[i]),
                    "an RDS character read into the code page is sent as itself");
        }
    }
}

} // namespace
} // namespace korvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvel;
    fuzz::FuzzInput input(data, size);
    const fuzz::Page& page = fuzz::page(input.choice(fuzz::kCodePages.size()));
    const auto mode = static_cast<text::AnsiConversion>(input.choice(3));
    const std::string_view bytes = input.rest();
    fuzz::checkCodePage(page.codePage, bytes);
    fuzz::checkUtf8(bytes);
    fuzz::checkRds(page, bytes, mode);
    return 0;
}
