#pragma once

#include <functional>

namespace korvel::app {

// The thread of the window's event loop, as the logic's background work sees it.
class WindowThread {
public:
    // Runs the call on the window's thread when its event loop next turns; callable from any
    // thread as long as the application object lives.
    static void post(std::function<void()> call);
};

} // namespace korvel::app
