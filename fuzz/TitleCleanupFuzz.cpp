// Any title through the clean-up, with any of its three options, under each desktop code page.
#include "FuzzInput.h"
#include "model/StationSettings.h"
#include "text/CodePage.h"
#include "text/TitleCleanup.h"

#include <memory>

namespace korvel::fuzz {
namespace {

// Tabling a code page and its capitals takes far longer than a clean-up: one of each per page.
struct Station {
    explicit Station(int page)
        : codePage(page) {}

    model::StationSettings settings;
    text::CodePage codePage;
    text::TitleCleanup cleanup{settings, codePage};
};

Station& station(std::size_t page) {
    static std::array<std::unique_ptr<Station>, kCodePages.size()> stations;
    if (!stations.at(page)) {
        stations[page] = std::make_unique<Station>(kCodePages[page]);
    }
    return *stations[page];
}

} // namespace
} // namespace korvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvel;
    fuzz::FuzzInput input(data, size);
    fuzz::Station& station = fuzz::station(input.choice(fuzz::kCodePages.size()));
    const bool numbering = input.flag();
    const bool brackets = input.flag();
    const bool capitals = input.flag();
    station.settings.setFlag("CBRSN", numbering);
    station.settings.setFlag("CBREIB", brackets);
    station.settings.setFlag("CBCTC", capitals);
    const std::string_view title = input.rest();
    const std::string clean = station.cleanup.CharReplace(title);
    fuzz::require(clean.size() <= title.size(), "the clean-up only takes characters away");
    if (!numbering && !brackets) {
        fuzz::require(clean.size() == title.size(), "capitals keep the length");
        fuzz::require(station.cleanup.CharReplace(clean) == clean, "a capitalised title stays as it is");
    }
    return 0;
}
