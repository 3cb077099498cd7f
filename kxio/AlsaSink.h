#pragma once

#include "kxio/SampleSink.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct _snd_pcm;

namespace korvel::kxio {

// Samples to a sound card through ALSA, 16-bit mono at 192 kHz, never resampled: a card that
// cannot play 192 kHz is refused rather than given a signal without its 57 kHz subcarrier. The
// card's clock sets the pace.
class AlsaSink : public SampleSink {
public:
    // Nothing when the device cannot be opened at 192 kHz.
    [[nodiscard]] static std::unique_ptr<AlsaSink> open(const std::string& device);
    ~AlsaSink() override;

    [[nodiscard]] bool write(std::span<const float> samples) override;
    [[nodiscard]] bool keepsTime() const override { return true; }

private:
    explicit AlsaSink(_snd_pcm* pcm)
        : m_pcm{pcm} {}

    _snd_pcm* m_pcm;
    std::vector<std::int16_t> m_buffer;
};

} // namespace korvel::kxio
