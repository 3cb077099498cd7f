#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace korvel::kxio {

// Turns the RDS bit stream into the 57 kHz subcarrier with the 19 kHz pilot beside it, as samples at
// 192 kHz: each bit is differentially coded, sent as a biphase symbol shaped by the standard's
// cosine filter (IEC 62106), and the symbols amplitude-modulate a suppressed 57 kHz carrier.
class SubcarrierModulator {
public:
    static constexpr int kSampleRate_Hz = 192'000;
    static constexpr double kBitRate_Hz = 1187.5;

    // Peak levels as fractions of full scale; together at most 1, so the sum never clips.
    struct Levels {
        double rds = 0.04;
        double pilot = 0.09;
    };

    explicit SubcarrierModulator(Levels levels);

    // The subcarrier's phase against the pilot, in the phase register's steps of 9.47 degrees.
    void setPhaseSteps(std::uint8_t steps);

    // Appends the samples that the bits given complete. Samples lag the bits by a few bit periods,
    // the reach of the shaped symbol. A carrier that is off sends bits of no amplitude: only the
    // pilot stays.
    void modulate(std::span<const std::uint8_t> bits, bool carrierOn, std::vector<float>& out);

    // Appends the samples still held back, up to the end of the last bit's shaped symbol, for an
    // output that closes: without them the last group lacks its final bits.
    void finish(std::vector<float>& out);

private:
    static constexpr int kReach_bits = 3;
    static constexpr std::size_t kHistory = 2 * kReach_bits + 2;

    void appendBit(std::uint8_t bit, bool carrierOn, std::vector<float>& out);
    [[nodiscard]] float baseband(std::uint64_t sample) const;

    Levels m_levels;
    std::vector<float> m_symbol; // the shaped symbol, one value per 1/3072 of a bit
    std::vector<float> m_carrier;
    std::vector<float> m_pilot;
    std::uint8_t m_phaseSteps = 0;
    std::array<float, kHistory> m_symbols{}; // the latest symbols, -1..1, 0 for a carrier that is off
    std::uint8_t m_lastCoded = 0;
    std::uint64_t m_bits = 0;
    std::uint64_t m_nextSample = 0;
};

} // namespace korvel::kxio
