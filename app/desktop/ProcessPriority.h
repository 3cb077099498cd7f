#pragma once

#include <optional>
#include <string>

namespace korvel::app {

// The scheduling priority of the program's own process.
class ProcessPriority {
public:
    // High or normal; the system's reason when it refuses, nullopt when it took it.
    [[nodiscard]] static std::optional<std::string> apply(bool high);
};

} // namespace korvel::app
