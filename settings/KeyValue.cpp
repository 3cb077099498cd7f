#include "settings/KeyValue.h"

#include "model/StationSettings.h"
#include "settings/IniValue.h"

#include <cmath>
#include <stdexcept>

namespace korvel::settings {

namespace {

// What the clock-time button's caption says while sending is off; the file names the state.
constexpr std::string_view kStartCaption = "Start";
constexpr std::string_view kRunning = "Start";
constexpr std::string_view kStopped = "Stop";

[[noreturn]] void misplaced(const SettingsKey& key) {
    throw std::logic_error("settings key '" + std::string(key.key) + "' has no place of its kind");
}

model::ControlName control(const Where& where) {
    return where.control.value();
}

int lastColumn(const model::StationSettings& settings, const Where& where) {
    return settings.columns(control(where)) - 1;
}

int wholeSteps(double value, const Where& where) {
    const double steps = value / where.step;
    return static_cast<int>(where.rounding == Rounding::Cut ? std::trunc(steps) : std::round(steps));
}

// The value the key's range check leaves; nullopt when the setting is to stay as it is.
std::optional<int> checked(const OnLoading& check, int value) {
    const bool inside = value >= check.min && value <= check.max;
    switch (check.range) {
    case Range::Any:
        return value;
    case Range::OnlyWhen:
        return inside ? std::optional<int>(value) : std::nullopt;
    case Range::Gives:
        return inside ? value : check.outside;
    case Range::AtMost:
        return value > check.max ? check.max : value;
    }
    return value;
}

} // namespace

int KeyValue::integer(model::StationSettings& settings, const Where& where) {
    switch (where.place) {
    case Place::Control:
        return control(where).kind() == model::Kind::Choice ? settings.choice(control(where))
                                                            : settings.integer(control(where));
    case Place::Steps:
        return wholeSteps(settings.decimal(control(where)), where);
    case Place::WindowTop:
        return settings.program().windowTop;
    case Place::WindowLeft:
        return settings.program().windowLeft;
    case Place::Port:
        return settings.program().portIndex;
    default:
        throw std::logic_error("not an integer place");
    }
}

void KeyValue::setInteger(model::StationSettings& settings, const Where& where, int value) {
    switch (where.place) {
    case Place::Control:
        if (control(where).kind() == model::Kind::Choice) {
            settings.setChoice(control(where), value);
        } else {
            settings.setInteger(control(where), value);
        }
        return;
    case Place::Steps:
        settings.setDecimal(control(where), value * where.step);
        return;
    case Place::WindowTop:
        settings.program().windowTop = value;
        return;
    case Place::WindowLeft:
        settings.program().windowLeft = value;
        return;
    case Place::Port:
        settings.setChoice("CBPORT", value);
        return;
    default:
        throw std::logic_error("not an integer place");
    }
}

bool KeyValue::flag(const model::StationSettings& settings, const Where& where) {
    switch (where.place) {
    case Place::Control:
        return settings.flag(control(where));
    case Place::Item:
        return settings.checked(control(where), where.index);
    case Place::StartVisible:
        return settings.program().startVisible;
    case Place::RadiotextToggle:
        return settings.program().radiotextToggle != 0;
    default:
        throw std::logic_error("not a flag place");
    }
}

void KeyValue::setFlag(model::StationSettings& settings, const Where& where, bool value) {
    switch (where.place) {
    case Place::Control:
        settings.setFlag(control(where), value);
        return;
    case Place::Item:
        settings.setChecked(control(where), where.index, value);
        return;
    case Place::StartVisible:
        settings.program().startVisible = value;
        return;
    case Place::RadiotextToggle:
        settings.program().radiotextToggle = value ? 1 : 0;
        return;
    default:
        throw std::logic_error("not a flag place");
    }
}

std::string KeyValue::text(const model::StationSettings& settings, const Where& where) {
    switch (where.place) {
    case Place::Control:
        return settings.text(control(where));
    case Place::Cell:
        return settings.cell(control(where), where.index, lastColumn(settings, where));
    case Place::ClockTimeState:
        return std::string(settings.caption("BSETCT") == kStartCaption ? kStopped : kRunning);
    case Place::DpsSourceText:
        return settings.program().dpsFromFile;
    case Place::RtSourceText:
        return settings.program().rtFromFile;
    default:
        throw std::logic_error("not a text place");
    }
}

void KeyValue::setText(model::StationSettings& settings, const Where& where, std::string value) {
    switch (where.place) {
    case Place::Control:
        settings.setText(control(where), std::move(value));
        return;
    case Place::Cell:
        settings.setCell(control(where), where.index, lastColumn(settings, where), std::move(value));
        return;
    case Place::ClockTimeState:
        // Start-up presses the button once: "Start" starts sending, any other caption stops it.
        settings.setCaption("BSETCT", std::move(value));
        return;
    case Place::DpsSourceText:
        settings.program().dpsFromFile = std::move(value);
        return;
    case Place::RtSourceText:
        settings.program().rtFromFile = std::move(value);
        return;
    default:
        throw std::logic_error("not a text place");
    }
}

std::string KeyValue::save(model::StationSettings& settings, const SettingsKey& key) {
    switch (key.kind) {
    case ValueKind::Integer:
        return std::to_string(integer(settings, key.where));
    case ValueKind::Boolean:
        return flag(settings, key.where) ? "1" : "0";
    case ValueKind::String:
        return IniValue::string(text(settings, key.where));
    case ValueKind::Quoted:
        return IniValue::quoted(text(settings, key.where));
    }
    misplaced(key);
}

void KeyValue::loadInteger(model::StationSettings& settings, const SettingsKey& key,
                           std::optional<int> value) {
    if (!value && key.check.hasDefault) {
        value = key.check.number;
    } else if (value) {
        value = checked(key.check, *value);
    }
    if (value) {
        setInteger(settings, key.where, *value);
    }
}

void KeyValue::load(model::StationSettings& settings, const SettingsKey& key,
                    std::optional<std::string_view> value) {
    if (!key.check.read) {
        return;
    }
    switch (key.kind) {
    case ValueKind::Integer:
        loadInteger(settings, key, value ? IniValue::readInteger(*value) : std::nullopt);
        return;
    case ValueKind::Boolean: {
        const std::optional<int> number = value ? IniValue::readInteger(*value) : std::nullopt;
        if (number || key.check.hasDefault) {
            setFlag(settings, key.where, number.value_or(key.check.number) != 0);
        }
        return;
    }
    case ValueKind::String:
    case ValueKind::Quoted:
        if (value || key.check.hasDefault) {
            setText(settings, key.where,
                    !value                          ? std::string(key.check.text)
                    : key.kind == ValueKind::Quoted ? IniValue::readQuoted(*value)
                                                    : IniValue::readString(*value));
        }
        return;
    }
    misplaced(key);
}

} // namespace korvel::settings
