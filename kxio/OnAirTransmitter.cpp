#include "kxio/OnAirTransmitter.h"

#include "kxio/AlsaSink.h"
#include "kxio/BlockCoder.h"
#include "kxio/GroupHexWriter.h"
#include "kxio/GroupScheduler.h"
#include "kxio/SampleSink.h"
#include "kxio/SubcarrierModulator.h"
#include "kxio/WavWriter.h"

#include <csignal>
#include <memory>
#include <optional>
#include <pthread.h>
#include <vector>

namespace korvel::kxio {

namespace {

using Clock = std::chrono::steady_clock;

// One group lasts 104 bits at 1187.5 bit/s: 208/2375 s.
constexpr std::int64_t kGroupNumerator_ns = 208'000'000'000;
constexpr std::int64_t kGroupDenominator = 2375;
// Further behind than this (a suspended machine), the stream starts its timing afresh.
constexpr std::chrono::seconds kMaxLag{1};
constexpr std::chrono::milliseconds kDeviceLead{300};

Clock::duration groupsDuration(std::int64_t groups) {
    return std::chrono::nanoseconds{groups * kGroupNumerator_ns / kGroupDenominator};
}

std::unique_ptr<SampleSink> openSampleSink(const AirConfig& config) {
    switch (config.samples) {
    case AirConfig::Samples::WavFile:
        return WavWriter::createFile(config.samplesTarget);
    case AirConfig::Samples::Stdout:
        return WavWriter::standardOutput();
    case AirConfig::Samples::Alsa:
        return AlsaSink::open(config.samplesTarget);
    case AirConfig::Samples::Off:
        break;
    }
    return nullptr;
}

// The modulator keeps the last bits of every group until the next group comes: an output that
// closes gets them now, or its last group could never be decoded. It closes whatever the write says.
void sendHeldBack(SubcarrierModulator& modulator, SampleSink* sink) {
    if (sink != nullptr) {
        std::vector<float> samples;
        modulator.finish(samples);
        static_cast<void>(sink->write(samples));
    }
}

// A write to a pipe whose reader has gone must fail, not end the program.
void blockBrokenPipeSignal() {
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
}

} // namespace

OnAirTransmitter::OnAirTransmitter(const RegisterMirror& mirror, AirConfig config)
    : m_mirror{mirror}
    , m_config{std::move(config)} {
    if (m_config.anyOutput()) {
        m_thread = std::thread{[this] { run(); }};
    }
}

OnAirTransmitter::~OnAirTransmitter() {
    {
        const std::scoped_lock lock{m_mutex};
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void OnAirTransmitter::run() noexcept {
    try {
        blockBrokenPipeSignal();
        transmit();
    } catch (...) {
        // Off the air, but the library's calls go on as before.
    }
}

void OnAirTransmitter::transmit() {
    std::optional<GroupHexWriter> hex;
    if (m_config.groups) {
        hex.emplace(*m_config.groups);
    }
    std::unique_ptr<SampleSink> sink = openSampleSink(m_config);
    GroupScheduler scheduler;
    SubcarrierModulator modulator{m_config.levels};
    std::vector<float> samples;
    Clock::time_point start = Clock::now();
    for (std::int64_t sent = 0;; ++sent) {
        const AirState state = m_mirror.latest();
        const std::optional<RdsGroup> group = scheduler.next(state);
        if (group && hex) {
            hex->write(*group);
        }
        if (sink) {
            samples.clear();
            modulator.setPhaseSteps(at(state.memory, Register::Phase));
            modulator.modulate(BlockCoder::bits(group.value_or(RdsGroup{})), group.has_value(), samples);
            if (!sink->write(samples)) {
                sink.reset();
            }
        }
        // A sound card's writes wait for its own clock; this clock only holds back one that takes
        // samples faster than real time, keeping about its buffer ahead.
        const Clock::duration lead = sink && sink->keepsTime() ? kDeviceLead : Clock::duration::zero();
        Clock::time_point next = start + groupsDuration(sent + 1) - lead;
        if (Clock::now() - next > kMaxLag) {
            start = Clock::now() - groupsDuration(sent + 1);
            next = Clock::now();
        }
        if (waitUntil(next)) {
            sendHeldBack(modulator, sink.get());
            return;
        }
    }
}

bool OnAirTransmitter::waitUntil(Clock::time_point time) {
    std::unique_lock lock{m_mutex};
    return m_wake.wait_until(lock, time, [this] { return m_stop; });
}

} // namespace korvel::kxio
