#pragma once

#include "app/panel/AirLettersNotice.h"
#include "app/panel/ControlEvents.h"
#include "app/panel/ErrorGuard.h"
#include "app/panel/FieldEditors.h"
#include "app/panel/FormView.h"
#include "app/panel/GuardedEvents.h"
#include "app/panel/Preferences.h"
#include "app/panel/TextSourcePoll.h"
#include "app/panel/UnsentChanges.h"
#include "app/panel/WaitingDialogs.h"
#include "link/Connection.h"
#include "link/EncoderLibrary.h"
#include "link/Transactions.h"
#include "model/Clock.h"
#include "model/Dialogs.h"
#include "model/SettingsStore.h"
#include "model/StationSettings.h"
#include "operations/ClockTime.h"
#include "operations/DeviceCommands.h"
#include "operations/DeviceSettings.h"
#include "operations/EncoderTextWriter.h"
#include "operations/ReadBack.h"
#include "operations/StationSend.h"
#include "text/CodePage.h"
#include "text/DpsPreview.h"
#include "text/DynamicPs.h"
#include "text/DynamicPsEditors.h"
#include "text/RadiotextRotation.h"
#include "text/RdsConversion.h"
#include "text/TitleCleanup.h"

#include <functional>
#include <string>
#include <vector>

namespace korvel::app {

// Owns the program's state and logic below the window: the station settings, the link to the
// encoder and the handlers. The window is a view on it that forwards the operator's events
// through events(); tests drive it without a window.
class Panel : public ControlEvents, private model::SettingsStore {
public:
    using SettingsFile = std::function<void(model::StationSettings&)>;

    // What the panel needs from its surroundings; all must outlive it.
    struct Services {
        const text::CodePage& codePage;
        char decimalSeparator;
        char timeSeparator;
        link::EncoderLibrary& library;
        model::Dialogs& dialogs;
        model::Clock& clock;
        std::function<void()> processEvents; // lets the window repaint during a long operation
        // Load and save the stored settings; none: every start is a first start.
        SettingsFile loadSettings = {};
        SettingsFile saveSettings = {};
        // Hands a function to the window's thread, from any thread; none: the text sources are
        // read on the window's thread.
        BackgroundTask::Post postToWindow = {};
        // Where the text sources are read; none: the local file system.
        std::shared_ptr<const text::FileSystem> fileSystem = {};
        Preferences::Desktop desktop = {};
        // The executable's folder and the user's data folder, each with a trailing separator.
        std::string programFolder = {};
        std::string dataFolder = {};
    };

    // Who asks the window to close: the operator is asked to confirm when "Confirm Exit" is set;
    // the system (a logout, a shutdown, a service stop) is never kept waiting.
    enum class CloseBy { Operator, System };

    static constexpr const char* kExitQuestion = "Exit the Korvel?";
    static constexpr const char* kManual = Preferences::kManual;

    explicit Panel(Services services);
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    // Start-up once the window exists. An error shows in the status bar and ends the sequence;
    // the window still comes up and the program goes on.
    void FormCreate(FormView& view);
    // The close sequence: false when the operator would rather not exit. A failing save shows in
    // the status bar and the close goes on.
    [[nodiscard]] bool FormClose(CloseBy by = CloseBy::Operator);
    // Whether an event handler or the close sequence is at work, perhaps in one of its pauses.
    [[nodiscard]] bool busy() const { return m_handling > 0; }

    // The way in for the window: every event passes the error guard first.
    [[nodiscard]] ControlEvents& events() { return m_guardedEvents; }
    [[nodiscard]] ErrorGuard& guard() { return m_guard; }

    void click(model::ControlName control) override;
    void doubleClick(model::ControlName control) override;
    void exit(model::ControlName control) override;
    [[nodiscard]] bool filtersKeys(model::ControlName control) const override;
    [[nodiscard]] FieldEditors::Focus keyPress(model::ControlName control, char& key) override;
    [[nodiscard]] int gridKeyPress(model::ControlName control, int row, char& key) override;
    [[nodiscard]] bool holds(model::ControlName control, const std::string& text) override;
    void tick(model::ControlName timer) override;
    void edit(model::ControlName control, const std::function<void()>& apply) override;
    void idle() override;

