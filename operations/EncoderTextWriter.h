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
class RadiotextRotation;
class RdsConversion;
} // namespace korvel::text

namespace korvel::operations {

// Writes the texts of the rotation and the file sources to the encoder's registers, converted
// to the RDS character set as RBANSIC says.
class EncoderTextWriter : public text::TextWriter {
public:
    // All must outlive the writer. The rotation hands out the radiotext A/B flag of each write;
    // it may be constructed after the writer, since the writer only uses it when writing.
    EncoderTextWriter(model::StationSettings& settings, link::Transactions& transactions,
                      const text::RdsConversion& conversion, text::RadiotextRotation& rotation);

    void writeRadiotext(const std::string& message) override;

private:
    link::Transactions& m_transactions;
    RdsText m_rds;
    text::RadiotextRotation& m_rotation;
};

} // namespace korvel::operations
