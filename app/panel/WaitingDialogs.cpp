#include "app/panel/WaitingDialogs.h"

#include <utility>

namespace korvel::app {

WaitingDialogs::Open::Open(int& handling)
    : m_handling(handling)
    , m_saved(std::exchange(handling, 0)) {}

WaitingDialogs::Open::~Open() {
    m_handling = m_saved;
}

WaitingDialogs::WaitingDialogs(model::Dialogs& shown, int& handling)
    : m_shown(shown)
    , m_handling(handling) {}

bool WaitingDialogs::askYesNo(std::string_view text) {
    const Open open(m_handling);
    return m_shown.askYesNo(text);
}

void WaitingDialogs::showError(std::string_view text) {
    const Open open(m_handling);
    m_shown.showError(text);
}

void WaitingDialogs::showInformation(std::string_view text) {
    const Open open(m_handling);
    m_shown.showInformation(text);
}

std::optional<std::string> WaitingDialogs::chooseFile(std::string_view filter) {
    const Open open(m_handling);
    return m_shown.chooseFile(filter);
}

} // namespace korvel::app
