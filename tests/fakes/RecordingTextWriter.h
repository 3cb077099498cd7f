#pragma once

#include "text/TextWriter.h"

#include <string>
#include <vector>

namespace korvel::fakes {

// Keeps every text the logic hands over for the air.
class RecordingTextWriter : public text::TextWriter {
public:
    void writeRadiotext(const std::string& message, bool flagB) override {
        radiotexts.push_back(message);
        flags.push_back(flagB);
    }

    std::vector<std::string> radiotexts;
    std::vector<bool> flags;
};

} // namespace korvel::fakes
