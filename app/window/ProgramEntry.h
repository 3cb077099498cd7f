#pragma once

#include <functional>

namespace korvel::app {

// The program from its start to its end: one instance per program folder, the splash window while
// the main window is built and started, then the event loop until the main window closes.
class ProgramEntry {
public:
    static constexpr const char* kRunningCaption = "Application already running";
    static constexpr const char* kRunningText = "Instance of this application is already running.";

    // Tells the user that the program already runs from this folder.
    using Refusal = std::function<void()>;

    explicit ProgramEntry(Refusal refuse = showAlreadyRunning);

    // Runs the program; the application object must exist. The exit code is 0, also when the
    // start is refused.
    int run();

    // The refusal as a message box of its own, without an owner window.
    static void showAlreadyRunning();

private:
    struct Program;

    Refusal m_refuse;
};

} // namespace korvel::app
