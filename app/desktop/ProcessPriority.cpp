#include "app/desktop/ProcessPriority.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <sys/resource.h>
#include <vector>

namespace korvel::app {

namespace {

// A nice value of -10 is what desktops call "high".
constexpr int kHighNice = -10;
constexpr int kNormalNice = 0;
constexpr const char* kThreads = "/proc/self/task";
constexpr id_t kCallingThread = 0;

// The threads of the process by their ids; the calling thread alone when the list is unreadable.
std::vector<id_t> threads() {
    std::vector<id_t> ids;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(kThreads, error)) {
        const std::string name = entry.path().filename().string();
        id_t id = 0;
        if (std::from_chars(name.data(), name.data() + name.size(), id).ec == std::errc()) {
            ids.push_back(id);
        }
    }
    return ids.empty() ? std::vector<id_t>{kCallingThread} : ids;
}

} // namespace

// Linux keeps the nice value per thread, so each thread of the process takes it; threads started
// later inherit it from the thread that starts them.
std::optional<std::string> ProcessPriority::apply(bool high) {
    std::optional<std::string> refused;
    for (const id_t thread : threads()) {
        // A thread that ended meanwhile (ESRCH) needs no priority.
        if (setpriority(PRIO_PROCESS, thread, high ? kHighNice : kNormalNice) != 0 && errno != ESRCH &&
            !refused) {
            refused = std::strerror(errno);
        }
    }
    return refused;
}

} // namespace korvel::app
