#pragma once

#include <iconv.h>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace korvel::text {

// glibc iconv from one encoding to another, as a reference the tests compare against that shares
// nothing with the code under test but the C library.
class IconvReference {
public:
    IconvReference(const char* to, const char* from)
        : m_handle(iconv_open(to, from)) {
        if (m_handle == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
        }
    }
    ~IconvReference() { iconv_close(m_handle); }
    IconvReference(const IconvReference&) = delete;
    IconvReference& operator=(const IconvReference&) = delete;

    // The whole input converted; nullopt when iconv refuses any part of it. The output may be
    // four times the input at most (a single-byte or UTF-8 text to UTF-32).
    [[nodiscard]] std::optional<std::string> convert(std::string_view input) const {
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        std::string in(input);
        std::string out(4 * in.size() + kFlushRoom, '\0');
        char* inPtr = in.data();
        std::size_t inLeft = in.size();
        char* outPtr = out.data();
        std::size_t outLeft = out.size();
        if (iconv(m_handle, &inPtr, &inLeft, &outPtr, &outLeft) == kFailed ||
            iconv(m_handle, nullptr, nullptr, &outPtr, &outLeft) == kFailed) {
            return std::nullopt;
        }
        out.resize(out.size() - outLeft);
        return out;
    }

    // One code point as UTF-32LE bytes, the input of a conversion from "UTF-32LE".
    [[nodiscard]] static std::string utf32le(char32_t codePoint) {
        std::string bytes;
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<char>((codePoint >> shift) & 0xFF));
        }
        return bytes;
    }

    // UTF-32LE bytes as code points, the output of a conversion to "UTF-32LE".
    [[nodiscard]] static std::u32string fromUtf32le(std::string_view bytes) {
        std::u32string text;
        for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
            char32_t codePoint = 0;
            for (std::size_t k = 0; k < 4; ++k) {
                codePoint |= static_cast<char32_t>(static_cast<unsigned char>(bytes[i + k])) << (8 * k);
            }
            text.push_back(codePoint);
        }
        return text;
    }

private:
    static constexpr std::size_t kFailed = static_cast<std::size_t>(-1);
    static constexpr std::size_t kFlushRoom = 16;

    iconv_t m_handle;
};

} // namespace korvel::text
