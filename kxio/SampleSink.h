#pragma once

#include <span>

namespace korvel::kxio {

// Where the subcarrier's samples go (values -1..1 at 192 kHz, one channel).
class SampleSink {
public:
    SampleSink() = default;
    SampleSink(const SampleSink&) = delete;
    SampleSink& operator=(const SampleSink&) = delete;
    virtual ~SampleSink() = default;

    // False when the samples could not be delivered and never will be (a closed pipe, a full disk).
    [[nodiscard]] virtual bool write(std::span<const float> samples) = 0;

    // True for a device that takes samples only at its own rate: its writes keep the time.
    [[nodiscard]] virtual bool keepsTime() const { return false; }
};

} // namespace korvel::kxio
