#include "kxio/AlsaSink.h"

#include "kxio/Pcm16.h"
#include "kxio/SubcarrierModulator.h"

#include <alsa/asoundlib.h>

namespace korvel::kxio {

namespace {

constexpr unsigned kLatency_us = 200'000; // enough for a busy machine, short enough to stop quickly
constexpr int kNoResampling = 0;

} // namespace

std::unique_ptr<AlsaSink> AlsaSink::open(const std::string& device) {
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, device.c_str(), SND_PCM_STREAM_PLAYBACK, 0) < 0) {
        return nullptr;
    }
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                           SubcarrierModulator::kSampleRate_Hz, kNoResampling, kLatency_us) < 0) {
        snd_pcm_close(pcm);
        return nullptr;
    }
    return std::unique_ptr<AlsaSink>{new AlsaSink{pcm}};
}

// The card plays out what its buffer holds, the last groups, before it closes: at most the latency.
AlsaSink::~AlsaSink() {
    snd_pcm_drain(m_pcm);
    snd_pcm_close(m_pcm);
}

// An underrun (the machine was busy) is recovered from and the samples go on.
bool AlsaSink::write(std::span<const float> samples) {
    toPcm16(samples, m_buffer);
    std::span<const std::int16_t> left{m_buffer};
    while (!left.empty()) {
        const snd_pcm_sframes_t written = snd_pcm_writei(m_pcm, left.data(), left.size());
        if (written < 0) {
            if (snd_pcm_recover(m_pcm, static_cast<int>(written), 1) < 0) {
                return false;
            }
            continue;
        }
        left = left.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace korvel::kxio
