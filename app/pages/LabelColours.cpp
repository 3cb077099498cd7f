#include "app/pages/LabelColours.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace korvel::app {

namespace {

// A fixed colour, or a role of the desktop's palette (its active or inactive group).
struct Entry {
    QRgb rgb;
    QPalette::ColorRole role;
    QPalette::ColorGroup group = QPalette::Active;
};

constexpr QPalette::ColorRole kFixed = QPalette::NoRole;

// clang-format off
constexpr std::array<Entry, LabelColours::kCount> kEntries{{
    {0x000000, kFixed}, {0x800000, kFixed}, {0x008000, kFixed}, {0x808000, kFixed},       // Black Maroon Green Olive
    {0x000080, kFixed}, {0x800080, kFixed}, {0x008080, kFixed}, {0x808080, kFixed},       // Navy Purple Teal Gray
    {0xC0C0C0, kFixed}, {0xFF0000, kFixed}, {0x00FF00, kFixed}, {0xFFFF00, kFixed},       // Silver Red Lime Yellow
    {0x0000FF, kFixed}, {0xFF00FF, kFixed}, {0x00FFFF, kFixed}, {0xFFFFFF, kFixed},       // Blue Fuchsia Aqua White
    {0xC0DCC0, kFixed}, {0xA6CAF0, kFixed}, {0xFFFBF0, kFixed}, {0xA0A0A4, kFixed},       // Money Green Sky Blue Cream Med Gray
    {0, QPalette::Window},          {0, QPalette::Highlight},                              // Active Border, Active Caption
    {0, QPalette::Dark},            {0, QPalette::Window},                                 // App Work Space, Background
    {0, QPalette::Button},          {0, QPalette::Light},                                  // Btn Face, Btn Highlight
    {0, QPalette::Mid},             {0, QPalette::ButtonText},                             // Btn Shadow, Btn Text
    {0, QPalette::HighlightedText}, {0, QPalette::Highlight},                              // Caption Text, Gradient Active Caption
    {0, QPalette::Midlight},        {0, QPalette::WindowText, QPalette::Disabled},         // Gradient Inactive Caption, Gray Text
    {0, QPalette::Highlight},       {0, QPalette::HighlightedText},                        // Highlight, Highlight Text
    {0, QPalette::Window},          {0, QPalette::Highlight, QPalette::Inactive},          // Inactive Border, Inactive Caption
    {0, QPalette::HighlightedText, QPalette::Inactive},                                    // Inactive Caption Text
    {0, QPalette::ToolTipBase},     {0, QPalette::ToolTipText},                            // Info Bk, Info Text
    {0, QPalette::Window},          {0, QPalette::WindowText},                             // Menu, Menu Text
    {0, QPalette::Button},          {0, QPalette::Shadow},                                 // Scroll Bar, 3 D Dk Shadow
    {0, QPalette::Light},           {0, QPalette::Base},                                   // 3 D Light, Window
    {0, QPalette::Shadow},          {0, QPalette::Text},                                   // Window Frame, Window Text
}};
// clang-format on

} // namespace

QColor LabelColours::colour(int index) {
    const bool listed = index >= 0 && index < kCount;
    const Entry& entry = kEntries[static_cast<std::size_t>(listed ? index : kCount - 1)];
    if (entry.role == kFixed) {
        return QColor::fromRgb(entry.rgb);
    }
    return QGuiApplication::palette().color(entry.group, entry.role);
}

} // namespace korvel::app
