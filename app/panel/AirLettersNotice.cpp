#include "app/panel/AirLettersNotice.h"

#include "model/StationSettings.h"
#include "text/Utf8.h"

#include <array>
#include <utility>

namespace korvel::app {

namespace {

constexpr model::ControlName kConversion = "RBANSIC";
constexpr model::ControlName kDpsLabels = "DPS1";

// The texts that go to air, apart from the labels of the dynamic PS grid.
// clang-format off
constexpr std::array<model::ControlName, 6> kStationTexts{"PSDEF", "DPS1B", "RT1", "RT2", "RT3", "RT4"};
// clang-format on

std::string quoted(char32_t character) {
    return "\"" + text::Utf8::encode(std::u32string(1, character)) + "\"";
}

} // namespace

AirLettersNotice::AirLettersNotice(model::StationSettings& settings, const text::AirLetters& letters)
    : m_settings(settings)
    , m_letters(letters) {}

std::string AirLettersNotice::message(const text::AirLetters::Changed& changed, std::string_view conversion) {
    const std::string shown = changed.shown ? "as " + quoted(*changed.shown) : "as no letter";
    return quoted(changed.typed) + " goes to air " + shown + " with \"" + std::string(conversion) +
           "\" (Text Sources, Options)";
}

void AirLettersNotice::check() {
    const int conversion = m_settings.choice(kConversion);
    const auto mode = static_cast<text::AnsiConversion>(conversion);
    std::vector<std::string> texts;
    for (const model::ControlName name : kStationTexts) {
        texts.push_back(m_settings.text(name));
    }
    for (int row = 0; row < m_settings.rows(kDpsLabels); ++row) {
        texts.push_back(m_settings.cell(kDpsLabels, row, m_settings.columns(kDpsLabels) - 1));
    }
    for (const std::string& station : texts) {
        const auto changed = m_letters.firstChanged(station, mode);
        if (changed && m_told.insert({changed->typed, conversion}).second) {
            const auto& items = m_settings.items(kConversion);
            const auto index = static_cast<std::size_t>(conversion);
            m_pending = message(*changed, index < items.size() ? items[index] : std::string());
            return;
        }
    }
}

void AirLettersNotice::tell() {
    if (m_pending) {
        m_settings.setText("StatusBar1", *std::exchange(m_pending, std::nullopt));
    }
}

} // namespace korvel::app
