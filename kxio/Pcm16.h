#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

namespace korvel::kxio {

// Samples of -1..1 as signed 16-bit values, clipped at full scale.
inline void toPcm16(std::span<const float> samples, std::vector<std::int16_t>& out) {
    constexpr float kFullScale = 32767.0F;
    out.resize(samples.size());
    std::transform(samples.begin(), samples.end(), out.begin(), [](float sample) {
        return static_cast<std::int16_t>(std::lround(std::clamp(sample, -1.0F, 1.0F) * kFullScale));
    });
}

} // namespace korvel::kxio
