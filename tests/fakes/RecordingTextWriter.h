#pragma once

#include "text/TextWriter.h"

#include <string>
#include <vector>

namespace korvel::fakes {

// Keeps every text the logic hands over for the air, and answers as told.
class RecordingTextWriter : public text::TextWriter {
public:
    bool writeRadiotext(const std::string& message, bool flagB) override {
        radiotexts.push_back(message);
        flags.push_back(flagB);
        return succeeds;
    }
    bool writeDynamicPs(const std::string& text) override {
        dynamicPs.push_back(text);
        return succeeds;
    }

    std::vector<std::string> radiotexts;
    std::vector<bool> flags;
    std::vector<std::string> dynamicPs;
    bool succeeds = true;
};

} // namespace korvel::fakes
