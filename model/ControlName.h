#pragma once

#include "model/ControlKind.h"
#include "model/Definitions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace korvel::model {

// One named control of the definition tables: its kind and its row in the table of that kind.
struct ControlEntry {
    std::string_view name;
    Kind kind = Kind::Text;
    std::uint16_t def = 0;
};

namespace detail {

template <const auto& kDefs, std::size_t N>
constexpr void appendControls(std::array<ControlEntry, N>& all, std::size_t& next, Kind kind) {
    for (std::size_t row = 0; row < kDefs.size(); ++row) {
        all[next++] = ControlEntry{kDefs[row].name, kind, static_cast<std::uint16_t>(row)};
    }
}

} // namespace detail

inline constexpr std::size_t kControlCount =
    kTextDefs.size() + kChoiceDefs.size() + kFlagDefs.size() + kCheckListDefs.size() + kIntegerDefs.size() +
    kDecimalDefs.size() + kGridDefs.size() + kCommandDefs.size() + kTimerDefs.size();

// Every control of every definition table, kind by kind.
inline constexpr std::array<ControlEntry, kControlCount> kControls = [] {
    std::array<ControlEntry, kControlCount> all{};
    std::size_t next = 0;
    detail::appendControls<kTextDefs>(all, next, Kind::Text);
    detail::appendControls<kChoiceDefs>(all, next, Kind::Choice);
    detail::appendControls<kFlagDefs>(all, next, Kind::Flag);
    detail::appendControls<kCheckListDefs>(all, next, Kind::CheckList);
    detail::appendControls<kIntegerDefs>(all, next, Kind::Integer);
    detail::appendControls<kDecimalDefs>(all, next, Kind::Decimal);
    detail::appendControls<kGridDefs>(all, next, Kind::Grid);
    detail::appendControls<kCommandDefs>(all, next, Kind::Command);
    detail::appendControls<kTimerDefs>(all, next, Kind::Timer);
    return all;
}();

namespace detail {

constexpr bool namesAreUnique() {
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        for (std::size_t j = i + 1; j < kControls.size(); ++j) {
            if (kControls[i].name == kControls[j].name) {
                return false;
            }
        }
    }
    return true;
}
static_assert(namesAreUnique(), "two controls share a name");

constexpr std::optional<std::size_t> findControl(std::string_view name) {
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (kControls[i].name == name) {
            return i;
        }
    }
    return std::nullopt;
}

// Deliberately not constexpr: a name checked while compiling that reaches this call fails the
// build, and the compiler's message names this function.
std::size_t no_control_has_this_name();

consteval std::size_t controlIndex(std::string_view name) {
    const std::optional<std::size_t> found = findControl(name);
    return found ? *found : no_control_has_this_name();
}

} // namespace detail

// The name of a control, the program's vocabulary. A name written in the code is checked when
// compiling: a misspelt name does not build. Names from outside the code (a widget's
// objectName, a settings file) go through find().
class ControlName {
public:
    consteval ControlName(const char* name) // NOLINT(google-explicit-constructor): literals are names
        : m_index(static_cast<std::uint16_t>(detail::controlIndex(name))) {}
    consteval explicit ControlName(std::string_view name)
        : m_index(static_cast<std::uint16_t>(detail::controlIndex(name))) {}

    // nullopt when no control has the name.
    [[nodiscard]] static constexpr std::optional<ControlName> find(std::string_view name) {
        const std::optional<std::size_t> found = detail::findControl(name);
        return found ? std::optional<ControlName>(ControlName(Row{}, *found)) : std::nullopt;
    }
    // Every control, in the order of kControls.
    [[nodiscard]] static constexpr std::array<ControlName, kControlCount> all() {
        std::array<ControlName, kControlCount> names{};
        for (std::size_t i = 0; i < names.size(); ++i) {
            names[i] = ControlName(Row{}, i);
        }
        return names;
    }

    [[nodiscard]] constexpr std::string_view str() const { return kControls[m_index].name; }
    [[nodiscard]] constexpr Kind kind() const { return kControls[m_index].kind; }
    // The control's row in kControls, and in the definition table of its kind.
    [[nodiscard]] constexpr std::size_t index() const { return m_index; }
    [[nodiscard]] constexpr std::size_t def() const { return kControls[m_index].def; }

    friend constexpr bool operator==(ControlName, ControlName) = default;

private:
    struct Row {};
    constexpr ControlName() = default;
    constexpr ControlName(Row, std::size_t index)
        : m_index(static_cast<std::uint16_t>(index)) {}

    std::uint16_t m_index = 0;
};

} // namespace korvel::model
