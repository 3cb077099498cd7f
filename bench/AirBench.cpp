// How fast the emulated encoder makes its signal: one second on air (11.4 groups, 192,000 samples)
// from the registers to 16-bit WAV samples, against the one second real time allows. The
// "realtime_x" counter is the headroom: how many times faster than real time it runs.
#include "kxio/BlockCoder.h"
#include "kxio/GroupHexWriter.h"
#include "kxio/GroupScheduler.h"
#include "kxio/SubcarrierModulator.h"
#include "kxio/WavWriter.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace korvel::kxio;

constexpr int kGroupsPerSecond = 2375 * 1000 / 208; // 11.418 groups per second, in thousandths

AirState station() {
    AirState state;
    state.memory.fill(0x20);
    const std::string ps = "KORVEL 1";
    const std::string text = "THE QUICK BROWN FOX";
    std::copy(ps.begin(), ps.end(), state.memory.begin() + index(Register::ProgrammeService));
    state.memory[index(Register::PiHigh)] = 0x2F;
    state.memory[index(Register::PiLow)] = 0x0A;
    state.memory[index(Register::AfCount)] = 3;
    state.memory[index(Register::RadiotextControl)] = 1;
    state.memory[index(Register::UserGroupEnable)] = 1;
    state.memory[index(Register::DpsDelay)] = 1;
    state.memory[index(Register::DpsMode)] = 2;
    state.memory[index(Register::DpsLabelPeriod)] = 1;
    state.memory[index(Register::DpsLength)] = static_cast<std::uint8_t>(text.size());
    std::copy(text.begin(), text.end(), state.memory.begin() + index(Register::DpsText));
    return state;
}

void OneSecondOnAir(benchmark::State& benchState) {
    const AirState state = station();
    GroupScheduler scheduler;
    SubcarrierModulator modulator{SubcarrierModulator::Levels{}};
    const auto sink = WavWriter::createFile("/dev/null");
    GroupHexWriter hex{"/dev/null"};
    std::vector<float> samples;
    std::int64_t groups = 0;
    std::int64_t seconds = 0;
    for (auto _ : benchState) {
        // Whole groups up to the end of the next second of signal.
        const std::int64_t target = ++seconds * kGroupsPerSecond / 1000;
        for (; groups < target; ++groups) {
            const std::optional<RdsGroup> group = scheduler.next(state);
            hex.write(*group);
            samples.clear();
            modulator.modulate(BlockCoder::bits(*group), true, samples);
            benchmark::DoNotOptimize(sink->write(samples));
        }
    }
    benchState.counters["realtime_x"] =
        benchmark::Counter(static_cast<double>(benchState.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(OneSecondOnAir)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
