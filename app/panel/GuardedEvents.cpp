#include "app/panel/GuardedEvents.h"

namespace korvel::app {

GuardedEvents::GuardedEvents(ControlEvents& logic, ErrorGuard& guard)
    : m_logic(logic)
    , m_guard(guard) {}

void GuardedEvents::click(model::ControlName control) {
    m_guard.run([&] { m_logic.click(control); });
}

void GuardedEvents::doubleClick(model::ControlName control) {
    m_guard.run([&] { m_logic.doubleClick(control); });
}

void GuardedEvents::exit(model::ControlName control) {
    m_guard.run([&] { m_logic.exit(control); });
}

bool GuardedEvents::filtersKeys(model::ControlName control) const {
    return m_logic.filtersKeys(control);
}

std::optional<model::ControlName> GuardedEvents::keyPress(model::ControlName control, char& key) {
    const char typed = key;
    std::optional<model::ControlName> focus;
    if (!m_guard.run([&] { focus = m_logic.keyPress(control, key); })) {
        key = typed;
        focus.reset();
    }
    return focus;
}

int GuardedEvents::gridKeyPress(model::ControlName control, int row, char& key) {
    const char typed = key;
    int next = row;
    if (!m_guard.run([&] { next = m_logic.gridKeyPress(control, row, key); })) {
        key = typed;
        next = row;
    }
    return next;
}

// A failing check refuses nothing: the field's length limit still stands.
bool GuardedEvents::holds(model::ControlName control, const std::string& text) {
    bool held = true;
    m_guard.run([&] { held = m_logic.holds(control, text); });
    return held;
}

void GuardedEvents::tick(model::ControlName timer) {
    m_guard.run([&] { m_logic.tick(timer); });
}

void GuardedEvents::edit(model::ControlName control, const std::function<void()>& apply) {
    m_guard.run([&] { m_logic.edit(control, apply); });
}

void GuardedEvents::idle() {
    m_guard.run([&] { m_logic.idle(); });
}

} // namespace korvel::app
