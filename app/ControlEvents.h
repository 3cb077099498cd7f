#pragma once

#include <string_view>

namespace korvel::app {

// The operator's events on named controls, and the timers' ticks, forwarded by the window to
// the logic. Changes of values are not events: the logic observes the settings for those.
class ControlEvents {
public:
    virtual ~ControlEvents() = default;

    // A button or menu item was pressed.
    virtual void click(std::string_view control) = 0;
    virtual void doubleClick(std::string_view control) = 0;
    // The focus left the control (for a grid: the grid and its cell editor).
    virtual void exit(std::string_view control) = 0;

    // Whether characters typed into the control go through keyPress (gridKeyPress for grids).
    [[nodiscard]] virtual bool filtersKeys(std::string_view control) const = 0;
    // A character typed into the control, as a byte of the desktop code page: set it to '\0'
    // to discard the keystroke, or replace it.
    virtual void keyPress(std::string_view control, char& key) = 0;
    // The same for a cell of a grid's row; returns the row that is current afterwards.
    [[nodiscard]] virtual int gridKeyPress(std::string_view control, int row, char& key) = 0;

    // One of the timers of the settings elapsed.
    virtual void tick(std::string_view timer) = 0;
};

} // namespace korvel::app
