#include "app/panel/ErrorGuard.h"

#include "model/StationSettings.h"

#include <exception>

namespace korvel::app {

ErrorGuard::ErrorGuard(model::StationSettings& settings)
    : m_settings(settings) {}

bool ErrorGuard::run(const std::function<void()>& call) noexcept {
    try {
        call();
        return true;
    } catch (const std::exception& error) {
        show(error.what());
    } catch (...) {
        show(kUnknownError);
    }
    return false;
}

void ErrorGuard::show(const char* message) noexcept {
    try {
        m_settings.setText("StatusBar1", message);
    } catch (...) {
        // Showing the message failed as well (out of memory, or a view that throws): there is
        // nothing left to show it with, and the program goes on.
    }
}

} // namespace korvel::app
