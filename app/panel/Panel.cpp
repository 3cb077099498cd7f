#include "app/panel/Panel.h"

#include "link/OsVersion.h"

#include <array>
#include <filesystem>
#include <system_error>

namespace korvel::app {

namespace {

struct Handler {
    model::ControlName control;
    void (*handle)(Panel&);
};

struct KeyHandler {
    model::ControlName control;
    FieldEditors::Focus (*handle)(Panel&, char& key); // where the focus moves, if it moves
};

struct GridKeyHandler {
    model::ControlName control;
    int (*handle)(Panel&, int row, char& key); // returns the row current afterwards
};

// clang-format off
// Buttons and menu items.
constexpr std::array kClicks{
    Handler{"BSEND1",  [](Panel& p) { p.unsent().sent(p.send().BSEND1Click()); }},
    Handler{"BSTOR1",  [](Panel& p) { p.commands().BSTOR1Click(); }},
    Handler{"BREC1",   [](Panel& p) { p.unsent().read(p.readBack().BREC1Click()); }},
    Handler{"BSTAT",   [](Panel& p) { p.readBack().BSTATClick(); }},
    Handler{"BRESET",  [](Panel& p) { p.unsent().reset(p.commands().BRESETClick()); }},
    Handler{"BSWOFF",  [](Panel& p) { p.commands().BSWOFFClick(); }},
    Handler{"BSWON",   [](Panel& p) { p.commands().BSWONClick(); }},
    Handler{"BSETTA",  [](Panel& p) { p.commands().BSETTAClick(); }},
    Handler{"BSETCT",  [](Panel& p) { p.clockTime().BSETCTClick(); }},
    Handler{"BCUPD",   [](Panel& p) { p.connection().RGPORTClick(link::Connection::Sender::Operator); }},
    Handler{"BitBtn1", [](Panel& p) { p.connection().BitBtn1Click(); }},
    Handler{"BR8",     [](Panel& p) { p.fields().BR8Click(); }},
    Handler{"BR9",     [](Panel& p) { p.fields().BR9Click(); }},
    Handler{"BR1",     [](Panel& p) { p.preferences().BR1Click(); }},
    Handler{"GBHELP",  [](Panel& p) { p.preferences().GBHELPClick(); }},
    Handler{"Show1",   [](Panel& p) { p.preferences().TrayIconDblClick(); }},
    Handler{"Hide1",   [](Panel& p) { p.preferences().Hide1Click(); }},
    // The window was minimised: it may go to the tray instead.
    Handler{"Form1",   [](Panel& p) { static_cast<void>(p.preferences().minimised()); }},
};

constexpr std::array kDoubleClicks{
    Handler{"LP", [](Panel& p) { p.preview().LPDblClick(); }},
};

// The focus leaving a control.
constexpr std::array kExits{
    Handler{"DPS1",  [](Panel& p) { p.dpsEditors().DPS1Exit(); }},
    Handler{"DPS1B", [](Panel& p) { p.dpsEditors().DPS1BExit(); }},
    Handler{"PI",    [](Panel& p) { p.deviceSettings().PIExit(); }},
    Handler{"CBAF",  [](Panel& p) { p.fields().AF1Exit(); }},
    Handler{"DB3",   [](Panel& p) { p.deviceSettings().DBExit(0); }},
    Handler{"DB4",   [](Panel& p) { p.deviceSettings().DBExit(1); }},
    Handler{"DB5",   [](Panel& p) { p.deviceSettings().DBExit(2); }},
    Handler{"DB6",   [](Panel& p) { p.deviceSettings().DBExit(3); }},
    Handler{"DB7",   [](Panel& p) { p.deviceSettings().DBExit(4); }},
};

template <void (*kFilter)(char&)> FieldEditors::Focus filtered(Panel& /*panel*/, char& key) {
    kFilter(key);
    return std::nullopt;
}

FieldEditors::Focus afGridKey(Panel& panel, char& key) {
    if (key == FieldEditors::kDelete) {
        panel.fields().SGAFKeyUp(key);
        key = '\0';
        return std::nullopt;
    }
    return panel.fields().SGAFKeyPress(key);
}

constexpr std::array kKeys{
    KeyHandler{"ELPTA", filtered<link::Connection::ELPTAKeyPress>},
    KeyHandler{"PI",    filtered<operations::DeviceSettings::PIKeyPress>},
    // The byte editors take the PI's filter too, so that typed letters are not lost to "F".
    KeyHandler{"DB3",   filtered<operations::DeviceSettings::PIKeyPress>},
    KeyHandler{"DB4",   filtered<operations::DeviceSettings::PIKeyPress>},
    KeyHandler{"DB5",   filtered<operations::DeviceSettings::PIKeyPress>},
    KeyHandler{"DB6",   filtered<operations::DeviceSettings::PIKeyPress>},
    KeyHandler{"DB7",   filtered<operations::DeviceSettings::PIKeyPress>},
    KeyHandler{"SGAF",  afGridKey},
    KeyHandler{"CBAF",  [](Panel& p, char& key) { return p.fields().AF1KeyPress(key); }},
};

// The operator's own edits of a value, apart from the program's changes of it.
constexpr std::array kEdits{
    Handler{"CBAF", [](Panel& p) { p.fields().AF1Change(); }},
};

constexpr std::array kGridKeys{
    GridKeyHandler{"DPS1", [](Panel& p, int row, char& key) { return p.dpsEditors().DPS1KeyPress(row, key); }},
};

struct HoldsCheck {
    model::ControlName control;
    bool (*holds)(Panel&, const std::string& text);
};

// Fields whose text must stay inside what the field can mean, checked as it is typed or pasted.
constexpr std::array kHolds{
    HoldsCheck{"ELPTA", [](Panel& p, const std::string& text) { return p.connection().ELPTAHolds(text); }},
};

constexpr std::array kTimers{
    Handler{"Timer1",       [](Panel& p) { p.sourcePoll().Timer1Timer(); }},
    Handler{"Timer2",       [](Panel& p) { p.rotation().Timer2Timer(); }},
    Handler{"Timer3",       [](Panel& p) { p.clockTime().Timer3Timer(); }},
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
    Handler{"RGCS",     [](Panel& p) { p.deviceSettings().RGCSClick(); }},
    Handler{"RGHTYP",   [](Panel& p) { p.fields().RGHTYPClick(); }},
    Handler{"RBPTYC",   [](Panel& p) { p.fields().RBPTYCClick(); }},
    Handler{"SGAF",     [](Panel& p) { p.fields().SGAFClick(); }},
    Handler{"CBHPRI",   [](Panel& p) { p.preferences().CBHPRIClick(); }},
    Handler{"CBGRTYP",  [](Panel& p) { p.deviceSettings().CBGRTYPChange(); }},
    Handler{"CBCTTZ",   [](Panel& p) { p.clockTime().CBCTTZClick(); }},
    // The letters that reach the listener, as the texts and the conversion change
    Handler{"PSDEF",    [](Panel& p) { p.lettersNotice().check(); }},
    Handler{"DPS1B",    [](Panel& p) { p.lettersNotice().check(); }},
    Handler{"DPS1",     [](Panel& p) { p.lettersNotice().check(); }},
    Handler{"RT1",      [](Panel& p) { p.lettersNotice().check(); }},
    Handler{"RT2",      [](Panel& p) { p.lettersNotice().check(); }},
    Handler{"RT3",      [](Panel& p) { p.lettersNotice().check(); }},
    Handler{"RT4",      [](Panel& p) { p.lettersNotice().check(); }},
    Handler{"RBANSIC",  [](Panel& p) { p.lettersNotice().check(); }},
};
// clang-format on

template <typename Table>
auto find(const Table& table, model::ControlName control) -> const typename Table::value_type* {
    for (const auto& entry : table) {
        if (entry.control == control) {
            return &entry;
        }
    }
    return nullptr;
}

template <typename Table> void run(const Table& table, model::ControlName control, Panel& panel) {
    if (const auto* handler = find(table, control)) {
        handler->handle(panel);
    }
}

} // namespace

Panel::Panel(Services services)
    : m_settings(services.decimalSeparator)
    , m_guard(m_settings)
    , m_guardedEvents(*this, m_guard)
    , m_codePage(services.codePage)
    , m_timeSeparator(services.timeSeparator)
    , m_conversion(m_codePage)
    , m_library(services.library)
    , m_dialogs(services.dialogs, m_handling)
    , m_clock(services.clock)
    , m_loadSettings(std::move(services.loadSettings))
    , m_saveSettings(std::move(services.saveSettings))
    , m_programFolder(std::move(services.programFolder))
    , m_dataFolder(std::move(services.dataFolder))
    , m_transactions(services.library, m_settings)
    , m_connection(services.library, m_settings, m_dialogs, std::move(services.processEvents))
    , m_titleCleanup(m_settings, m_codePage)
    , m_dynamicPs(m_settings)
    , m_preview(m_settings, m_dynamicPs)
    , m_dpsEditors(m_settings, m_preview)
    , m_textWriter(m_settings, m_transactions, m_conversion)
    , m_rotation(m_settings, m_textWriter)
    , m_sourcePoll({{m_settings, m_codePage, m_titleCleanup, m_dynamicPs, m_preview, m_rotation, m_textWriter,
                     m_clock, [this] { m_unsent.mark(); }},
                    std::move(services.fileSystem),
                    std::move(services.postToWindow),
                    [this](const std::function<void()>& take) { asEvent(take); }})
    , m_deviceSettings(m_settings)
    , m_send({m_settings, m_transactions, m_conversion, m_dynamicPs, m_rotation, m_clock})
    , m_readBack({m_settings, m_transactions, m_conversion, m_dialogs, m_clock, m_deviceSettings, m_rotation,
                  m_dpsEditors, m_preview})
    , m_clockTime(m_settings, m_transactions, m_clock)
    , m_commands({m_settings, m_transactions, m_dialogs, m_clock, *this})
    , m_fields(m_settings, m_dialogs, m_deviceSettings)
    , m_preferences(m_settings, m_dialogs, std::move(services.desktop))
    , m_unsent(m_settings)
    , m_airLetters(m_codePage, m_conversion)
    , m_lettersNotice(m_settings, m_airLetters) {
    observeReactions();
}

void Panel::observeReactions() {
    for (const Handler& reaction : kReactions) {
        m_reactions.push_back(
            m_settings.react(reaction.control, [this, &reaction] { reaction.handle(*this); }));
    }
}

Panel::EventScope::EventScope(Panel& panel)
    : m_panel(panel) {
    ++m_panel.m_handling;
}

Panel::EventScope::~EventScope() {
    if (--m_panel.m_handling == 0) {
        m_panel.m_guard.run([this] { m_panel.m_lettersNotice.tell(); });
    }
}

void Panel::FormCreate(FormView& view) {
    const bool completed = m_guard.run([this, &view] {
        startUp(view);
        m_lettersNotice.tell();
    });
    // After an error the window comes up anyway, showing it in the status bar.
    const bool visible = m_preferences.startsVisible(!completed);
    view.showAtStart(visible);
    m_preferences.showAtStart(visible);
}

void Panel::startUp(FormView& view) {
    model::ProgramState& program = m_settings.program();
    program.startVisible = true;
    view.applyTranslation(m_programFolder);
    program.programFolder = m_programFolder;
    program.dataFolder = m_dataFolder;
    program.portIndex = -1;
    loadSettings();
    alignControls(view);
    finishStartUp();
}

// The stored values arrive one by one; the reactions they would set off wait, and the
// start-up steps below bring every dependent control into line once, in their order.
void Panel::loadSettings() {
    const model::StationSettings::ReactionHold hold(m_settings);
    // Clock-time sending resumes only when it was on: off is what a missing setting means.
    m_settings.setCaption("BSETCT", operations::ClockTime::kStop);
    if (m_loadSettings) {
        m_loadSettings(m_settings);
    }
    // A stored PTY coding other than the first shows its names.
    if (m_settings.choice("RBPTYC") != 0) {
        m_fields.RBPTYCClick();
    }
    // A stored high priority is taken at once; normal is the priority the process started with.
    if (m_settings.flag("CBHPRI")) {
        m_preferences.CBHPRIClick();
    }
}

// The start-up steps after loading, in their order. The window reports idle time from its
// creation on, so the clock display needs no step of its own.
void Panel::alignControls(FormView& view) {
    m_rotation.CBAUTOClick();
    m_connection.RGPORTClick(link::Connection::Sender::Window);
    view.ALONTOPClick();
    view.clearDecoderIdentificationSelection();
    m_dpsEditors.SEDPS1DLChange();
    m_dpsEditors.RGDPS1MClick();
    m_titleCleanup.GBMOClick();
    m_deviceSettings.PIExit();
    // The byte editors as Read leaves them, so that a hand-edited byte goes out checked. A byte
    // that is no hexadecimal number shows its error and start-up goes on.
    for (std::size_t byte = 0; byte < operations::DeviceSettings::kGroupBytes; ++byte) {
        m_guard.run([this, byte] { m_deviceSettings.DBExit(byte); });
    }
    // The editors follow the mode and stay locked while the text comes from a file: the same
    // rule as the mode's, so after start-up they follow the mode alone.
    m_dpsEditors.followModeAndSource();
    m_rotation.followRadiotextSource();
    m_rotation.SERTSWChange();
}

void Panel::finishStartUp() {
    model::ProgramState& program = m_settings.program();
    m_deviceSettings.RGCSClick();
    m_preferences.showStoredPicture();
    m_deviceSettings.CBGRTYPChange();
    m_rotation.RTSAClick();
    m_clockTime.CBCTTZClick();
    m_clockTime.BSETCTClick();
    m_fields.RGHTYPClick();
    m_transactions.createKeepAlive(link::OsVersionClass());
    program.lastDeviceActionTime = m_clock.now().timeOfDay();
    m_settings.setFlag("STMEN", m_clockTime.LetniCas());
    m_preview.ResetPreview();
    m_unsent.mark(); // until the first Send, the encoder may be sending anything
    m_lettersNotice.check();
    std::error_code unknown;
    m_settings.setVisible("GBHELP", std::filesystem::exists(m_programFolder + kManual, unknown));
}

bool Panel::FormClose(CloseBy by) {
    const EventScope handling(*this);
    if (by == CloseBy::Operator && m_settings.flag("CBCOEX") && !m_dialogs.askYesNo(kExitQuestion)) {
        return false;
    }
    m_guard.run([this] {
        m_settings.setText("StatusBar1", "Save and Exit...");
        m_library.Disconnect();
    });
    m_guard.run([this] { SaveRDSFN(); });
    m_transactions.destroyKeepAlive();
    return true;
}

void Panel::SaveRDSFN() {
    if (m_saveSettings) {
        m_saveSettings(m_settings);
    }
}

void Panel::click(model::ControlName control) {
    const EventScope handling(*this);
    run(kClicks, control, *this);
    m_sourcePoll.operatorActed();
}

void Panel::doubleClick(model::ControlName control) {
    const EventScope handling(*this);
    run(kDoubleClicks, control, *this);
}

void Panel::exit(model::ControlName control) {
    const EventScope handling(*this);
    run(kExits, control, *this);
}

bool Panel::filtersKeys(model::ControlName control) const {
    return find(kKeys, control) != nullptr || find(kGridKeys, control) != nullptr;
}

FieldEditors::Focus Panel::keyPress(model::ControlName control, char& key) {
    const EventScope handling(*this);
    const KeyHandler* handler = find(kKeys, control);
    return handler ? handler->handle(*this, key) : std::nullopt;
}

int Panel::gridKeyPress(model::ControlName control, int row, char& key) {
    const GridKeyHandler* handler = find(kGridKeys, control);
    return handler ? handler->handle(*this, row, key) : row;
}

bool Panel::holds(model::ControlName control, const std::string& text) {
    const HoldsCheck* check = find(kHolds, control);
    return check == nullptr || check->holds(*this, text);
}

void Panel::tick(model::ControlName timer) {
    if (m_handling > 0) {
        return;
    }
    const EventScope handling(*this);
    run(kTimers, timer, *this);
}

void Panel::asEvent(const std::function<void()>& take) {
    if (m_handling > 0) {
        return;
    }
    const EventScope handling(*this);
    m_guard.run(take);
}

void Panel::edit(model::ControlName control, const std::function<void()>& apply) {
    const EventScope handling(*this);
    apply();
    m_unsent.edited(control);
    run(kEdits, control, *this);
}

// The clock display: "h:nn" with the locale's time separator, and "d.mm.yy".
void Panel::idle() {
    const model::LocalTime now = m_clock.now();
    const auto twoDigits = [](int value) {
        return std::string(1, static_cast<char>('0' + value / 10 % 10)) + static_cast<char>('0' + value % 10);
    };
    m_settings.setText("LTIME", std::to_string(now.hour) + m_timeSeparator + twoDigits(now.minute));
    m_settings.setText("LDATE", std::to_string(now.day) + '.' + twoDigits(now.month) + '.' +
                                    twoDigits(now.year % 100));
}

} // namespace korvel::app
