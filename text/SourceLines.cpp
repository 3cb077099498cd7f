#include "text/SourceLines.h"

#include "text/FileSystem.h"
#include "text/Utf8.h"

#include <string_view>
#include <vector>

namespace korvel::text {

namespace {

constexpr char kEndOfFile = 0x1A;

// Collects the lines of a file chunk by chunk and keeps the one asked for.
class LineCollector {
public:
    explicit LineCollector(SourceLines::Take take)
        : m_take(take) {}

    // Takes the bytes of a chunk; false once the line asked for is complete.
    bool add(std::string_view bytes) {
        while (!bytes.empty()) {
            const auto end = bytes.find('\n');
            append(bytes.substr(0, end));
            if (end == std::string_view::npos) {
                return true;
            }
            if (!endLine()) {
                return false;
            }
            bytes.remove_prefix(end + 1);
        }
        return true;
    }

    // The end of the file ends a line that holds something; an empty file's first line is empty,
    // as the result already is.
    SourceLines::Line finish() {
        if (!m_complete && !m_line.empty()) {
            endLine();
        }
        return std::move(m_result);
    }

private:
    void append(std::string_view piece) {
        while (!piece.empty() && m_line.size() < SourceLines::kKeptLength) {
            const auto cr = piece.find('\r');
            const std::string_view part = piece.substr(0, cr);
            m_line.append(part.substr(0, SourceLines::kKeptLength - m_line.size()));
            if (cr == std::string_view::npos) {
                return;
            }
            piece.remove_prefix(cr + 1);
        }
    }

    // False once the line asked for is complete.
    bool endLine() {
        if (m_lines++ == 0 && m_line.starts_with(Utf8::kByteOrderMark)) {
            m_line.erase(0, Utf8::kByteOrderMark.size());
            m_result.utf8 = true;
        }
        if (m_take == SourceLines::Take::FirstLine) {
            m_result.text.swap(m_line);
            m_complete = true;
            return false;
        }
        if (!m_line.empty()) {
            m_result.text.swap(m_line);
        }
        m_line.clear();
        return true;
    }

    SourceLines::Take m_take;
    std::string m_line;
    std::size_t m_lines = 0;
    bool m_complete = false;
    SourceLines::Line m_result;
};

} // namespace

std::optional<SourceLines::Line> SourceLines::read(InputFile& file, Take take) {
    LineCollector lines(take);
    std::vector<char> buffer(kChunk);
    for (;;) {
        const std::optional<std::size_t> count = file.read(buffer);
        if (!count) {
            return std::nullopt;
        }
        std::string_view bytes(buffer.data(), *count);
        const auto end = bytes.find(kEndOfFile);
        if (!lines.add(bytes.substr(0, end)) || end != std::string_view::npos || *count == 0) {
            return lines.finish();
        }
    }
}

} // namespace korvel::text
