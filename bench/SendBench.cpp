// The program's own time per Send, with a library that returns at once and no pause, against
// the time the same bytes take on a 19,200 bit/s serial line (8N1: ten bits a byte).

#include "link/EncoderLibrary.h"
#include "link/Transactions.h"
#include "model/Clock.h"
#include "model/StationSettings.h"
#include "operations/EncoderTextWriter.h"
#include "operations/StationSend.h"
#include "text/CodePage.h"
#include "text/DynamicPs.h"
#include "text/RadiotextRotation.h"
#include "text/RdsConversion.h"

#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using namespace korvel;

constexpr double kLineBitsPerSecond = 19200.0;
constexpr double kBitsPerByte = 10.0;

// Counts the bytes that would cross the line, and returns at once.
class CountingLibrary : public link::EncoderLibrary {
public:
    void ConnectionSetup(int, int, bool, bool) override {}
    bool Connect() override { return true; }
    void Disconnect() override {}
    bool Send(int count, const std::uint8_t*) override {
        bytes += count + 1; // the address and the data
        return true;
    }
    void Receive(std::uint8_t*, int, int) override {}

    long long bytes = 0;
};

// Each reading of the time is a second later, so that every Send passes its guard; no pause.
class SteppingClock : public model::Clock {
public:
    model::LocalTime now() const override {
        ++m_seconds;
        return {.hour = static_cast<int>(m_seconds / 3600 % 24),
                .minute = static_cast<int>(m_seconds / 60 % 60),
                .second = static_cast<int>(m_seconds % 60)};
    }
    model::LocalTime later(std::chrono::seconds) const override { return now(); }
    void pause(std::chrono::milliseconds) override {}

private:
    mutable long long m_seconds = 0;
};

void BM_Send(benchmark::State& state) {
    model::StationSettings settings;
    CountingLibrary library;
    SteppingClock clock;
    link::Transactions transactions(library, settings);
    const text::CodePage codePage(1252);
    const text::RdsConversion conversion(codePage);
    text::DynamicPs dynamicPs(settings);
    operations::EncoderTextWriter writer(settings, transactions, conversion);
    text::RadiotextRotation rotation(settings, writer);
    operations::StationSend send({settings, transactions, conversion, dynamicPs, rotation, clock});
    // A full station: every AF row, a full radiotext, the user group and a 72-character dynamic PS.
    settings.setText("PSDEF", "KORVEL");
    for (int row = 0; row < 15; ++row) {
        settings.setCell("SGAF", row, 1, "9" + std::to_string(row % 10) + ".5");
    }
    settings.setText("RT1", std::string(64, 'R'));
    settings.setFlag("CBUDGEN", true);
    settings.setFlag("DPS1EN", true);
    settings.setText("DPS1B", std::string(72, 'D'));
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        send.BSEND1Click();
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    const double bytesPerSend = static_cast<double>(library.bytes) / static_cast<double>(state.iterations());
    const double lineSeconds = bytesPerSend * kBitsPerByte / kLineBitsPerSecond;
    state.counters["bytes"] = bytesPerSend;
    state.counters["line_ms"] = lineSeconds * 1000.0;
    // The program's own time as a share of the line's time: the figure to keep below 1 %.
    const double sendSeconds = elapsed.count() / static_cast<double>(state.iterations());
    state.counters["percent_of_line"] = 100.0 * sendSeconds / lineSeconds;
}
BENCHMARK(BM_Send)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
