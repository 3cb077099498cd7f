#pragma once

#include "model/ControlKind.h"
#include "model/Definitions.h"
#include "model/ProgramState.h"
#include "model/Subscription.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::model {

// Every value of the window by its control name, with what the logic changes about each
// control (enabled, visible, caption or unit, item list) and the four timers. Handlers change
// the settings; the window mirrors them through the per-control observers.
//
// An unknown name, or a name used with the accessors of another kind, is a programming
// error and throws std::invalid_argument.
class StationSettings {
public:
    using Observer = std::function<void(Aspect)>;

    explicit StationSettings(char decimalSeparator = '.');
    StationSettings(const StationSettings&) = delete;
    StationSettings& operator=(const StationSettings&) = delete;

    [[nodiscard]] bool has(std::string_view name) const;
    [[nodiscard]] Kind kind(std::string_view name) const;
    [[nodiscard]] std::vector<std::string_view> names() const;
    [[nodiscard]] char decimalSeparator() const { return m_decimalSeparator; }

    // Back to the state of a fresh window; observers hear of every value that changes.
    void reset();

    // Text. The model keeps any text it is given: only the editors enforce maxLength,
    // so that a longer text from the settings file reaches the rules that repair it.
    [[nodiscard]] const std::string& text(std::string_view name) const;
    void setText(std::string_view name, std::string value);
    [[nodiscard]] int maxLength(std::string_view name) const; // Text, or one Grid cell; 0 = none

    // Choice: an index into items(name), or -1 for no choice. Outside the list stores -1.
    [[nodiscard]] int choice(std::string_view name) const;
    void setChoice(std::string_view name, int index);

    // Items of a Choice, CheckList or Text with a drop-down list.
    [[nodiscard]] const std::vector<std::string>& items(std::string_view name) const;
    void setItems(std::string_view name, std::vector<std::string> items);

    // Flag. Setting a flag of a one-of group clears the other flags of its group.
    [[nodiscard]] bool flag(std::string_view name) const;
    void setFlag(std::string_view name, bool value);

    // CheckList: one flag per item.
    [[nodiscard]] bool checked(std::string_view name, int item) const;
    void setChecked(std::string_view name, int item, bool value);

    // Integer, kept within its range.
    [[nodiscard]] int integer(std::string_view name) const;
    void setInteger(std::string_view name, int value);
    [[nodiscard]] const IntegerDef& integerDef(std::string_view name) const;

    // Decimal, held as the text its spin edit shows. Reading an empty or unreadable text
    // yields the minimum and resets the text to it; a value outside the range reads, and is
    // stored, as the nearest bound. The caption is the unit, or the special unit at the
    // special value ("(infinite)", ".5 min").
    [[nodiscard]] double decimal(std::string_view name);
    void setDecimal(std::string_view name, double value);
    [[nodiscard]] const std::string& decimalText(std::string_view name) const;
    void setDecimalText(std::string_view name, std::string text);
    [[nodiscard]] const DecimalDef& decimalDef(std::string_view name) const;

    // Grid of texts, row-major.
    [[nodiscard]] int rows(std::string_view name) const;
    [[nodiscard]] int columns(std::string_view name) const;
    [[nodiscard]] bool cellEditable(std::string_view name, int column) const;
    [[nodiscard]] const std::string& cell(std::string_view name, int row, int column = 0) const;
    void setCell(std::string_view name, int row, int column, std::string value);

    // State of any control.
    [[nodiscard]] bool enabled(std::string_view name) const;
    void setEnabled(std::string_view name, bool value);
    [[nodiscard]] bool visible(std::string_view name) const;
    void setVisible(std::string_view name, bool value);
    // The caption the logic manages (a button's text, a spin edit's unit); empty when the
    // window's own caption stands.
    [[nodiscard]] const std::string& caption(std::string_view name) const;
    void setCaption(std::string_view name, std::string value);

    // Timers: the window keeps one real timer in step with each.
    [[nodiscard]] std::chrono::milliseconds interval(std::string_view name) const;
    void setInterval(std::string_view name, std::chrono::milliseconds value);
    [[nodiscard]] bool timerEnabled(std::string_view name) const;
    void setTimerEnabled(std::string_view name, bool value);

    // Calls the observer after every change of the named control, with what changed.
    [[nodiscard]] Subscription subscribe(std::string_view name, Observer observer);

    [[nodiscard]] ProgramState& program() { return m_program; }
    [[nodiscard]] const ProgramState& program() const { return m_program; }

private:
    struct Control {
        Kind kind = Kind::Text;
        std::size_t def = 0; // index into the definition table of its kind
        bool enabled = true;
        bool visible = true;
        std::string caption;
        std::vector<std::string> items;
        std::string text;  // Text, Decimal
        int number = 0;    // Choice, Integer
        bool flag = false; // Flag, Timer enabled
        std::chrono::milliseconds interval{0};
        std::vector<std::string> cells;
        std::vector<bool> checks;
        std::vector<std::pair<std::size_t, Observer>> observers;
    };

    template <const auto& kDefs> void addControls(Kind kind);
    [[nodiscard]] Control& at(std::string_view name, Kind kind);
    [[nodiscard]] const Control& at(std::string_view name, Kind kind) const;
    [[nodiscard]] Control& any(std::string_view name);
    [[nodiscard]] const Control& any(std::string_view name) const;
    void notify(Control& control, Aspect aspect);
    void storeDecimal(Control& control, std::string text);
    [[nodiscard]] std::size_t cellIndex(const Control& control, int row, int column) const;
    void resetState(std::string_view name, bool enabled, bool visible);
    [[nodiscard]] std::size_t indexOf(std::string_view name) const;

    char m_decimalSeparator;
    std::vector<Control> m_controls;
    std::map<std::string, std::size_t, std::less<>> m_index;
    std::size_t m_nextObserverId = 1;
    ProgramState m_program;
};

} // namespace korvel::model
