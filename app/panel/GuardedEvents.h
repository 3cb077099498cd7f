#pragma once

#include "app/panel/ControlEvents.h"
#include "app/panel/ErrorGuard.h"

namespace korvel::app {

// The window's way into the logic: every event passes the error guard before it reaches the
// logic's own handlers.
class GuardedEvents : public ControlEvents {
public:
    // Both must outlive the events.
    GuardedEvents(ControlEvents& logic, ErrorGuard& guard);

    void click(model::ControlName control) override;
    void doubleClick(model::ControlName control) override;
    void exit(model::ControlName control) override;
    [[nodiscard]] bool filtersKeys(model::ControlName control) const override;
    [[nodiscard]] std::optional<model::ControlName> keyPress(model::ControlName control, char& key) override;
    [[nodiscard]] int gridKeyPress(model::ControlName control, int row, char& key) override;
    [[nodiscard]] bool holds(model::ControlName control, const std::string& text) override;
    void tick(model::ControlName timer) override;
    void edit(model::ControlName control, const std::function<void()>& apply) override;
    void idle() override;

private:
    ControlEvents& m_logic;
    ErrorGuard& m_guard;
};

} // namespace korvel::app
