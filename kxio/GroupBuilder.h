#pragma once

#include "kxio/DynamicPsDisplay.h"
#include "kxio/RdsGroup.h"
#include "kxio/Register.h"

#include <cstddef>
#include <optional>

namespace korvel::kxio {

// Lays the registers out as RDS groups (IEC 62106). The basic tuning and radiotext groups carry
// their text a segment at a time; the builder keeps which segment and which AF pair come next.
class GroupBuilder {
public:
    // Group 0A: the next of the four segments of the label, with the DI bit of that segment, and
    // the next pair of the AF list (method A).
    [[nodiscard]] RdsGroup basicTuning(const RegisterMemory& memory, const DynamicPsDisplay::Label& label);

    // Group 2A: the next segment of the radiotext, up to the first carriage return or all 64
    // characters. A changed A/B flag starts the text again from its first segment.
    [[nodiscard]] RdsGroup radiotext(const RegisterMemory& memory);

    // A group given as its type byte and bytes 4..8 (the user-defined group, the clock time), with
    // the TP flag and the programme type put in as in every group.
    [[nodiscard]] static RdsGroup fromBytes(const RegisterMemory& memory, Register typeByte);

    [[nodiscard]] static bool radiotextOn(const RegisterMemory& memory);
    [[nodiscard]] static bool userGroupOn(const RegisterMemory& memory);

private:
    unsigned m_psSegment = 0;
    std::size_t m_afPair = 0;
    unsigned m_rtSegment = 0;
    std::optional<bool> m_rtFlag;
};

} // namespace korvel::kxio
