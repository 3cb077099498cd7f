// The time from a title written into a watched source file to its radiotext transaction
// reaching the I/O library, in the running window with the poll's timer at its 3 seconds.
// Target: under 500 ms at the 95th percentile. The first title comes before the first poll has
// told the watch what to watch, so it waits for the timer.

#include "app/panel/Panel.h"
#include "app/panel/SystemClock.h"
#include "app/window/TForm1.h"
#include "app/window/WindowThread.h"
#include "link/EncoderLibrary.h"
#include "model/Dialogs.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace korvel;
using Clock = std::chrono::steady_clock;

constexpr int kTitles = 60;
constexpr std::uint8_t kRadiotextControl = 0x1F;
constexpr int kRadiotextLoad = 65; // the control byte and the 64 characters

// Notes when the radiotext load of a title crosses it.
class TimingLibrary : public link::EncoderLibrary {
public:
    void ConnectionSetup(int, int, bool, bool) override {}
    bool Connect() override { return true; }
    void Disconnect() override {}
    bool Send(int count, const std::uint8_t* block) override {
        if (block[0] == kRadiotextControl && count == kRadiotextLoad) {
            const std::string text(block + 2, block + 2 + kRadiotextLoad - 1);
            if (text.find(expected) == 0) {
                arrived = Clock::now();
            }
        }
        return true;
    }
    void Receive(std::uint8_t*, int, int) override {}

    std::string expected;
    std::optional<Clock::time_point> arrived;
};

class NoDialogs : public model::Dialogs {
public:
    bool askYesNo(std::string_view) override { return true; }
    void showError(std::string_view) override {}
    void showInformation(std::string_view) override {}
    std::optional<std::string> chooseFile(std::string_view) override { return std::nullopt; }
};

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    const auto folder = std::filesystem::temp_directory_path() / "korvel-bench-latency";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const text::CodePage codePage(1252);
    TimingLibrary library;
    NoDialogs dialogs;
    app::SystemClock clock([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    app::Panel panel({.codePage = codePage,
                      .decimalSeparator = '.',
                      .timeSeparator = ':',
                      .library = library,
                      .dialogs = dialogs,
                      .clock = clock,
                      .postToWindow = app::WindowThread::post});
    app::TForm1 window(panel);
    panel.FormCreate(window);
    auto& settings = panel.settings();
    settings.program().programFolder = folder.string() + "/";
    settings.setText("ER1F", "nowplaying*.txt");
    settings.setFlag("CBR1FF", true);
    settings.setFlag("CBRTEN", true);
    std::mt19937 random(42);
    std::uniform_int_distribution<int> pause_ms(300, 1500);
    const auto runFor = [](std::chrono::milliseconds duration) {
        const auto end = Clock::now() + duration;
        while (Clock::now() < end) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
    };
    std::vector<double> latency_ms;
    for (int title = 0; title < kTitles; ++title) {
        runFor(std::chrono::milliseconds(pause_ms(random)));
        library.expected = "Title number " + std::to_string(title);
        library.arrived.reset();
        const auto written = Clock::now();
        std::ofstream(folder / "nowplaying.txt", std::ios::trunc) << library.expected << "\r\n";
        while (!library.arrived && Clock::now() - written < std::chrono::seconds(10)) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        if (library.arrived) {
            latency_ms.push_back(
                std::chrono::duration<double, std::milli>(*library.arrived - written).count());
        }
    }
    if (!panel.FormClose()) {
        std::printf("the panel refused to close\n");
    }
    std::filesystem::remove_all(folder);
    if (latency_ms.empty()) {
        std::printf("no title reached the library\n");
        return 1;
    }
    const double first_ms = latency_ms.front();
    std::sort(latency_ms.begin(), latency_ms.end());
    std::printf("titles: %d, on air: %zu\n", kTitles, latency_ms.size());
    std::printf("first title: %.0f ms\n", first_ms);
    std::printf("median: %.0f ms, 95th percentile: %.0f ms, worst: %.0f ms\n",
                latency_ms[latency_ms.size() / 2], latency_ms[latency_ms.size() * 95 / 100],
                latency_ms.back());
    return 0;
}
