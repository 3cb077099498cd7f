#pragma once

#include "operations/RdsText.h"
#include "text/TextWriter.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace korvel::model {
class StationSettings;
}

namespace korvel::link {
class Transactions;
}

namespace korvel::text {
class RdsConversion;
}

namespace korvel::operations {

// Writes the texts of the rotation and the file sources to the encoder's registers, converted
// to the RDS character set as RBANSIC says.
class EncoderTextWriter : public text::TextWriter {
public:
    // All must outlive the writer.
    EncoderTextWriter(model::StationSettings& settings, link::Transactions& transactions,
                      const text::RdsConversion& conversion);

    bool writeRadiotext(const std::string& message, bool flagB) override;
    bool writeDynamicPs(const std::string& text) override;

    // The block that loads a dynamic PS text (RDS bytes) at the length register: the length 0,
    // which keeps the dynamic PS off while the text changes, the text and its closing space.
    [[nodiscard]] static std::vector<std::uint8_t> dpsLoadBlock(std::string_view rdsText);

private:
    link::Transactions& m_transactions;
    RdsText m_rds;
};

} // namespace korvel::operations
