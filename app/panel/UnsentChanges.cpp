#include "app/panel/UnsentChanges.h"

#include "model/StationSettings.h"

#include <algorithm>
#include <array>

namespace korvel::app {

namespace {

constexpr model::ControlName kUnsent = "UNSENT";

// Every control whose value Send puts into the encoder, directly or through the dynamic PS
// text, the current radiotext and its A/B flag, or the character conversion.
// clang-format off
constexpr std::array<model::ControlName, 47> kSentControls{
    "PSDEF", "PI", "PTY", "DI", "MS", "TP", "TA", "SGAF", "CBAF",
    "DPS1EN", "DPS1", "DPS1B", "RGDPS1M", "SEDPS1DL", "SEDPSLP", "RGDLD",
    "RBJUST0", "RBJUST1", "RBJUST2", "RBFILSP", "RBFILCU", "ECUSCH",
    "CBRTEN", "RBRT1", "RBRT2", "RBRT3", "RBRT4", "RT1", "RT2", "RT3", "RT4",
    "CBRTT1", "CBRTT2", "CBRTT3", "CBRTT4", "CBAUTO",
    "CBUDGEN", "CBGRTYP", "DB3", "DB4", "DB5", "DB6", "DB7",
    "RGCS", "RGPLLR", "SEPHASE", "RBANSIC",
};
// clang-format on

} // namespace

UnsentChanges::UnsentChanges(model::StationSettings& settings)
    : m_settings(settings) {}

bool UnsentChanges::sendsValueOf(model::ControlName control) {
    return std::find(kSentControls.begin(), kSentControls.end(), control) != kSentControls.end();
}

void UnsentChanges::edited(model::ControlName control) {
    if (sendsValueOf(control)) {
        set(true);
    }
}

void UnsentChanges::sent(operations::Outcome outcome) {
    if (outcome != operations::Outcome::NotRun) {
        set(outcome == operations::Outcome::Failed);
    }
}

// A failed Read leaves both the window and the encoder as they were.
void UnsentChanges::read(operations::Outcome outcome) {
    if (outcome == operations::Outcome::Succeeded) {
        set(false);
    }
}

// Even a Reset whose command failed may have reached the encoder.
void UnsentChanges::reset(operations::Outcome outcome) {
    if (outcome != operations::Outcome::NotRun) {
        set(true);
    }
}

void UnsentChanges::mark() {
    set(true);
}

void UnsentChanges::set(bool unsent) {
    m_settings.setFlag(kUnsent, unsent);
}

} // namespace korvel::app
