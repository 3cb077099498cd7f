#include "text/SourceReader.h"

#include "encoder/MemoryMap.h"
#include "text/NameMask.h"
#include "text/Utf8.h"

#include <array>
#include <ctime>
#include <utility>

namespace korvel::text {

namespace {

constexpr char kSeparator = '/';
// What the code page gets for a character of a UTF-8 title that it lacks.
constexpr char kMissingCharacter = '?';

// A last-write time as the local date and time packed at 2-second steps: files written within
// the same two seconds count as written at the same time.
std::int64_t packedLocalTime(std::int64_t seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr) {
        return 0;
    }
    // The fields of a packed date and time below the year, most significant first, each in bits
    // of its own.
    const std::array<std::pair<int, int>, 5> fields{{{4, local.tm_mon},
                                                     {5, local.tm_mday},
                                                     {5, local.tm_hour},
                                                     {6, local.tm_min},
                                                     {5, local.tm_sec / 2}}};
    std::int64_t packed = local.tm_year;
    for (const auto& [bits, value] : fields) {
        packed = packed << bits | value;
    }
    return packed;
}

std::string cut(const std::string& text, int beginning, int end) {
    const auto length = static_cast<int>(text.size());
    if (beginning + end >= length) {
        return {};
    }
    return text.substr(static_cast<std::size_t>(beginning),
                       static_cast<std::size_t>(length - beginning - end));
}

} // namespace

SourceReader::SourceReader(std::shared_ptr<const FileSystem> fileSystem, CodePage codePage)
    : m_fileSystem(std::move(fileSystem))
    , m_codePage(std::move(codePage)) {}

std::string SourceReader::resolve(std::string_view name, const std::string& programFolder) {
    if (name.starts_with(kSeparator)) {
        return std::string(name);
    }
    return programFolder + std::string(name);
}

std::string_view SourceReader::folderOf(std::string_view path) {
    const auto separator = path.rfind(kSeparator);
    return separator == std::string_view::npos ? std::string_view{} : path.substr(0, separator + 1);
}

SourceText SourceReader::read(const SourceOptions& options, const std::string& programFolder) const {
    const std::string name = resolve(options.name, programFolder);
    const std::string folder(folderOf(name));
    const std::optional<FileSystem::Entry> file =
        newest(folder, std::string_view(name).substr(folder.size()));
    if (!file) {
        return {};
    }
    SourceText source{.readOk = false, .text = {}, .path = folder + file->name};
    const std::unique_ptr<InputFile> input = m_fileSystem->open(source.path);
    std::optional<SourceLines::Line> line;
    if (input) {
        line = SourceLines::read(*input, options.take);
    }
    if (!line) {
        return source;
    }
    std::string text = encoder::trimmedRegisterText(line->text);
    if (line->utf8) {
        text = toCodePage(std::move(text));
    }
    source.readOk = true;
    source.text = cut(text, options.cutBeginning, options.cutEnd);
    return source;
}

// The newest by the packed time; of equal ones, the first by name, so that the choice does not
// depend on the order in which the file system happens to list them.
std::optional<FileSystem::Entry> SourceReader::newest(const std::string& folder,
                                                      std::string_view mask) const {
    const NameMask match{std::string(mask)};
    std::optional<FileSystem::Entry> best;
    std::int64_t bestTime = 0;
    for (FileSystem::Entry& entry :
         m_fileSystem->files(folder, [&match](std::string_view name) { return match.matches(name); })) {
        const std::int64_t time = packedLocalTime(entry.lastWrite_s);
        if (!best || time > bestTime || (time == bestTime && entry.name < best->name)) {
            bestTime = time;
            best = std::move(entry);
        }
    }
    return best;
}

// A text that does not decode keeps its bytes.
std::string SourceReader::toCodePage(std::string text) const {
    const std::optional<std::u32string> decoded = Utf8::decode(text);
    if (!decoded || decoded->empty()) {
        return text;
    }
    std::string bytes;
    bytes.reserve(decoded->size());
    for (const char32_t c : *decoded) {
        bytes.push_back(static_cast<char>(m_codePage.fromUnicode(c).value_or(kMissingCharacter)));
    }
    return bytes;
}

} // namespace korvel::text
