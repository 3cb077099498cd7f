#pragma once

namespace korvel::app {

// What the operator's locale writes between the parts of numbers and times; only separators
// of one ASCII character are taken, else the C locale's.
class DesktopLocale {
public:
    [[nodiscard]] static char decimalSeparator();
    [[nodiscard]] static char timeSeparator();
};

} // namespace korvel::app
