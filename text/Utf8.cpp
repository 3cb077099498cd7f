#include "text/Utf8.h"

#include <array>
#include <cstdint>

namespace korvel::text {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kLastSurrogate = 0xDFFF;
constexpr std::uint8_t kContinuationMask = 0xC0;
constexpr std::uint8_t kContinuation = 0x80;
constexpr std::uint8_t kPayloadMask = 0x3F; // the bits a continuation byte carries
constexpr int kContinuationBits = 6;

// A sequence by its lead byte: how to recognise it, the bits it carries and the smallest code
// point it may hold (anything smaller is an overlong form).
struct Sequence {
    std::uint8_t leadMask;
    std::uint8_t lead;
    std::size_t length;
    char32_t smallest;
};

// clang-format off
constexpr std::array kSequences{
    Sequence{0x80, 0x00, 1, 0x0},
    Sequence{0xE0, 0xC0, 2, 0x80},
    Sequence{0xF0, 0xE0, 3, 0x800},
    Sequence{0xF8, 0xF0, 4, 0x10000},
};
// clang-format on

const Sequence* sequenceOf(std::uint8_t lead) {
    for (const Sequence& sequence : kSequences) {
        if ((lead & sequence.leadMask) == sequence.lead) {
            return &sequence;
        }
    }
    return nullptr;
}

bool isContinuation(char byte) {
    return (static_cast<std::uint8_t>(byte) & kContinuationMask) == kContinuation;
}

bool isSurrogate(char32_t c) {
    return c >= kFirstSurrogate && c <= kLastSurrogate;
}

} // namespace

std::optional<std::u32string> Utf8::decode(std::string_view bytes) {
    std::u32string text;
    text.reserve(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<std::uint8_t>(bytes[at]);
        const Sequence* sequence = sequenceOf(lead);
        if (sequence == nullptr || bytes.size() - at < sequence->length) {
            return std::nullopt;
        }
        char32_t c = lead & static_cast<std::uint8_t>(~sequence->leadMask);
        for (std::size_t i = 1; i < sequence->length; ++i) {
            if (!isContinuation(bytes[at + i])) {
                return std::nullopt;
            }
            c = c << kContinuationBits | (static_cast<std::uint8_t>(bytes[at + i]) & kPayloadMask);
        }
        if (c < sequence->smallest || c > kLastCodePoint || isSurrogate(c)) {
            return std::nullopt;
        }
        text.push_back(c);
        at += sequence->length;
    }
    return text;
}

std::string Utf8::encode(std::u32string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (char32_t c : text) {
        if (c > kLastCodePoint || isSurrogate(c)) {
            c = kReplacement;
        }
        const Sequence* sequence = &kSequences.front();
        for (const Sequence& longer : kSequences) {
            if (c >= longer.smallest) {
                sequence = &longer;
            }
        }
        std::array<char, 4> out{};
        for (std::size_t i = sequence->length; i-- > 1;) {
            out[i] = static_cast<char>(kContinuation | (c & kPayloadMask));
            c >>= kContinuationBits;
        }
        out[0] = static_cast<char>(sequence->lead | c);
        bytes.append(out.data(), sequence->length);
    }
    return bytes;
}

std::size_t Utf8::characterLength(std::string_view bytes, std::size_t at) {
    const Sequence* sequence = sequenceOf(static_cast<std::uint8_t>(bytes[at]));
    if (sequence == nullptr) {
        return 1;
    }
    std::size_t length = 1;
    while (length < sequence->length && at + length < bytes.size() && isContinuation(bytes[at + length])) {
        ++length;
    }
    return length;
}

} // namespace korvel::text
