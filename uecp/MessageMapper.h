#pragma once

#include "uecp/EncoderMirror.h"
#include "uecp/Message.h"

#include <cstddef>
#include <string>
#include <vector>

namespace korvel::uecp {

// Turns one register write into the UECP messages for what it changed: a message goes when a
// register it is made of was written and differs from what the encoder holds, or is unknown.
class MessageMapper {
public:
    struct Result {
        std::vector<Message> messages;
        std::string refusal; // not empty: the write asks for what UECP cannot do, and nothing goes
    };

    explicit MessageMapper(Service service)
        : m_service(service) {}

    // wanted: the registers with the write [first, first + count) applied.
    [[nodiscard]] Result map(const kxio::RegisterMemory& wanted, const EncoderMirror& held, std::size_t first,
                             std::size_t count) const;

private:
    Service m_service;
};

} // namespace korvel::uecp
