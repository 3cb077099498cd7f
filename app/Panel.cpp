#include "app/Panel.h"

#include "link/OsVersion.h"

#include <array>

namespace korvel::app {

namespace {

struct Handler {
    std::string_view control;
    void (*handle)(Panel&);
};

struct KeyHandler {
    std::string_view control;
    void (*handle)(Panel&, char& key);
};

struct GridKeyHandler {
    std::string_view control;
    int (*handle)(Panel&, int row, char& key); // returns the row current afterwards
};

// clang-format off
// Buttons and menu items.
constexpr std::array kClicks{
    Handler{"BCUPD",   [](Panel& p) { p.connection().RGPORTClick(link::Connection::Sender::Operator); }},
    Handler{"BitBtn1", [](Panel& p) { p.connection().BitBtn1Click(); }},
};

constexpr std::array kDoubleClicks{
    Handler{"LP", [](Panel& p) { p.preview().LPDblClick(); }},
};

// The focus leaving a control.
constexpr std::array kExits{
    Handler{"DPS1",  [](Panel& p) { p.dpsEditors().DPS1Exit(); }},
    Handler{"DPS1B", [](Panel& p) { p.dpsEditors().DPS1BExit(); }},
};

constexpr std::array kKeys{
    KeyHandler{"ELPTA", [](Panel&, char& key) { link::Connection::ELPTAKeyPress(key); }},
};

constexpr std::array kGridKeys{
    GridKeyHandler{"DPS1", [](Panel& p, int row, char& key) { return p.dpsEditors().DPS1KeyPress(row, key); }},
};

constexpr std::array kTimers{
    Handler{"Timer2",       [](Panel& p) { p.rotation().Timer2Timer(); }},
    Handler{"TimerPreview", [](Panel& p) { p.preview().TimerPreviewTimer(); }},
};

// What the logic does when a value changes, whether the operator or the logic changed it.
constexpr std::array kReactions{
    Handler{"CBRSN",    [](Panel& p) { p.titleCleanup().GBMOClick(); }},
    Handler{"CBREIB",   [](Panel& p) { p.titleCleanup().GBMOClick(); }},
    Handler{"CBCTC",    [](Panel& p) { p.titleCleanup().GBMOClick(); }},
    Handler{"DPS1EN",   [](Panel& p) { p.dpsEditors().DPS1ENClick(); }},
    Handler{"CBD1FF",   [](Panel& p) { p.dpsEditors().DPS1ENClick(); }},
    Handler{"RGDPS1M",  [](Panel& p) { p.dpsEditors().RGDPS1MClick(); }},
    Handler{"SEDPS1DL", [](Panel& p) { p.dpsEditors().SEDPS1DLChange(); }},
    Handler{"RGDLD",    [](Panel& p) { p.preview().RGDLDClick(); }},
    Handler{"SEDPSLP",  [](Panel& p) { p.preview().SEDPSLPChange(); }},
    Handler{"RTSA",     [](Panel& p) { p.rotation().RTSAClick(); }},
    Handler{"CBRTEN",   [](Panel& p) { p.rotation().RTSAClick(); }},
    Handler{"CBR1FF",   [](Panel& p) { p.rotation().RTSAClick(); }},
    Handler{"SERTSW",   [](Panel& p) { p.rotation().SERTSWChange(); }},
    Handler{"CBAUTO",   [](Panel& p) { p.rotation().CBAUTOClick(); }},
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

template <typename Table> void run(const Table& table, std::string_view control, Panel& panel) {
    if (const auto* handler = find(table, control)) {
        handler->handle(panel);
    }
}

} // namespace

Panel::Panel(Services services)
    : m_settings(services.decimalSeparator)
    , m_codePage(services.codePage)
    , m_conversion(m_codePage)
    , m_library(services.library)
    , m_transactions(services.library, m_settings)
    , m_connection(services.library, m_settings, services.dialogs, std::move(services.processEvents))
    , m_titleCleanup(m_settings, m_codePage)
    , m_dynamicPs(m_settings)
    , m_preview(m_settings, m_dynamicPs)
    , m_dpsEditors(m_settings, m_preview)
    , m_rotation(m_settings, m_transactions, m_conversion) {
    observeReactions();
}

void Panel::observeReactions() {
    for (const Handler& reaction : kReactions) {
        m_reactions.push_back(m_settings.subscribe(reaction.control, [this, &reaction](model::Aspect aspect) {
            if (aspect == model::Aspect::Value) {
                reaction.handle(*this);
            }
        }));
    }
}

// The steps of start-up that bring every dependent control into line, in their order.
void Panel::FormCreate() {
    m_rotation.CBAUTOClick();
    m_connection.RGPORTClick(link::Connection::Sender::Window);
    m_dpsEditors.SEDPS1DLChange();
    m_dpsEditors.RGDPS1MClick();
    m_titleCleanup.GBMOClick();
    m_dpsEditors.DPS1ENClick();
    m_rotation.SERTSWChange();
    m_rotation.RTSAClick();
    m_preview.ResetPreview();
    m_transactions.createKeepAlive(link::OsVersionClass());
}

void Panel::FormClose() {
    m_library.Disconnect();
    m_transactions.destroyKeepAlive();
}

void Panel::click(std::string_view control) {
    run(kClicks, control, *this);
}

void Panel::doubleClick(std::string_view control) {
    run(kDoubleClicks, control, *this);
}

void Panel::exit(std::string_view control) {
    run(kExits, control, *this);
}

bool Panel::filtersKeys(std::string_view control) const {
    return find(kKeys, control) != nullptr || find(kGridKeys, control) != nullptr;
}

void Panel::keyPress(std::string_view control, char& key) {
    if (const KeyHandler* handler = find(kKeys, control)) {
        handler->handle(*this, key);
    }
}

int Panel::gridKeyPress(std::string_view control, int row, char& key) {
    const GridKeyHandler* handler = find(kGridKeys, control);
    return handler ? handler->handle(*this, row, key) : row;
}

void Panel::tick(std::string_view timer) {
    run(kTimers, timer, *this);
}

} // namespace korvel::app
