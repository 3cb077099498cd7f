#pragma once

#include "operations/AfList.h"
#include "operations/DeviceAction.h"
#include "operations/RdsText.h"

#include <cstdint>
#include <vector>

namespace korvel::model {
class Clock;
class StationSettings;
} // namespace korvel::model

namespace korvel::link {
class Transactions;
}

namespace korvel::text {
class DynamicPs;
class RadiotextRotation;
class RdsConversion;
} // namespace korvel::text

namespace korvel::operations {

// "Send": writes the whole station data into the encoder's registers, in a fixed order of
// transactions, cleaning up the AF list on the way. It does not store it there.
class StationSend {
public:
    struct Parts {
        model::StationSettings& settings;
        link::Transactions& transactions;
        const text::RdsConversion& conversion;
        text::DynamicPs& dynamicPs;
        text::RadiotextRotation& rotation;
        model::Clock& clock;
    };

    // All parts must outlive the operation.
    explicit StationSend(Parts parts);

    Outcome BSEND1Click();

private:
    using Bytes = std::vector<std::uint8_t>;

    [[nodiscard]] Bytes programBlock();
    [[nodiscard]] Bytes radiotextAndGroupBlock() const;
    [[nodiscard]] Bytes clockSourceBlock();
    [[nodiscard]] Bytes dpsParameterBlock(std::uint8_t textLength);
    [[nodiscard]] Bytes afBlock();
    void reportLeftOut();

    Parts m_parts;
    RdsText m_rds;
    DeviceAction m_action;
    std::vector<AfList::Refused> m_leftOut; // by the last Send
};

} // namespace korvel::operations
