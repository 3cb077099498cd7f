#include "app/Panel.h"

#include "link/OsVersion.h"

#include <array>

namespace korvel::app {

namespace {

struct ClickHandler {
    std::string_view control;
    void (*handle)(Panel&);
};

struct KeyHandler {
    std::string_view control;
    void (*handle)(char& key);
};

// clang-format off
constexpr std::array kClickHandlers{
    ClickHandler{"BCUPD",   [](Panel& p) { p.connection().RGPORTClick(link::Connection::Sender::Operator); }},
    ClickHandler{"BitBtn1", [](Panel& p) { p.connection().BitBtn1Click(); }},
};

constexpr std::array kKeyHandlers{
    KeyHandler{"ELPTA", link::Connection::ELPTAKeyPress},
};
// clang-format on

template <typename Table>
auto find(const Table& table, std::string_view control) -> const typename Table::value_type* {
    for (const auto& entry : table) {
        if (entry.control == control) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace

Panel::Panel(Services services)
    : m_settings(services.decimalSeparator)
    , m_codePage(services.codePage)
    , m_conversion(m_codePage)
    , m_library(services.library)
    , m_transactions(services.library, m_settings)
    , m_connection(services.library, m_settings, services.dialogs, std::move(services.processEvents)) {}

void Panel::FormCreate() {
    m_connection.RGPORTClick(link::Connection::Sender::Window);
    m_transactions.createKeepAlive(link::OsVersionClass());
}

void Panel::FormClose() {
    m_library.Disconnect();
    m_transactions.destroyKeepAlive();
}

void Panel::click(std::string_view control) {
    if (const ClickHandler* handler = find(kClickHandlers, control)) {
        handler->handle(*this);
    }
}

bool Panel::filtersKeys(std::string_view control) const {
    return find(kKeyHandlers, control) != nullptr;
}

void Panel::keyPress(std::string_view control, char& key) {
    if (const KeyHandler* handler = find(kKeyHandlers, control)) {
        handler->handle(key);
    }
}

} // namespace korvel::app
