#pragma once

#include "kxio/Register.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvel::kxio {

// What a receiver's 8-character display shows of the dynamic PS, one tick at a time: the text of
// the DPS registers in labels or scrolling as the mode, label period, speed and delay registers
// say, and the static PS between loops. The control panel's preview models this sequence, so the
// two must agree tick for tick. One tick is one full transmission of the PS label.
class DynamicPsDisplay {
public:
    static constexpr std::size_t kLabelLength = 8;
    using Label = std::array<std::uint8_t, kLabelLength>;

    // Advances one tick and returns the label to send. A new text or mode, or the dynamic PS
    // switched on again, starts the sequence afresh.
    [[nodiscard]] Label tick(const RegisterMemory& memory);

private:
    enum class Mode : std::uint8_t { Fixed, Scrolling, WordAligned, SpacedScrolling };

    [[nodiscard]] bool running() const;
    void restart(const RegisterMemory& memory, std::vector<std::uint8_t> text, Mode mode);
    void advance(const RegisterMemory& memory);
    void startLoop();
    void nextLabel();
    void findWordEnd();
    [[nodiscard]] int loopEnd() const;
    [[nodiscard]] Label window() const;

    std::vector<std::uint8_t> m_text;
    Mode m_mode = Mode::Fixed;
    bool m_active = false;
    int m_position = 0;
    int m_labelCounter = 0;
    int m_delayCounter = 0;
    int m_wordEnd = 0;
};

} // namespace korvel::kxio
