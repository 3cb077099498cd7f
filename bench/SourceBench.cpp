// The text source poll's reading: one poll over a folder of 10,000 files that all match the
// mask, against plain scans of the same folder (target: at most twice the scan with times), and
// the "Last line" of a 100 MB file.

#include "text/LocalFileSystem.h"
#include "text/SourceLines.h"
#include "text/SourceReader.h"

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

using namespace korvel;

constexpr int kFiles = 10000;
constexpr std::size_t kBigFile = 100 * 1024 * 1024;
constexpr std::size_t kBigLine = 100; // bytes per line of the big file

// The folders live as long as the benchmark run and are made once.
const std::string& manyFiles() {
    static const std::string folder = [] {
        const auto path = std::filesystem::temp_directory_path() / "korvel-bench-many";
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        for (int i = 0; i < kFiles; ++i) {
            std::ofstream(path / ("title" + std::to_string(i) + ".txt")) << "Title " << i << "\n";
        }
        return path.string() + "/";
    }();
    return folder;
}

const std::string& bigFile() {
    static const std::string file = [] {
        const auto path = std::filesystem::temp_directory_path() / "korvel-bench-big.txt";
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        std::string line(kBigLine - 2, 'x');
        line += "\r\n";
        for (std::size_t written = 0; written < kBigFile; written += line.size()) {
            out << line;
        }
        out << "Last title\r\n";
        return path.string();
    }();
    return file;
}

text::SourceReader reader() {
    return text::SourceReader(std::make_shared<text::LocalFileSystem>(), text::CodePage(1252));
}

void BM_PollOfTenThousandMatchingFiles(benchmark::State& state) {
    const std::string& folder = manyFiles();
    const text::SourceReader sources = reader();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            sources.read({folder + "*.txt", text::SourceLines::Take::LastLine, 0, 0}, ""));
    }
}
BENCHMARK(BM_PollOfTenThousandMatchingFiles)->Unit(benchmark::kMillisecond);

// What every listing with last-write times costs: the names and one stat each.
void BM_PlainScanWithTimes(benchmark::State& state) {
    const std::string& folder = manyFiles();
    for (auto _ : state) {
        DIR* dir = opendir(folder.c_str());
        long long newest = 0;
        while (const dirent* entry = readdir(dir)) {
            struct stat status {};
            if (fstatat(dirfd(dir), entry->d_name, &status, 0) == 0) {
                newest = std::max<long long>(newest, status.st_mtim.tv_sec);
            }
        }
        closedir(dir);
        benchmark::DoNotOptimize(newest);
    }
}
BENCHMARK(BM_PlainScanWithTimes)->Unit(benchmark::kMillisecond);

// The names alone, which cannot tell the newest file.
void BM_PlainScanOfNames(benchmark::State& state) {
    const std::string& folder = manyFiles();
    for (auto _ : state) {
        DIR* dir = opendir(folder.c_str());
        std::size_t names = 0;
        while (readdir(dir) != nullptr) {
            ++names;
        }
        closedir(dir);
        benchmark::DoNotOptimize(names);
    }
}
BENCHMARK(BM_PlainScanOfNames)->Unit(benchmark::kMillisecond);

void BM_LastLineOf100MB(benchmark::State& state) {
    const std::string& file = bigFile();
    const text::SourceReader sources = reader();
    for (auto _ : state) {
        const text::SourceText text = sources.read({file, text::SourceLines::Take::LastLine, 0, 0}, "");
        if (text.text != "Last title") {
            state.SkipWithError("wrong line");
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kBigFile));
}
BENCHMARK(BM_LastLineOf100MB)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
