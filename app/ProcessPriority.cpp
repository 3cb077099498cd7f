#include "app/ProcessPriority.h"

#include <cerrno>
#include <cstring>
#include <sys/resource.h>

namespace korvel::app {

namespace {

// A nice value of -10 is what desktops call "high"; raising it back to 0 is always allowed.
constexpr int kHighNice = -10;
constexpr int kNormalNice = 0;

} // namespace

std::optional<std::string> ProcessPriority::apply(bool high) {
    if (setpriority(PRIO_PROCESS, 0, high ? kHighNice : kNormalNice) == 0) {
        return std::nullopt;
    }
    return std::string(std::strerror(errno));
}

} // namespace korvel::app
