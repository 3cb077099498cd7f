// Any bytes as a playout file, read with the options of a text source: first or last line, the
// cuts at both ends, a plain name or a mask, and the file handed over in reads of any size.
#include "FuzzInput.h"
#include "text/CodePage.h"
#include "text/FileSystem.h"
#include "text/NameMask.h"
#include "text/SourceReader.h"

#include <memory>
#include <vector>

namespace korvel::fuzz {
namespace {

// A folder of playout files in memory, its files read in pieces of a chosen size.
class MemoryFileSystem : public text::FileSystem {
public:
    struct File {
        std::string name;
        std::string bytes;
        std::int64_t lastWrite_s;
    };

    MemoryFileSystem(std::vector<File> files, std::size_t pieceSize)
        : m_files(std::move(files))
        , m_pieceSize(pieceSize) {}

    std::vector<Entry> files(const std::string& folder, const NameFilter& filter) const override {
        std::vector<Entry> entries;
        for (const File& file : m_files) {
            if (folder == kFolder && filter(file.name)) {
                entries.push_back({file.name, file.lastWrite_s});
            }
        }
        return entries;
    }

    std::unique_ptr<text::InputFile> open(const std::string& path) const override {
        for (const File& file : m_files) {
            if (path == kFolder + file.name) {
                return std::make_unique<Piecewise>(file.bytes, m_pieceSize);
            }
        }
        return nullptr;
    }

    static constexpr const char* kFolder = "/air/";

private:
    class Piecewise : public text::InputFile {
    public:
        Piecewise(std::string_view bytes, std::size_t pieceSize)
            : m_rest(bytes)
            , m_pieceSize(pieceSize) {}
        std::optional<std::size_t> read(std::span<char> buffer) override {
            const std::size_t count = std::min({buffer.size(), m_pieceSize, m_rest.size()});
            std::copy_n(m_rest.begin(), count, buffer.begin());
            m_rest.remove_prefix(count);
            return count;
        }

    private:
        std::string_view m_rest;
        std::size_t m_pieceSize;
    };

    std::vector<File> m_files;
    std::size_t m_pieceSize;
};

// clang-format off
constexpr std::array<const char*, 5> kNames{
    "now.txt",     // the file itself
    "*.txt",       // the newest of two
    "n?w.*",       // one of them by pattern
    "/air/now.txt",
    "",            // a mask taken from the input
};
// clang-format on

// The largest piece a read hands over: the whole buffer, or a few bytes so that lines and the
// byte order mark straddle the pieces.
constexpr std::array<std::size_t, 4> kPieceSizes{1, 3, 4096, std::size_t(-1)};

// The older file beside the input's, which "*.txt" passes over and a mask such as "o*" picks.
constexpr std::string_view kOldFile = "old\n";

} // namespace
} // namespace korvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvel;
    fuzz::FuzzInput input(data, size);
    text::SourceOptions options;
    options.take = input.flag() ? text::SourceLines::Take::LastLine : text::SourceLines::Take::FirstLine;
    options.cutBeginning = input.between(0, 63);
    options.cutEnd = input.between(0, 63);
    const std::size_t pieceSize = fuzz::kPieceSizes[input.choice(fuzz::kPieceSizes.size())];
    const int codePage = fuzz::kCodePages[input.choice(fuzz::kCodePages.size())];
    options.name = fuzz::kNames[input.choice(fuzz::kNames.size())];
    if (options.name.empty()) {
        options.name = input.line();
    }
    const std::string bytes(input.rest());
    auto files = std::make_shared<fuzz::MemoryFileSystem>(
        std::vector<fuzz::MemoryFileSystem::File>{{"now.txt", bytes, 1'700'000'010},
                                                  {"old.txt", std::string(fuzz::kOldFile), 1'700'000'000}},
        pieceSize);
    const text::SourceReader reader(files, text::CodePage(codePage));
    const text::SourceText source = reader.read(options, fuzz::MemoryFileSystem::kFolder);
    // The cuts take their bytes off a title that is never longer than the part of a line kept,
    // from whichever of the two files the name picked.
    const auto cuts = static_cast<std::size_t>(options.cutBeginning + options.cutEnd);
    const std::size_t longestFile = std::max(bytes.size(), fuzz::kOldFile.size());
    fuzz::require(source.text.empty() ||
                      source.text.size() + cuts <= std::min(longestFile, text::SourceLines::kKeptLength),
                  "a title is its line less the cuts");
    static_cast<void>(text::NameMask(options.name).matches(bytes.substr(0, 64)));
    return 0;
}
