#pragma once

#include "operations/RdsText.h"
#include "text/TextWriter.h"

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

    void writeRadiotext(const std::string& message, bool flagB) override;

private:
    link::Transactions& m_transactions;
    RdsText m_rds;
};

} // namespace korvel::operations
