#pragma once

#include <optional>
#include <string>

namespace korvel::link {

// A system's version report: platform family, version numbers and service-pack text.
struct VersionReport {
    enum class Family { Windows9x, WindowsNT, Other };
    Family family = Family::Other;
    int major = 0;
    int minor = 0;
    std::string servicePack;
};

// The operating-system version class 1..9 of a version report; an unknown platform, or no
// report at all (the query failed), is class 9.
[[nodiscard]] int OsVersionClass(const std::optional<VersionReport>& report);

// The class of the system the program runs on: Linux is none of the named families, so 9.
[[nodiscard]] int OsVersionClass();

} // namespace korvel::link
