#include "text/DynamicPs.h"

#include "model/StationSettings.h"

#include <algorithm>

namespace korvel::text {

namespace {

constexpr std::size_t kLabel = DynamicPs::kLabelLength;
constexpr std::size_t kWrapAttempts = 6;     // a word starts at a row's third position at the earliest
constexpr std::size_t kMaxCentringShift = 3; // spaces moved to the front of a row at most
constexpr std::size_t kFrontFill = 3;        // padding at a row's front that the fill replaces
constexpr std::size_t kLimitedLength = 69;   // what remains of an overlong text before "..."
constexpr int kScrollingMode = 1;

// Positions below are 0-based; row r (0..8) is the characters 8r..8r+7.

void removeLeadingSpaces(std::string& text, std::size_t start) {
    while (text.size() >= start + 2 && text[start] == ' ') {
        text.erase(start, 1);
    }
}

// Moves the word that straddles the end of the row into the next row, one space at a time.
void wrapRow(std::string& text, std::size_t start) {
    const std::size_t last = start + kLabel - 1;
    for (std::size_t attempt = 0; attempt < kWrapAttempts; ++attempt) {
        if (text.size() < last + 2 || text[last] == ' ' || text[last + 1] == ' ') {
            return;
        }
        const std::size_t space = text.find_last_of(' ', last - 1);
        if (space == std::string::npos || space < start) {
            return; // a word longer than a row is split at the row end
        }
        text.insert(space, 1, ' ');
    }
}

void wordWrap(std::string& text) {
    for (std::size_t row = 0; row < DynamicPs::kJustifiedRows; ++row) {
        removeLeadingSpaces(text, row * kLabel);
        wrapRow(text, row * kLabel);
    }
}

bool endsInSpaces(const std::string& text, std::size_t rowEnd, std::size_t count) {
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(rowEnd - count),
                       text.begin() + static_cast<std::ptrdiff_t>(rowEnd), [](char c) { return c == ' '; });
}

// Fills up to whole rows, then moves half of each row's trailing spaces (at most 3) to its front.
void centre(std::string& text) {
    text.resize((text.size() + kLabel - 1) / kLabel * kLabel, ' ');
    const std::size_t length = text.size();
    for (std::size_t row = 0; row < DynamicPs::kJustifiedRows && (row + 1) * kLabel <= length; ++row) {
        if (row + 1 == DynamicPs::kJustifiedRows && length > DynamicPs::kMaxTextLength) {
            break; // the ninth row of an overlong text stays put; the length limit ends it in "..."
        }
        const std::size_t start = row * kLabel;
        for (std::size_t shift = 1; shift <= kMaxCentringShift; ++shift) {
            if (endsInSpaces(text, start + kLabel, shift + 1)) {
                text.erase(start + kLabel - 1, 1);
                text.insert(start, 1, ' ');
            }
        }
    }
}

// Replaces the spaces that pad each whole row, from the front (at most 3) and from the back.
void fill(std::string& text, char fillCharacter) {
    const std::size_t length = text.size();
    for (std::size_t row = 0; row < DynamicPs::kJustifiedRows && (row + 1) * kLabel <= length; ++row) {
        const std::size_t start = row * kLabel;
        for (std::size_t i = start; i < start + kFrontFill && text[i] == ' '; ++i) {
            text[i] = fillCharacter;
        }
        for (std::size_t i = start + kLabel - 1; i > start && text[i] == ' '; --i) {
            text[i] = fillCharacter;
        }
    }
}

} // namespace

DynamicPs::DynamicPs(model::StationSettings& settings)
    : m_settings(settings) {}

std::string DynamicPs::GetDPSText() {
    std::string text;
    if (m_settings.choice("RGDPS1M") == 0) {
        text = gridText();
    } else {
        text = m_settings.text("DPS1B");
        if (m_settings.choice("RGDPS1M") == kScrollingMode && !text.empty() && text.size() < kLabel) {
            text.resize(kLabel, ' ');
        }
    }
    if (text.size() > kMaxTextLength) {
        text.resize(kMaxTextLength);
    }
    return text;
}

std::string DynamicPs::gridText() {
    const int rows = m_settings.rows("DPS1");
    int lastUsed = rows - 1;
    while (lastUsed >= 0 && m_settings.cell("DPS1", lastUsed).empty()) {
        --lastUsed;
    }
    std::string text;
    for (int row = 0; row <= lastUsed; ++row) {
        std::string label = m_settings.cell("DPS1", row);
        if (label.size() > kLabel) {
            label.resize(kLabel);
            m_settings.setCell("DPS1", row, 0, label);
        }
        label.resize(kLabel, ' ');
        text += label;
    }
    return text;
}

std::string DynamicPs::DPSJustify(std::string_view input) const {
    std::string text(input);
    if (!m_settings.flag("RBJUST0")) {
        wordWrap(text);
    }
    if (m_settings.flag("RBJUST2")) {
        centre(text);
    }
    const std::string& fillCharacter = m_settings.text("ECUSCH");
    if (m_settings.flag("RBFILCU") && !fillCharacter.empty()) {
        fill(text, fillCharacter.front());
    }
    if (text.size() > kMaxTextLength) {
        text.resize(kLimitedLength);
        text += "...";
    }
    return text;
}

} // namespace korvel::text
