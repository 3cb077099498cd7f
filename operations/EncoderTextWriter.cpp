#include "operations/EncoderTextWriter.h"

#include "encoder/MemoryMap.h"
#include "link/Transactions.h"

#include <span>

namespace korvel::operations {

namespace {

using encoder::addr;
using encoder::Reg;

} // namespace

EncoderTextWriter::EncoderTextWriter(model::StationSettings& settings, link::Transactions& transactions,
                                     const text::RdsConversion& conversion)
    : m_transactions(transactions)
    , m_rds(conversion, settings) {}

// The text loads with radiotext off; a second write switches it on with the A/B flag. The two
// are one operation: a failed load must not end on the "Ready" of the switch that follows it.
bool EncoderTextWriter::writeRadiotext(const std::string& message, bool flagB) {
    const link::Transactions::Operation operation(m_transactions);
    const std::string rds = encoder::registerText(m_rds.toRds(message), encoder::kRtLength);
    std::vector<std::uint8_t> load{0};
    load.insert(load.end(), rds.begin(), rds.end());
    const bool loaded = m_transactions.write(addr(Reg::RtControl), load);
    const std::uint8_t control = encoder::rtControlByte(true, flagB);
    const bool switchedOn = m_transactions.write(addr(Reg::RtControl), std::span(&control, 1));
    return loaded && switchedOn;
}

// The length, written last, switches the dynamic PS on; an empty text leaves it off. One
// operation, as for the radiotext.
bool EncoderTextWriter::writeDynamicPs(const std::string& text) {
    const link::Transactions::Operation operation(m_transactions);
    const std::string rds = m_rds.toRds(text).substr(0, encoder::kDpsTextMax);
    const bool loaded = m_transactions.write(addr(Reg::DpsLength), dpsLoadBlock(rds));
    const auto length = static_cast<std::uint8_t>(rds.size());
    const bool switchedOn = m_transactions.write(addr(Reg::DpsLength), std::span(&length, 1));
    return loaded && switchedOn;
}

std::vector<std::uint8_t> EncoderTextWriter::dpsLoadBlock(std::string_view rdsText) {
    std::vector<std::uint8_t> block;
    block.reserve(rdsText.size() + 2);
    block.push_back(0);
    block.insert(block.end(), rdsText.begin(), rdsText.end());
    block.push_back(encoder::kDpsTextEnd);
    return block;
}

} // namespace korvel::operations
