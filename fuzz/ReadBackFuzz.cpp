// Any 192-byte image as the encoder's answer to Read, decoded into the station settings the way
// the panel wires Read; then Read Status on any status byte.
#include "FuzzInput.h"
#include "fakes/ManualClock.h"
#include "fakes/RecordingLibrary.h"
#include "fakes/ScriptedDialogs.h"
#include "link/Transactions.h"
#include "model/StationSettings.h"
#include "operations/DeviceSettings.h"
#include "operations/EncoderTextWriter.h"
#include "operations/ReadBack.h"
#include "text/CodePage.h"
#include "text/DpsPreview.h"
#include "text/DynamicPs.h"
#include "text/DynamicPsEditors.h"
#include "text/RadiotextRotation.h"
#include "text/RdsConversion.h"

#include <algorithm>

namespace korvel::fuzz {
namespace {

// Tabling a code page takes far longer than a Read: each page once.
const text::CodePage& codePage(std::size_t index) {
    static std::array<std::unique_ptr<text::CodePage>, kCodePages.size()> pages;
    if (!pages.at(index)) {
        pages[index] = std::make_unique<text::CodePage>(kCodePages[index]);
    }
    return *pages[index];
}

// The parts of Read, wired as the panel wires them, on a library that answers from memory.
struct Encoder {
    Encoder(char decimalSeparator, const text::CodePage& page)
        : settings(decimalSeparator)
        , codePage(page) {}

    model::StationSettings settings;
    fakes::RecordingLibrary library;
    fakes::ScriptedDialogs dialogs;
    fakes::ManualClock clock;
    link::Transactions transactions{library, settings};
    const text::CodePage& codePage;
    text::RdsConversion conversion{codePage};
    text::DynamicPs dynamicPs{settings};
    text::DpsPreview preview{settings, dynamicPs};
    text::DynamicPsEditors dpsEditors{settings, preview};
    operations::EncoderTextWriter writer{settings, transactions, conversion};
    text::RadiotextRotation rotation{settings, writer};
    operations::DeviceSettings deviceSettings{settings};
    operations::ReadBack readBack{
        {settings, transactions, conversion, dialogs, clock, deviceSettings, rotation, dpsEditors, preview}};
};

} // namespace
} // namespace korvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvel;
    fuzz::FuzzInput input(data, size);
    const char separator = input.flag() ? ',' : '.';
    fuzz::Encoder encoder(separator, fuzz::codePage(input.choice(fuzz::kCodePages.size())));
    encoder.settings.setChoice("RGHTYP", input.between(0, 1));
    encoder.settings.setChoice("RBANSIC", input.between(0, 2));
    const std::string_view image = input.rest().substr(0, encoder::kReadImageLength);
    std::copy(image.begin(), image.end(), encoder.library.memory.begin());
    encoder.readBack.BREC1Click();
    fuzz::require(encoder.library.calls.size() == 1, "Read reads the image once and sends nothing");
    encoder.library.memory[static_cast<std::size_t>(encoder::addr(encoder::Reg::Status))] =
        static_cast<std::uint8_t>(image.empty() ? 0 : image.back());
    encoder.readBack.BSTATClick();
    fuzz::require(encoder.dialogs.information.size() == 1, "Read Status reports the status byte");
    return 0;
}
