#include "kxio/GroupScheduler.h"

#include <array>

namespace korvel::kxio {

std::optional<RdsGroup> GroupScheduler::next(const AirState& state) {
    if (!state.carrierOn) {
        return std::nullopt;
    }
    if (clockTimeDue(state)) {
        return GroupBuilder::fromBytes(state.memory, Register::ClockTimeType);
    }
    switch (nextSlot(state.memory)) {
    case Slot::Radiotext:
        return m_builder.radiotext(state.memory);
    case Slot::UserGroup:
        return GroupBuilder::fromBytes(state.memory, Register::UserGroupType);
    case Slot::BasicTuning:
        break;
    }
    return m_builder.basicTuning(state.memory, m_label);
}

// Once for each run of trigger writes; a trigger from before the first group is not sent.
bool GroupScheduler::clockTimeDue(const AirState& state) {
    const bool due = m_clockTimeTriggers && *m_clockTimeTriggers != state.clockTimeTriggers;
    m_clockTimeTriggers = state.clockTimeTriggers;
    return due;
}

GroupScheduler::Slot GroupScheduler::nextSlot(const RegisterMemory& memory) {
    // clang-format off
    static constexpr std::array kCycle{
        Slot::BasicTuning, Slot::BasicTuning, Slot::BasicTuning, Slot::BasicTuning,
        Slot::Radiotext,
        Slot::UserGroup,
    };
    // clang-format on
    static_assert(kCycle.size() == 6);
    while (!slotOn(kCycle[m_slot], memory)) {
        m_slot = (m_slot + 1) % kCycle.size();
    }
    if (m_slot == 0) {
        m_label = m_display.tick(memory);
    }
    const Slot slot = kCycle[m_slot];
    m_slot = (m_slot + 1) % kCycle.size();
    return slot;
}

bool GroupScheduler::slotOn(Slot slot, const RegisterMemory& memory) {
    switch (slot) {
    case Slot::Radiotext:
        return GroupBuilder::radiotextOn(memory);
    case Slot::UserGroup:
        return GroupBuilder::userGroupOn(memory);
    case Slot::BasicTuning:
        break;
    }
    return true;
}

} // namespace korvel::kxio
