#pragma once

#include "uecp/Message.h"

#include <cstdint>
#include <optional>

namespace korvel::kxio {

// The data sets and programme services the emulated encoder serves: one data set, number 1, on
// air all the time, carrying one programme service, number 1. A message may name them by number,
// as the current data set (DSN 0) or all data sets (255), and the service as the encoder's main
// service (PSN 0).
class UecpService {
public:
    static constexpr std::uint8_t kDataSet = 1;
    static constexpr std::uint8_t kProgramme = 1;

    // Why a message for this service is refused: a data set or a programme service the encoder
    // has not got.
    [[nodiscard]] static std::optional<uecp::AckCode> refusal(uecp::Service service);

    // Whether the message reaches the data set on air. DSN 254 names every data set but the
    // current one: none here, so such a message is accepted and changes nothing.
    [[nodiscard]] static bool onAir(uecp::Service service);

    // Whether data set select may choose this data set.
    [[nodiscard]] static bool selectable(std::uint8_t dataSet);
};

} // namespace korvel::kxio
