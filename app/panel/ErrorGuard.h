#pragma once

#include <functional>

namespace korvel::model {
class StationSettings;
}

namespace korvel::app {

// The program's display of unexpected errors: a call from the window into the logic runs
// through it, and an exception that the call throws ends the call, puts its message into the
// status bar and lets the program go on. Nothing escapes into the event loop.
class ErrorGuard {
public:
    static constexpr const char* kUnknownError = "Unexpected error";

    // The settings must outlive the guard.
    explicit ErrorGuard(model::StationSettings& settings);

    // Runs the call; false when it ended with an error.
    bool run(const std::function<void()>& call) noexcept;

private:
    void show(const char* message) noexcept;

    model::StationSettings& m_settings;
};

} // namespace korvel::app
