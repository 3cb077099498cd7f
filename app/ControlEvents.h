#pragma once

#include <string_view>

namespace korvel::app {

// The operator's events on named controls that the logic handles, forwarded by the window.
class ControlEvents {
public:
    virtual ~ControlEvents() = default;

    // A button or menu item was pressed.
    virtual void click(std::string_view control) = 0;
    // Whether typed characters of the control go through keyPress first.
    [[nodiscard]] virtual bool filtersKeys(std::string_view control) const = 0;
    // A character typed into the control, as a byte of the desktop code page: set it to '\0'
    // to discard the keystroke, or replace it.
    virtual void keyPress(std::string_view control, char& key) = 0;
};

} // namespace korvel::app
