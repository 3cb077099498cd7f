#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::model {

// Item lists that the window shows and the settings file stores by index.

// clang-format off
// Programme type names, "European" coding of IEC 62106; the index is the PTY code.
inline constexpr std::array<std::string_view, 32> kPtyEuropean{
    "(none)", "News", "Affairs", "Info", "Sport", "Educate", "Drama", "Culture",
    "Science", "Varied", "Pop M", "Rock M", "Easy M", "Light M", "Classics", "Other M",
    "Weather", "Finance", "Children", "Social", "Religion", "Phone In", "Travel", "Leisure",
    "Jazz", "Country", "Nation", "Oldies", "Folk M", "Document", "TEST", "Alarm!"};

// The same codes under the names of the North American RBDS coding.
inline constexpr std::array<std::string_view, 32> kPtyRbds{
    "(none)", "News", "Inform", "Sports", "Talk", "Rock", "Cls Rock", "Adult Hits",
    "Soft Rock", "Top 40", "Country", "Oldies", "Soft", "Nostalgia", "Jazz", "Classical",
    "R & B", "Soft R&B", "Language", "Rel Music", "Rel Talk", "Personality", "Public", "College",
    "(24)", "(25)", "(26)", "(27)", "(28)", "Weather", "Test", "ALERT !"};

// The label colour list; settings store the index, the window maps it to a colour.
inline constexpr std::array<std::string_view, 47> kLabelColours{
    "Black", "Maroon", "Green", "Olive", "Navy", "Purple", "Teal", "Gray", "Silver", "Red",
    "Lime", "Yellow", "Blue", "Fuchsia", "Aqua", "White", "Money Green", "Sky Blue", "Cream",
    "Med Gray", "Active Border", "Active Caption", "App Work Space", "Background", "Btn Face",
    "Btn Highlight", "Btn Shadow", "Btn Text", "Caption Text", "Gradient Active Caption",
    "Gradient Inactive Caption", "Gray Text", "Highlight", "Highlight Text", "Inactive Border",
    "Inactive Caption", "Inactive Caption Text", "Info Bk", "Info Text", "Menu", "Menu Text",
    "Scroll Bar", "3 D Dk Shadow", "3 D Light", "Window", "Window Frame", "Window Text"};
// clang-format on

inline constexpr int kWindowTextColour = 46;
inline constexpr int kPortLPT1 = 0;
inline constexpr int kPortLPT2 = 1;
inline constexpr int kFirstSerialPort = 2; // "COM1"
inline constexpr int kSerialPortCount = 255;
inline constexpr int kPortNone = kFirstSerialPort + kSerialPortCount; // "(None)", the last row

// Generated lists; the decimal separator is the user's, for the frequency list.
using ItemSource = std::vector<std::string> (*)(char decimalSeparator);

[[nodiscard]] std::vector<std::string> portItems(char decimalSeparator);
[[nodiscard]] std::vector<std::string> groupTypeItems(char decimalSeparator);
[[nodiscard]] std::vector<std::string> afFrequencyItems(char decimalSeparator);
// The PTY codes by number only: "(0)" .. "(31)".
[[nodiscard]] std::vector<std::string> ptyNumberItems(char decimalSeparator);

template <const auto& kList> std::vector<std::string> fixedItems(char /*decimalSeparator*/) {
    return {kList.begin(), kList.end()};
}

} // namespace korvel::model
