#pragma once

#include "kxio/Register.h"
#include "uecp/Message.h"

#include <optional>

namespace korvel::kxio {

// Answers a request message (0x17) with the message it names, built from the registers as the
// encoder holds them now.
class UecpAnswerer {
public:
    struct Answer {
        std::optional<uecp::Message> message;
        std::optional<uecp::AckCode> fault; // why there is no answer
    };

    // The service of the request is not checked here; the answer carries it back.
    [[nodiscard]] static Answer answer(const uecp::Request& request, const RegisterMemory& memory);
};

} // namespace korvel::kxio
