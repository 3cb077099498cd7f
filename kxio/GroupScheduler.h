#pragma once

#include "kxio/AirState.h"
#include "kxio/DynamicPsDisplay.h"
#include "kxio/GroupBuilder.h"
#include "kxio/RdsGroup.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace korvel::kxio {

// Chooses the group for each slot of the stream. A cycle sends the whole PS label in four 0A
// groups, then one 2A group when radiotext is on and the user-defined group when it is enabled;
// the dynamic PS display moves on once per cycle, so its tick lasts 4, 5 or 6 groups
// (about 350, 438 or 526 ms). A clock-time trigger puts the 4A group into the very next slot.
class GroupScheduler {
public:
    // The next group, or nothing while the carrier is off.
    [[nodiscard]] std::optional<RdsGroup> next(const AirState& state);

private:
    enum class Slot : std::uint8_t { BasicTuning, Radiotext, UserGroup };

    [[nodiscard]] bool clockTimeDue(const AirState& state);
    [[nodiscard]] Slot nextSlot(const RegisterMemory& memory);
    [[nodiscard]] static bool slotOn(Slot slot, const RegisterMemory& memory);

    GroupBuilder m_builder;
    DynamicPsDisplay m_display;
    DynamicPsDisplay::Label m_label{};
    std::size_t m_slot = 0;
    std::optional<std::uint32_t> m_clockTimeTriggers;
};

} // namespace korvel::kxio
