#include "operations/EncoderTextWriter.h"

#include "encoder/MemoryMap.h"
#include "link/Transactions.h"

#include <span>
#include <vector>

namespace korvel::operations {

EncoderTextWriter::EncoderTextWriter(model::StationSettings& settings, link::Transactions& transactions,
                                     const text::RdsConversion& conversion)
    : m_transactions(transactions)
    , m_rds(conversion, settings) {}

// The text loads with radiotext off; a second write switches it on with the A/B flag.
void EncoderTextWriter::writeRadiotext(const std::string& message, bool flagB) {
    const std::string rds = encoder::registerText(m_rds.toRds(message), encoder::kRtLength);
    std::vector<std::uint8_t> load{0};
    load.insert(load.end(), rds.begin(), rds.end());
    m_transactions.write(encoder::addr(encoder::Reg::RtControl), load);
    const std::uint8_t control = encoder::rtControlByte(true, flagB);
    m_transactions.write(encoder::addr(encoder::Reg::RtControl), std::span(&control, 1));
}

} // namespace korvel::operations
