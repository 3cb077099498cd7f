#pragma once

#include "kxio/Register.h"
#include "uecp/Message.h"

#include <optional>
#include <span>
#include <vector>

namespace korvel::kxio {

// What the messages of one frame do to the encoder's registers: the same bytes the control
// program writes for the same setting, so the groups on air follow as they do for the program.
class UecpApplier {
public:
    struct Outcome {
        std::optional<uecp::AckCode> fault; // why the frame was refused; nothing of it was applied
        bool groupOnce = false;             // the group at the clock-time registers goes out once
        std::vector<uecp::Message> answers; // what the requests asked for, in their order
    };

    // The messages in order, each seeing what the one before changed; all of them or, when one is
    // refused, none.
    [[nodiscard]] static Outcome apply(std::span<const uecp::Message> messages, RegisterMemory& memory);
};

} // namespace korvel::kxio
