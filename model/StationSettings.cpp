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

std::string kindError(std::string_view name) {
    return "control '" + std::string(name) + "' is not of the kind asked for";
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
    : m_decimalSeparator(decimalSeparator) {
    addControls<kTextDefs>(Kind::Text);
    addControls<kChoiceDefs>(Kind::Choice);
    addControls<kFlagDefs>(Kind::Flag);
    addControls<kCheckListDefs>(Kind::CheckList);
    addControls<kIntegerDefs>(Kind::Integer);
    addControls<kDecimalDefs>(Kind::Decimal);
    addControls<kGridDefs>(Kind::Grid);
    addControls<kCommandDefs>(Kind::Command);
    addControls<kTimerDefs>(Kind::Timer);
    reset();
}

template <const auto& kDefs> void StationSettings::addControls(Kind kind) {
    for (std::size_t i = 0; i < kDefs.size(); ++i) {
        auto [it, inserted] = m_index.emplace(std::string(kDefs[i].name), m_controls.size());
        if (!inserted) {
            throw std::logic_error("control '" + it->first + "' is defined twice");
        }
        Control& control = m_controls.emplace_back();
        control.kind = kind;
        control.def = i;
    }
}

void StationSettings::reset() {
    for (const auto& def : kTextDefs) {
        resetState(def.name, true, true);
        setItems(def.name, def.items ? def.items(m_decimalSeparator) : std::vector<std::string>{});
        setText(def.name, std::string(def.initial));
    }
    for (const auto& def : kChoiceDefs) {
        resetState(def.name, true, true);
        setItems(def.name, def.items(m_decimalSeparator));
        setChoice(def.name, def.initial);
    }
    for (const auto& def : kFlagDefs) {
        resetState(def.name, true, true);
        Control& control = at(def.name, Kind::Flag);
        if (control.flag != def.initial) {
            control.flag = def.initial; // direct: the one-of rule must not clear a default
            notify(control, Aspect::Value);
        }
    }
    for (const auto& def : kCheckListDefs) {
        resetState(def.name, true, true);
        setItems(def.name, def.items(m_decimalSeparator));
        for (std::size_t item = 0; item < items(def.name).size(); ++item) {
            setChecked(def.name, static_cast<int>(item), false);
        }
    }
    for (const auto& def : kIntegerDefs) {
        resetState(def.name, true, true);
        setInteger(def.name, def.initial);
    }
    for (const auto& def : kDecimalDefs) {
        resetState(def.name, true, true);
        setDecimal(def.name, def.initial);
    }
    for (const auto& def : kGridDefs) {
        resetState(def.name, true, true);
        for (int row = 0; row < def.rows; ++row) {
            for (int column = 0; column < def.columns; ++column) {
                const bool number = def.rowNumbers && column == 0;
                setCell(def.name, row, column, number ? std::to_string(row + 1) : std::string());
            }
        }
    }
    for (const auto& def : kCommandDefs) {
        resetState(def.name, def.enabled, def.visible);
        setCaption(def.name, std::string(def.caption));
    }
    for (const auto& def : kTimerDefs) {
        resetState(def.name, true, true);
        setInterval(def.name, def.interval);
        setTimerEnabled(def.name, def.enabled);
    }
    m_program = ProgramState{};
}

void StationSettings::resetState(std::string_view name, bool enabled, bool visible) {
    setEnabled(name, enabled);
    setVisible(name, visible);
}

bool StationSettings::has(std::string_view name) const {
    return m_index.find(name) != m_index.end();
}

Kind StationSettings::kind(std::string_view name) const {
    return any(name).kind;
}

std::vector<std::string_view> StationSettings::names() const {
    std::vector<std::string_view> result;
    result.reserve(m_index.size());
    for (const auto& entry : m_index) {
        result.emplace_back(entry.first);
    }
    return result;
}

std::size_t StationSettings::indexOf(std::string_view name) const {
    auto it = m_index.find(name);
    if (it == m_index.end()) {
        throw std::invalid_argument("no control named '" + std::string(name) + "'");
    }
    return it->second;
}

StationSettings::Control& StationSettings::any(std::string_view name) {
    return m_controls[indexOf(name)];
}

const StationSettings::Control& StationSettings::any(std::string_view name) const {
    return const_cast<StationSettings*>(this)->any(name);
}

StationSettings::Control& StationSettings::at(std::string_view name, Kind kind) {
    Control& control = any(name);
    if (control.kind != kind) {
        throw std::invalid_argument(kindError(name));
    }
    return control;
}

const StationSettings::Control& StationSettings::at(std::string_view name, Kind kind) const {
    return const_cast<StationSettings*>(this)->at(name, kind);
}

void StationSettings::notify(Control& control, Aspect aspect) {
    // A copy, so that an observer may subscribe or unsubscribe while being called.
    const auto observers = control.observers;
    for (const auto& entry : observers) {
        entry.second(aspect);
    }
}

Subscription StationSettings::subscribe(std::string_view name, Observer observer) {
    const std::size_t index = indexOf(name);
    const std::size_t id = m_nextObserverId++;
    m_controls[index].observers.emplace_back(id, std::move(observer));
    return Subscription(
        [this, index](std::size_t cancelled) {
            auto& list = m_controls[index].observers;
            std::erase_if(list, [cancelled](const auto& entry) { return entry.first == cancelled; });
        },
        id);
}

// Text ---------------------------------------------------------------------------------------

const std::string& StationSettings::text(std::string_view name) const {
    return at(name, Kind::Text).text;
}

void StationSettings::setText(std::string_view name, std::string value) {
    Control& control = at(name, Kind::Text);
    if (control.text != value) {
        control.text = std::move(value);
        notify(control, Aspect::Value);
    }
}

int StationSettings::maxLength(std::string_view name) const {
    const Control& control = any(name);
    if (control.kind == Kind::Grid) {
        return kGridDefs[control.def].cellMaxLength;
    }
    return kTextDefs[at(name, Kind::Text).def].maxLength;
}

// Choice and items ---------------------------------------------------------------------------

int StationSettings::choice(std::string_view name) const {
    return at(name, Kind::Choice).number;
}

void StationSettings::setChoice(std::string_view name, int index) {
    Control& control = at(name, Kind::Choice);
    const bool inList = index >= 0 && index < static_cast<int>(control.items.size());
    const int stored = inList ? index : -1;
    if (control.number != stored) {
        control.number = stored;
        notify(control, Aspect::Value);
    }
}

const std::vector<std::string>& StationSettings::items(std::string_view name) const {
    return any(name).items;
}

void StationSettings::setItems(std::string_view name, std::vector<std::string> items) {
    Control& control = any(name);
    if (control.items == items) {
        return;
    }
    control.items = std::move(items);
    if (control.kind == Kind::CheckList) {
        control.checks.resize(control.items.size(), false);
    }
    notify(control, Aspect::Items);
    if (control.kind == Kind::Choice && control.number >= static_cast<int>(control.items.size())) {
        setChoice(name, -1);
    }
}

// Flag and check list ------------------------------------------------------------------------

bool StationSettings::flag(std::string_view name) const {
    return at(name, Kind::Flag).flag;
}

void StationSettings::setFlag(std::string_view name, bool value) {
    Control& control = at(name, Kind::Flag);
    const std::string_view group = kFlagDefs[control.def].group;
    if (value && !group.empty()) {
        for (const auto& def : kFlagDefs) {
            if (def.group == group && def.name != name) {
                setFlag(def.name, false);
            }
        }
    }
    if (control.flag != value) {
        control.flag = value;
        notify(control, Aspect::Value);
    }
}

bool StationSettings::checked(std::string_view name, int item) const {
    const Control& control = at(name, Kind::CheckList);
    return control.checks.at(static_cast<std::size_t>(item));
}

void StationSettings::setChecked(std::string_view name, int item, bool value) {
    Control& control = at(name, Kind::CheckList);
    std::vector<bool>::reference slot = control.checks.at(static_cast<std::size_t>(item));
    if (slot != value) {
        slot = value;
        notify(control, Aspect::Value);
    }
}

// Integer ------------------------------------------------------------------------------------

int StationSettings::integer(std::string_view name) const {
    return at(name, Kind::Integer).number;
}

const IntegerDef& StationSettings::integerDef(std::string_view name) const {
    return kIntegerDefs[at(name, Kind::Integer).def];
}

void StationSettings::setInteger(std::string_view name, int value) {
    Control& control = at(name, Kind::Integer);
    const IntegerDef& def = kIntegerDefs[control.def];
    const int stored = std::clamp(value, def.min, def.max);
    if (control.number != stored) {
        control.number = stored;
        notify(control, Aspect::Value);
    }
}

// Decimal ------------------------------------------------------------------------------------

const DecimalDef& StationSettings::decimalDef(std::string_view name) const {
    return kDecimalDefs[at(name, Kind::Decimal).def];
}

const std::string& StationSettings::decimalText(std::string_view name) const {
    return at(name, Kind::Decimal).text;
}

double StationSettings::decimal(std::string_view name) {
    Control& control = at(name, Kind::Decimal);
    const DecimalDef& def = kDecimalDefs[control.def];
    const std::optional<double> parsed = parseDecimal(control.text);
    const double value = parsed ? std::clamp(*parsed, def.min, def.max) : def.min;
    if (!parsed || value != *parsed) {
        storeDecimal(control, formatDecimal(value, def.decimals));
    }
    return value;
}

void StationSettings::setDecimal(std::string_view name, double value) {
    Control& control = at(name, Kind::Decimal);
    const DecimalDef& def = kDecimalDefs[control.def];
    const double stored = std::isnan(value) ? def.min : std::clamp(value, def.min, def.max);
    storeDecimal(control, formatDecimal(stored, def.decimals));
}

void StationSettings::setDecimalText(std::string_view name, std::string text) {
    storeDecimal(at(name, Kind::Decimal), std::move(text));
}

void StationSettings::storeDecimal(Control& control, std::string text) {
    const DecimalDef& def = kDecimalDefs[control.def];
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

int StationSettings::rows(std::string_view name) const {
    return kGridDefs[at(name, Kind::Grid).def].rows;
}

int StationSettings::columns(std::string_view name) const {
    return kGridDefs[at(name, Kind::Grid).def].columns;
}

bool StationSettings::cellEditable(std::string_view name, int column) const {
    return !(kGridDefs[at(name, Kind::Grid).def].rowNumbers && column == 0);
}

std::size_t StationSettings::cellIndex(const Control& control, int row, int column) const {
    const GridDef& def = kGridDefs[control.def];
    if (row < 0 || row >= def.rows || column < 0 || column >= def.columns) {
        throw std::out_of_range("cell outside grid '" + std::string(def.name) + "'");
    }
    return static_cast<std::size_t>(row * def.columns + column);
}

const std::string& StationSettings::cell(std::string_view name, int row, int column) const {
    const Control& control = at(name, Kind::Grid);
    return control.cells.at(cellIndex(control, row, column));
}

void StationSettings::setCell(std::string_view name, int row, int column, std::string value) {
    Control& control = at(name, Kind::Grid);
    const GridDef& def = kGridDefs[control.def];
    control.cells.resize(static_cast<std::size_t>(def.rows * def.columns));
    std::string& slot = control.cells[cellIndex(control, row, column)];
    if (slot != value) {
        slot = std::move(value);
        notify(control, Aspect::Value);
    }
}

// State --------------------------------------------------------------------------------------

bool StationSettings::enabled(std::string_view name) const {
    return any(name).enabled;
}

void StationSettings::setEnabled(std::string_view name, bool value) {
    Control& control = any(name);
    if (control.enabled != value) {
        control.enabled = value;
        notify(control, Aspect::State);
    }
}

bool StationSettings::visible(std::string_view name) const {
    return any(name).visible;
}

void StationSettings::setVisible(std::string_view name, bool value) {
    Control& control = any(name);
    if (control.visible != value) {
        control.visible = value;
        notify(control, Aspect::State);
    }
}

const std::string& StationSettings::caption(std::string_view name) const {
    return any(name).caption;
}

void StationSettings::setCaption(std::string_view name, std::string value) {
    Control& control = any(name);
    if (control.caption != value) {
        control.caption = std::move(value);
        notify(control, Aspect::State);
    }
}

// Timers -------------------------------------------------------------------------------------

std::chrono::milliseconds StationSettings::interval(std::string_view name) const {
    return at(name, Kind::Timer).interval;
}

void StationSettings::setInterval(std::string_view name, std::chrono::milliseconds value) {
    Control& control = at(name, Kind::Timer);
    if (control.interval != value) {
        control.interval = value;
        notify(control, Aspect::Value);
    }
}

bool StationSettings::timerEnabled(std::string_view name) const {
    return at(name, Kind::Timer).flag;
}

void StationSettings::setTimerEnabled(std::string_view name, bool value) {
    Control& control = at(name, Kind::Timer);
    if (control.flag != value) {
        control.flag = value;
        notify(control, Aspect::Value);
    }
}

} // namespace korvel::model
