#pragma once

#include "model/ControlKind.h"
#include "model/ControlName.h"
#include "model/Definitions.h"
#include "model/DepthScope.h"
#include "model/ProgramState.h"
#include "model/Subscription.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::model {

// Every value of the window by its control name, with what the logic changes about each
// control (enabled, visible, caption or unit, item list) and the four timers. Handlers change
// the settings; the window mirrors them through the per-control observers, and the logic's
// reactions follow the values.
//
// A name used with the accessors of another kind is a programming error and throws
// std::invalid_argument.
class StationSettings {
public:
    using Observer = std::function<void(Aspect)>;
    using Reaction = std::function<void()>;

    explicit StationSettings(char decimalSeparator = '.');
    StationSettings(const StationSettings&) = delete;
    StationSettings& operator=(const StationSettings&) = delete;

    [[nodiscard]] char decimalSeparator() const { return m_decimalSeparator; }

    // Back to the state of a fresh window; observers hear of every value that changes.
    void reset();

    // Text. The model keeps any text it is given: only the editors enforce maxLength,
    // so that a longer text from the settings file reaches the rules that repair it.
    [[nodiscard]] const std::string& text(ControlName name) const;
    void setText(ControlName name, std::string value);
    [[nodiscard]] int maxLength(ControlName name) const; // Text, or one Grid cell; 0 = none
    [[nodiscard]] static const TextDef& textDef(ControlName name);

    // Choice: an index into items(name), or -1 for no choice (any negative index). An index
    // beyond the list, as a byte read from the encoder may be, is kept as it is, so that it
    // goes back unchanged; the window shows no choice for it.
    [[nodiscard]] int choice(ControlName name) const;
    void setChoice(ControlName name, int index);

    // Items of a Choice, CheckList or Text with a drop-down list.
    [[nodiscard]] const std::vector<std::string>& items(ControlName name) const;
    void setItems(ControlName name, std::vector<std::string> items);

    // Flag. Setting a flag of a one-of group clears the other flags of its group.
    [[nodiscard]] bool flag(ControlName name) const;
    void setFlag(ControlName name, bool value);

    // CheckList: one flag per item.
    [[nodiscard]] bool checked(ControlName name, int item) const;
    void setChecked(ControlName name, int item, bool value);

    // Integer, kept within its range.
    [[nodiscard]] int integer(ControlName name) const;
    void setInteger(ControlName name, int value);
    [[nodiscard]] const IntegerDef& integerDef(ControlName name) const;

    // Decimal, held as the text its spin edit shows. Reading an empty or unreadable text
    // yields the minimum and resets the text to it; a value outside the range reads, and is
    // stored, as the nearest bound. The caption is the unit, or the special unit at the
    // special value ("(infinite)", ".5 min").
    [[nodiscard]] double decimal(ControlName name);
    void setDecimal(ControlName name, double value);
    [[nodiscard]] const std::string& decimalText(ControlName name) const;
    void setDecimalText(ControlName name, std::string text);
    [[nodiscard]] const DecimalDef& decimalDef(ControlName name) const;

    // Grid of texts, row-major.
    [[nodiscard]] int rows(ControlName name) const;
    [[nodiscard]] int columns(ControlName name) const;
    [[nodiscard]] bool cellEditable(ControlName name, int column) const;
    [[nodiscard]] const std::string& cell(ControlName name, int row, int column = 0) const;
    void setCell(ControlName name, int row, int column, std::string value);
    // The grid's selected row (0 at first); a row outside the grid is kept out.
    [[nodiscard]] int row(ControlName name) const;
    void setRow(ControlName name, int row);

    // State of any control.
    [[nodiscard]] bool enabled(ControlName name) const;
    void setEnabled(ControlName name, bool value);
    [[nodiscard]] bool visible(ControlName name) const;
    void setVisible(ControlName name, bool value);
    // The caption the logic manages (a button's text, a spin edit's unit); empty when the
    // window's own caption stands.
    [[nodiscard]] const std::string& caption(ControlName name) const;
    void setCaption(ControlName name, std::string value);

    // Timers: the window keeps one real timer in step with each.
    [[nodiscard]] std::chrono::milliseconds interval(ControlName name) const;
    void setInterval(ControlName name, std::chrono::milliseconds value);
    [[nodiscard]] bool timerEnabled(ControlName name) const;
    void setTimerEnabled(ControlName name, bool value);

    // Calls the observer after every change of the named control, with what changed. The
    // window mirrors the settings this way.
    [[nodiscard]] Subscription subscribe(ControlName name, Observer observer);
    // Runs the logic's reaction after every change of the named control's value, unless the
    // reactions are held.
    [[nodiscard]] Subscription react(ControlName name, Reaction reaction);

    // Holds the logic's reactions while it lives; observers still hear of every change. A
    // batch of values (a loaded file, a read image) is applied under a hold, and then exactly
    // the calls prescribed for the batch run, in their order. Holds nest.
    class ReactionHold : private DepthScope {
    public:
        explicit ReactionHold(StationSettings& settings)
            : DepthScope(settings.m_holds) {}
    };
    [[nodiscard]] bool reactionsHeld() const { return m_holds > 0; }

    [[nodiscard]] ProgramState& program() { return m_program; }
    [[nodiscard]] const ProgramState& program() const { return m_program; }

private:
    struct Listener {
        std::size_t id;
        Observer observer; // set for an observer
        Reaction reaction; // set for a reaction
    };

    struct Control {
        bool enabled = true;
        bool visible = true;
        std::string caption;
        std::vector<std::string> items;
        std::string text;  // Text, Decimal
        int number = 0;    // Choice, Integer, the selected row of a Grid
        bool flag = false; // Flag, Timer enabled
        std::chrono::milliseconds interval{0};
        std::vector<std::string> cells;
        std::vector<bool> checks;
        std::vector<Listener> listeners;
    };

    [[nodiscard]] Control& at(ControlName name, Kind kind);
    [[nodiscard]] const Control& at(ControlName name, Kind kind) const;
    [[nodiscard]] Control& any(ControlName name) { return m_controls[name.index()]; }
    [[nodiscard]] const Control& any(ControlName name) const { return m_controls[name.index()]; }
    // The control's row in the definition table of its kind; throws when it is of another kind.
    [[nodiscard]] static std::size_t checkedDef(ControlName name, Kind kind);
    void resetControl(ControlName name);
    void notify(Control& control, Aspect aspect);
    [[nodiscard]] Subscription listen(ControlName name, Listener listener);
    void storeDecimal(ControlName name, Control& control, std::string text);
    [[nodiscard]] static std::size_t cellIndex(ControlName name, int row, int column);
    void resetState(ControlName name, bool enabled, bool visible);

    char m_decimalSeparator;
    std::vector<Control> m_controls;
    std::size_t m_nextListenerId = 1;
    int m_holds = 0;
    ProgramState m_program;
};

} // namespace korvel::model
