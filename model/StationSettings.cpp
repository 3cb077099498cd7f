#include "model/StationSettings.h"

#include "model/Blanks.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace korvel::model {

namespace {

constexpr double kSpecialTolerance = 1e-9;

std::string kindError(ControlName name) {
    return "control '" + std::string(name.str()) + "' is not of the kind asked for";
}

std::optional<double> parseDecimal(std::string_view text) {
    std::string normal(trimBlanks(text));
    std::replace(normal.begin(), normal.end(), ',', '.');
    double value = 0;
    const char* end = normal.data() + normal.size();
    auto [ptr, ec] = std::from_chars(normal.data(), end, value);
    if (normal.empty() || ec != std::errc{} || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string formatDecimal(double value, int decimals) {
    char buffer[64];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return ec == std::errc{} ? std::string(buffer, ptr) : std::string("0");
}

} // namespace

StationSettings::StationSettings(char decimalSeparator)
    : m_decimalSeparator(decimalSeparator)
    , m_controls(kControlCount) {
    reset();
}

void StationSettings::reset() {
    for (const ControlName name : ControlName::all()) {
        resetControl(name);
    }
    m_program = ProgramState{};
}

void StationSettings::resetControl(ControlName name) {
    const std::size_t row = name.def();
    switch (name.kind()) {
    case Kind::Text: {
        const TextDef& def = kTextDefs[row];
        resetState(name, true, true);
        setItems(name, def.items ? def.items(m_decimalSeparator) : std::vector<std::string>{});
        setText(name, std::string(def.initial));
        break;
    }
    case Kind::Choice:
        resetState(name, true, true);
        setItems(name, kChoiceDefs[row].items(m_decimalSeparator));
        setChoice(name, kChoiceDefs[row].initial);
        break;
    case Kind::Flag: {
        resetState(name, true, true);
        Control& control = any(name);
        if (control.flag != kFlagDefs[row].initial) {
            control.flag = kFlagDefs[row].initial; // direct: the one-of rule must not clear a default
            notify(control, Aspect::Value);
        }
        break;
    }
    case Kind::CheckList:
        resetState(name, true, true);
        setItems(name, kCheckListDefs[row].items(m_decimalSeparator));
        for (std::size_t item = 0; item < items(name).size(); ++item) {
            setChecked(name, static_cast<int>(item), false);
        }
        break;
    case Kind::Integer:
        resetState(name, true, true);
        setInteger(name, kIntegerDefs[row].initial);
        break;
    case Kind::Decimal:
        resetState(name, true, true);
        setDecimal(name, kDecimalDefs[row].initial);
        break;
    case Kind::Grid: {
        const GridDef& def = kGridDefs[row];
        resetState(name, true, true);
        any(name).cells.resize(static_cast<std::size_t>(def.rows * def.columns));
        setRow(name, 0);
        for (int r = 0; r < def.rows; ++r) {
            for (int column = 0; column < def.columns; ++column) {
                const bool number = def.rowNumbers && column == 0;
                setCell(name, r, column, number ? std::to_string(r + 1) : std::string());
            }
        }
        break;
    }
    case Kind::Command:
        resetState(name, kCommandDefs[row].enabled, kCommandDefs[row].visible);
        setCaption(name, std::string(kCommandDefs[row].caption));
        break;
    case Kind::Timer:
        resetState(name, true, true);
        setInterval(name, kTimerDefs[row].interval);
        setTimerEnabled(name, kTimerDefs[row].enabled);
        break;
    }
}

void StationSettings::resetState(ControlName name, bool enabled, bool visible) {
    const bool displayOnly = std::find(kDisplayOnly.begin(), kDisplayOnly.end(), name.str()) != kDisplayOnly.end();
    setEnabled(name, enabled && !displayOnly);
    setVisible(name, visible);
}

StationSettings::Control& StationSettings::at(ControlName name, Kind kind) {
    static_cast<void>(checkedDef(name, kind));
    return any(name);
}

const StationSettings::Control& StationSettings::at(ControlName name, Kind kind) const {
    return const_cast<StationSettings*>(this)->at(name, kind);
}

std::size_t StationSettings::checkedDef(ControlName name, Kind kind) {
    if (name.kind() != kind) {
        throw std::invalid_argument(kindError(name));
    }
    return name.def();
}

// Listeners ----------------------------------------------------------------------------------

void StationSettings::notify(Control& control, Aspect aspect) {
    // A copy, so that a listener may subscribe or unsubscribe while being called.
    const auto listeners = control.listeners;
    for (const Listener& listener : listeners) {
        if (listener.observer) {
            listener.observer(aspect);
        } else if (aspect == Aspect::Value && m_holds == 0) {
            listener.reaction();
        }
    }
}

Subscription StationSettings::listen(ControlName name, Listener listener) {
    const std::size_t id = listener.id;
    any(name).listeners.push_back(std::move(listener));
    return Subscription(
        [this, name](std::size_t cancelled) {
            std::erase_if(any(name).listeners,
                          [cancelled](const Listener& entry) { return entry.id == cancelled; });
        },
        id);
}

Subscription StationSettings::subscribe(ControlName name, Observer observer) {
    return listen(name, Listener{m_nextListenerId++, std::move(observer), {}});
}

Subscription StationSettings::react(ControlName name, Reaction reaction) {
    return listen(name, Listener{m_nextListenerId++, {}, std::move(reaction)});
}

// Text ---------------------------------------------------------------------------------------

const std::string& StationSettings::text(ControlName name) const {
    return at(name, Kind::Text).text;
}

void StationSettings::setText(ControlName name, std::string value) {
    Control& control = at(name, Kind::Text);
    if (control.text != value) {
        control.text = std::move(value);
        notify(control, Aspect::Value);
    }
}

int StationSettings::maxLength(ControlName name) const {
    if (name.kind() == Kind::Grid) {
        return kGridDefs[name.def()].cellMaxLength;
    }
    return kTextDefs[checkedDef(name, Kind::Text)].maxLength;
}

const TextDef& StationSettings::textDef(ControlName name) {
    return kTextDefs[checkedDef(name, Kind::Text)];
}

// Choice and items ---------------------------------------------------------------------------

int StationSettings::choice(ControlName name) const {
    return at(name, Kind::Choice).number;
}

void StationSettings::setChoice(ControlName name, int index) {
    Control& control = at(name, Kind::Choice);
    const int stored = index < 0 ? -1 : index;
    if (control.number != stored) {
        control.number = stored;
        notify(control, Aspect::Value);
    }
}

const std::vector<std::string>& StationSettings::items(ControlName name) const {
    return any(name).items;
}

void StationSettings::setItems(ControlName name, std::vector<std::string> items) {
    Control& control = any(name);
    if (control.items == items) {
        return;
    }
    control.items = std::move(items);
    if (name.kind() == Kind::CheckList) {
        control.checks.resize(control.items.size(), false);
    }
    notify(control, Aspect::Items);
}

// Flag and check list ------------------------------------------------------------------------

bool StationSettings::flag(ControlName name) const {
    return at(name, Kind::Flag).flag;
}

void StationSettings::setFlag(ControlName name, bool value) {
    Control& control = at(name, Kind::Flag);
    const std::string_view group = kFlagDefs[name.def()].group;
    if (value && !group.empty()) {
        for (const ControlName other : ControlName::all()) {
            if (other.kind() == Kind::Flag && other != name && kFlagDefs[other.def()].group == group) {
                setFlag(other, false);
            }
        }
    }
    if (control.flag != value) {
        control.flag = value;
        notify(control, Aspect::Value);
    }
}

bool StationSettings::checked(ControlName name, int item) const {
    const Control& control = at(name, Kind::CheckList);
    return control.checks.at(static_cast<std::size_t>(item));
}

void StationSettings::setChecked(ControlName name, int item, bool value) {
    Control& control = at(name, Kind::CheckList);
    std::vector<bool>::reference slot = control.checks.at(static_cast<std::size_t>(item));
    if (slot != value) {
        slot = value;
        notify(control, Aspect::Value);
    }
}

// Integer ------------------------------------------------------------------------------------

int StationSettings::integer(ControlName name) const {
    return at(name, Kind::Integer).number;
}

const IntegerDef& StationSettings::integerDef(ControlName name) const {
    return kIntegerDefs[checkedDef(name, Kind::Integer)];
}

void StationSettings::setInteger(ControlName name, int value) {
    Control& control = at(name, Kind::Integer);
    const IntegerDef& def = kIntegerDefs[name.def()];
    const int stored = std::clamp(value, def.min, def.max);
    if (control.number != stored) {
        control.number = stored;
        notify(control, Aspect::Value);
    }
}

// Decimal ------------------------------------------------------------------------------------

const DecimalDef& StationSettings::decimalDef(ControlName name) const {
    return kDecimalDefs[checkedDef(name, Kind::Decimal)];
}

const std::string& StationSettings::decimalText(ControlName name) const {
    return at(name, Kind::Decimal).text;
}

double StationSettings::decimal(ControlName name) {
    Control& control = at(name, Kind::Decimal);
    const DecimalDef& def = kDecimalDefs[name.def()];
    const std::optional<double> parsed = parseDecimal(control.text);
    const double value = parsed ? std::clamp(*parsed, def.min, def.max) : def.min;
    if (!parsed || value != *parsed) {
        storeDecimal(name, control, formatDecimal(value, def.decimals));
    }
    return value;
}

void StationSettings::setDecimal(ControlName name, double value) {
    Control& control = at(name, Kind::Decimal);
    const DecimalDef& def = kDecimalDefs[name.def()];
    const double stored = std::isnan(value) ? def.min : std::clamp(value, def.min, def.max);
    storeDecimal(name, control, formatDecimal(stored, def.decimals));
}

void StationSettings::setDecimalText(ControlName name, std::string text) {
    storeDecimal(name, at(name, Kind::Decimal), std::move(text));
}

void StationSettings::storeDecimal(ControlName name, Control& control, std::string text) {
    const DecimalDef& def = kDecimalDefs[name.def()];
    const std::optional<double> value = parseDecimal(text);
    const bool special = !def.specialUnit.empty() && value &&
                         std::abs(std::clamp(*value, def.min, def.max) - def.specialAt) < kSpecialTolerance;
    std::string unit(special ? def.specialUnit : def.unit);
    if (control.text != text) {
        control.text = std::move(text);
        notify(control, Aspect::Value);
    }
    if (control.caption != unit) {
        control.caption = std::move(unit);
        notify(control, Aspect::State);
    }
}

// Grid ---------------------------------------------------------------------------------------

int StationSettings::rows(ControlName name) const {
    return kGridDefs[checkedDef(name, Kind::Grid)].rows;
}

int StationSettings::columns(ControlName name) const {
    return kGridDefs[checkedDef(name, Kind::Grid)].columns;
}

bool StationSettings::cellEditable(ControlName name, int column) const {
    return !(kGridDefs[checkedDef(name, Kind::Grid)].rowNumbers && column == 0);
}

std::size_t StationSettings::cellIndex(ControlName name, int row, int column) {
    const GridDef& def = kGridDefs[name.def()];
    if (row < 0 || row >= def.rows || column < 0 || column >= def.columns) {
        throw std::out_of_range("cell outside grid '" + std::string(def.name) + "'");
    }
    return static_cast<std::size_t>(row * def.columns + column);
}

const std::string& StationSettings::cell(ControlName name, int row, int column) const {
    return at(name, Kind::Grid).cells[cellIndex(name, row, column)];
}

void StationSettings::setCell(ControlName name, int row, int column, std::string value) {
    Control& control = at(name, Kind::Grid);
    std::string& slot = control.cells[cellIndex(name, row, column)];
    if (slot != value) {
        slot = std::move(value);
        notify(control, Aspect::Value);
    }
}

int StationSettings::row(ControlName name) const {
    return at(name, Kind::Grid).number;
}

void StationSettings::setRow(ControlName name, int row) {
    Control& control = at(name, Kind::Grid);
    const int stored = std::clamp(row, 0, kGridDefs[name.def()].rows - 1);
    if (control.number != stored) {
        control.number = stored;
        notify(control, Aspect::Value);
    }
}

// State --------------------------------------------------------------------------------------

bool StationSettings::enabled(ControlName name) const {
    return any(name).enabled;
}

void StationSettings::setEnabled(ControlName name, bool value) {
    Control& control = any(name);
    if (control.enabled != value) {
        control.enabled = value;
        notify(control, Aspect::State);
    }
}

bool StationSettings::visible(ControlName name) const {
    return any(name).visible;
}

void StationSettings::setVisible(ControlName name, bool value) {
    Control& control = any(name);
    if (control.visible != value) {
        control.visible = value;
        notify(control, Aspect::State);
    }
}

const std::string& StationSettings::caption(ControlName name) const {
    return any(name).caption;
}

void StationSettings::setCaption(ControlName name, std::string value) {
    Control& control = any(name);
    if (control.caption != value) {
        control.caption = std::move(value);
        notify(control, Aspect::State);
    }
}

// Timers -------------------------------------------------------------------------------------

std::chrono::milliseconds StationSettings::interval(ControlName name) const {
    return at(name, Kind::Timer).interval;
}

void StationSettings::setInterval(ControlName name, std::chrono::milliseconds value) {
    Control& control = at(name, Kind::Timer);
    if (control.interval != value) {
        control.interval = value;
        notify(control, Aspect::Value);
    }
}

bool StationSettings::timerEnabled(ControlName name) const {
    return at(name, Kind::Timer).flag;
}

void StationSettings::setTimerEnabled(ControlName name, bool value) {
    Control& control = at(name, Kind::Timer);
    if (control.flag != value) {
        control.flag = value;
        notify(control, Aspect::Value);
    }
}

} // namespace korvel::model
