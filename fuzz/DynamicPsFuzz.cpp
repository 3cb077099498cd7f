// The dynamic PS: any labels or free text composed in each mode, and any text laid out with
// each justification and fill.
#include "FuzzInput.h"
#include "model/StationSettings.h"
#include "text/DynamicPs.h"

namespace korvel::fuzz {
namespace {

constexpr std::array<model::ControlName, 3> kJustifications{"RBJUST0", "RBJUST1", "RBJUST2"};
constexpr std::array<model::ControlName, 2> kFills{"RBFILSP", "RBFILCU"};

// Every value the composition reads, from the input: the options first, then one line each for
// the fill character, the free text and the labels.
void configure(model::StationSettings& settings, FuzzInput& input) {
    settings.setFlag(kJustifications[input.choice(kJustifications.size())], true);
    settings.setFlag(kFills[input.choice(kFills.size())], true);
    settings.setChoice("RGDPS1M", input.between(0, 3));
    settings.setText("ECUSCH", input.line());
    settings.setText("DPS1B", input.line());
    for (int row = 0; row < settings.rows("DPS1"); ++row) {
        settings.setCell("DPS1", row, 0, input.line());
    }
}

} // namespace
} // namespace korvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvel;
    static model::StationSettings settings;
    fuzz::FuzzInput input(data, size);
    fuzz::configure(settings, input);
    text::DynamicPs dynamicPs(settings);
    const std::string composed = dynamicPs.GetDPSText();
    fuzz::require(composed.size() <= text::DynamicPs::kMaxTextLength, "the text fits nine labels");
    if (settings.choice("RGDPS1M") == 0) {
        fuzz::require(composed.size() % text::DynamicPs::kLabelLength == 0, "labels are whole");
    }
    for (const std::string_view text : {std::string_view(composed), input.rest()}) {
        const std::string justified = dynamicPs.DPSJustify(text);
        fuzz::require(justified.size() <= text::DynamicPs::kMaxTextLength, "the layout fits nine labels");
        if (settings.flag("RBJUST0") && settings.flag("RBFILSP") &&
            text.size() <= text::DynamicPs::kMaxTextLength) {
            fuzz::require(justified == text, "left justification without fill leaves the text alone");
        }
    }
    return 0;
}
