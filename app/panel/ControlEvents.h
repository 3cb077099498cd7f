#pragma once

#include "model/ControlName.h"

#include <functional>
#include <optional>
#include <string>

namespace korvel::app {

// The operator's events on named controls, the timers' ticks and the operator's edits of
// values, forwarded by the window to the logic. The logic reacts to the values themselves
// through the settings; an edit only says that the window is about to change one.
class ControlEvents {
public:
    virtual ~ControlEvents() = default;

    // A button or menu item was pressed.
    virtual void click(model::ControlName control) = 0;
    virtual void doubleClick(model::ControlName control) = 0;
    // The focus left the control (for a grid: the grid and its cell editor).
    virtual void exit(model::ControlName control) = 0;

    // Whether characters typed into the control go through keyPress (gridKeyPress for grids).
    [[nodiscard]] virtual bool filtersKeys(model::ControlName control) const = 0;
    // A character typed into the control, as a byte of the desktop code page: set it to '\0'
    // to discard the keystroke, or replace it. Enter, Backspace and, on a grid that is not
    // edited in place, Delete count as characters. Returns the control the focus moves to, if
    // the key moves it.
    [[nodiscard]] virtual std::optional<model::ControlName> keyPress(model::ControlName control,
                                                                     char& key) = 0;
    // The same for a cell of a grid's row; returns the row that is current afterwards.
    [[nodiscard]] virtual int gridKeyPress(model::ControlName control, int row, char& key) = 0;
    // Whether a key-filtered field can hold the whole text a keystroke or a paste would leave in
    // it, as bytes of the desktop code page; when it cannot, the change is refused and the logic
    // says why in the status bar.
    [[nodiscard]] virtual bool holds(model::ControlName control, const std::string& text) = 0;

    // One of the timers of the settings elapsed.
    virtual void tick(model::ControlName timer) = 0;

    // The operator changed the value of a control: apply writes it to the settings, whose
    // reactions then run, and then the control's own handler of the operator's edits.
    virtual void edit(model::ControlName control, const std::function<void()>& apply) = 0;

    // The event loop has run out of work for now.
    virtual void idle() = 0;
};

} // namespace korvel::app
