#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korvel::link {

// The serial and parallel ports present on this machine: the device files /dev/ttyS*,
// /dev/ttyUSB*, /dev/ttyACM* and /dev/parport*, in natural order (ttyS2 before ttyS10).
class PortList {
public:
    [[nodiscard]] static std::vector<std::string> present(const std::filesystem::path& devices = "/dev");
};

} // namespace korvel::link
