#include "kxio/SubcarrierModulator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvel::kxio {

namespace {

// 192 kHz / 1187.5 bit/s = 3072 / 19 samples per bit: time is counted exactly in 1/3072 of a bit,
// 19 of them per sample.
constexpr std::uint64_t kTicksPerBit = 3072;
constexpr std::uint64_t kTicksPerSample = 19;
constexpr std::size_t kCarrierPeriod_samples = 64; // 19 cycles of 57 kHz
constexpr std::size_t kPilotPeriod_samples = 192;  // 19 cycles of 19 kHz
constexpr double kCarrierCycles = 19.0;
constexpr double kPhaseStep_deg = 9.47;
constexpr double kPi = std::numbers::pi;

// The data-shaping filter's impulse response, cos(pi f td / 4) up to f = 2 / td, at x bit periods.
double shapingFilter(double x) {
    const double a = kPi / 4;
    const double b = 2 * kPi * x;
    const auto term = [](double w) { return std::abs(w) < 1e-9 ? 2.0 : std::sin(2 * w) / w; };
    return term(a - b) + term(a + b);
}

// A biphase symbol: an impulse at the start of the bit and an opposite one half a bit later, shaped.
std::vector<float> shapedSymbol(int reach) {
    const std::size_t length = (2 * static_cast<std::size_t>(reach) + 1) * kTicksPerBit;
    std::vector<double> values(length);
    for (std::size_t t = 0; t < length; ++t) {
        const double x = static_cast<double>(t) / kTicksPerBit - reach;
        values[t] = shapingFilter(x) - shapingFilter(x - 0.5);
    }
    // Scale so that the worst sum of overlapping symbols peaks at 1.
    double peak = 0;
    for (std::size_t t = 0; t < kTicksPerBit; ++t) {
        double sum = 0;
        for (std::size_t k = t; k < length; k += kTicksPerBit) {
            sum += std::abs(values[k]);
        }
        peak = std::max(peak, sum);
    }
    std::vector<float> symbol(length);
    std::transform(values.begin(), values.end(), symbol.begin(),
                   [peak](double v) { return static_cast<float>(v / peak); });
    return symbol;
}

std::vector<float> sine(std::size_t period, double cycles, double phase_deg, double amplitude) {
    std::vector<float> table(period);
    for (std::size_t n = 0; n < period; ++n) {
        const double angle = 2 * kPi * cycles * static_cast<double>(n) / static_cast<double>(period);
        table[n] = static_cast<float>(amplitude * std::sin(angle + phase_deg * kPi / 180));
    }
    return table;
}

} // namespace

SubcarrierModulator::SubcarrierModulator(Levels levels)
    : m_levels{levels}
    , m_symbol{shapedSymbol(kReach_bits)}
    , m_carrier{sine(kCarrierPeriod_samples, kCarrierCycles, 0, levels.rds)}
    , m_pilot{sine(kPilotPeriod_samples, kCarrierCycles, 0, levels.pilot)} {}

void SubcarrierModulator::setPhaseSteps(std::uint8_t steps) {
    if (steps != m_phaseSteps) {
        m_phaseSteps = steps;
        m_carrier = sine(kCarrierPeriod_samples, kCarrierCycles, steps * kPhaseStep_deg, m_levels.rds);
    }
}

void SubcarrierModulator::modulate(std::span<const std::uint8_t> bits, bool carrierOn,
                                   std::vector<float>& out) {
    for (const std::uint8_t bit : bits) {
        appendBit(bit, carrierOn, out);
    }
}

// Bits of no amplitude release the held-back samples, and the last symbol dies away into them.
void SubcarrierModulator::finish(std::vector<float>& out) {
    for (int i = 0; i < 2 * kReach_bits; ++i) {
        appendBit(0, false, out);
    }
}

void SubcarrierModulator::appendBit(std::uint8_t bit, bool carrierOn, std::vector<float>& out) {
    m_lastCoded = static_cast<std::uint8_t>((m_lastCoded ^ bit) & 1u);
    const float symbol = !carrierOn ? 0.0F : (m_lastCoded != 0 ? 1.0F : -1.0F);
    m_symbols[m_bits % kHistory] = symbol;
    ++m_bits;
    if (m_bits <= kReach_bits) {
        return;
    }
    // Every symbol that reaches a sample before this bit period minus the reach is known now.
    const std::uint64_t ready = (m_bits - kReach_bits) * kTicksPerBit;
    for (; m_nextSample * kTicksPerSample < ready; ++m_nextSample) {
        const float carrier = m_carrier[m_nextSample % kCarrierPeriod_samples];
        out.push_back(baseband(m_nextSample) * carrier + m_pilot[m_nextSample % kPilotPeriod_samples]);
    }
}

float SubcarrierModulator::baseband(std::uint64_t sample) const {
    const std::uint64_t time = sample * kTicksPerSample;
    const std::int64_t bit = static_cast<std::int64_t>(time / kTicksPerBit);
    const std::uint64_t within = time % kTicksPerBit;
    float sum = 0;
    for (std::int64_t k = std::max<std::int64_t>(bit - kReach_bits, 0); k <= bit + kReach_bits; ++k) {
        const std::uint64_t offset =
            within + static_cast<std::uint64_t>(bit - k + kReach_bits) * kTicksPerBit;
        sum += m_symbol[offset] * m_symbols[static_cast<std::uint64_t>(k) % kHistory];
    }
    return sum;
}

} // namespace korvel::kxio