    [[nodiscard]] model::StationSettings& settings() { return m_settings; }
    [[nodiscard]] const text::CodePage& codePage() const { return m_codePage; }
    [[nodiscard]] link::Transactions& transactions() { return m_transactions; }
    [[nodiscard]] link::Connection& connection() { return m_connection; }
    [[nodiscard]] text::TitleCleanup& titleCleanup() { return m_titleCleanup; }
    [[nodiscard]] text::DpsPreview& preview() { return m_preview; }
    [[nodiscard]] text::DynamicPsEditors& dpsEditors() { return m_dpsEditors; }
    [[nodiscard]] text::RadiotextRotation& rotation() { return m_rotation; }
    [[nodiscard]] TextSourcePoll& sourcePoll() { return m_sourcePoll; }
    [[nodiscard]] operations::DeviceSettings& deviceSettings() { return m_deviceSettings; }
    [[nodiscard]] operations::StationSend& send() { return m_send; }
    [[nodiscard]] operations::ReadBack& readBack() { return m_readBack; }
    [[nodiscard]] operations::ClockTime& clockTime() { return m_clockTime; }
    [[nodiscard]] operations::DeviceCommands& commands() { return m_commands; }
    [[nodiscard]] FieldEditors& fields() { return m_fields; }
    [[nodiscard]] Preferences& preferences() { return m_preferences; }
    [[nodiscard]] UnsentChanges& unsent() { return m_unsent; }
    [[nodiscard]] AirLettersNotice& lettersNotice() { return m_lettersNotice; }

private:
    // One event under way: counted while it runs; when the outermost one ends, a notice the
    // logic found meanwhile goes to the status bar, after the status of its writes.
    class EventScope {
    public:
        explicit EventScope(Panel& panel);
        EventScope(const EventScope&) = delete;
        EventScope& operator=(const EventScope&) = delete;
        ~EventScope();

    private:
        Panel& m_panel;
    };

    void SaveRDSFN() override;
    // What a background task brings back, taken as an event of the window: dropped while another
    // handler runs, as a tick would be.
    void asEvent(const std::function<void()>& take);
    void observeReactions();
    void startUp(FormView& view);
    void loadSettings();
    void alignControls(FormView& view);
    void finishStartUp();

    model::StationSettings m_settings;
    ErrorGuard m_guard;
    GuardedEvents m_guardedEvents;
    const text::CodePage& m_codePage;
    char m_timeSeparator;
    text::RdsConversion m_conversion;
    link::EncoderLibrary& m_library;
    // Event handlers under way. Timer ticks that arrive while one works (during one of its fixed
    // pauses) are dropped, as ticks that a busy window could not take; while it waits in a
    // dialog they run.
    int m_handling = 0;
    WaitingDialogs m_dialogs;
    model::Clock& m_clock;
    SettingsFile m_loadSettings;
    SettingsFile m_saveSettings;
    std::string m_programFolder;
    std::string m_dataFolder;
    link::Transactions m_transactions;
    link::Connection m_connection;
    text::TitleCleanup m_titleCleanup;
    text::DynamicPs m_dynamicPs;
    text::DpsPreview m_preview;
    text::DynamicPsEditors m_dpsEditors;
    operations::EncoderTextWriter m_textWriter;
    text::RadiotextRotation m_rotation;
    TextSourcePoll m_sourcePoll;
    operations::DeviceSettings m_deviceSettings;
    operations::StationSend m_send;
    operations::ReadBack m_readBack;
    operations::ClockTime m_clockTime;
    operations::DeviceCommands m_commands;
    FieldEditors m_fields;
    Preferences m_preferences;
    UnsentChanges m_unsent;
    text::AirLetters m_airLetters;
    AirLettersNotice m_lettersNotice;
    std::vector<model::Subscription> m_reactions;
};

} // namespace korvel::app
