#include "link/PortList.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <system_error>
#include <tuple>

namespace korvel::link {

namespace {

constexpr std::array<std::string_view, 4> kPrefixes{"ttyS", "ttyUSB", "ttyACM", "parport"};

// The prefix and the trailing number of a port name, for natural ordering; no number sorts first.
std::tuple<std::string, unsigned long> sortKey(const std::string& name) {
    const std::size_t digits = name.find_last_not_of("0123456789") + 1;
    const std::string number = name.substr(digits);
    return {name.substr(0, digits), number.empty() || number.size() > 9 ? 0 : std::stoul(number)};
}

bool isPort(const std::string& name) {
    return std::any_of(kPrefixes.begin(), kPrefixes.end(), [&name](std::string_view prefix) {
        return name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0;
    });
}

} // namespace

std::vector<std::string> PortList::present(const std::filesystem::path& devices) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(devices, error)) {
        const std::string name = entry.path().filename().string();
        if (isPort(name)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return sortKey(a) < sortKey(b); });
    for (std::string& name : names) {
        name = (devices / name).string();
    }
    return names;
}

} // namespace korvel::link
