#pragma once

#include <cstdint>

namespace korvel::model {

// What a named control holds, and so which accessors of StationSettings apply to it.
enum class Kind : std::uint8_t {
    Text,      // bytes of the desktop code page, with an optional maximum length
    Choice,    // 0-based index into an item list, -1 for no choice
    Flag,      // a check box, or one radio button of a one-of group
    CheckList, // one flag per item
    Integer,   // whole number kept within its range
    Decimal,   // stepped number held as the text its spin edit shows
    Grid,      // rows x columns of texts
    Command,   // a button, label or menu item: no value, only its state
    Timer,     // interval and enabled flag of one of the window's timers
};

// Which side of a control changed, for observers.
enum class Aspect : std::uint8_t {
    Value, // the value (text, index, flag, cells, timer interval and enabled flag)
    State, // enabled, visible or caption
    Items, // the item list
};

} // namespace korvel::model
