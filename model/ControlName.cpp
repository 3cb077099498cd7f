#include "model/ControlName.h"

#include <stdexcept>

namespace korvel::model::detail {

// Only reached while compiling, where it stops the build; never called by running code.
std::size_t no_control_has_this_name() {
    throw std::logic_error("no control has this name");
}

} // namespace korvel::model::detail
