#pragma once

#include "app/ControlEvents.h"
#include "app/ErrorGuard.h"
#include "app/GuardedEvents.h"
#include "link/Connection.h"
#include "link/EncoderLibrary.h"
#include "link/Transactions.h"
#include "model/Dialogs.h"
#include "model/StationSettings.h"
#include "operations/EncoderTextWriter.h"
#include "text/CodePage.h"
#include "text/DpsPreview.h"
#include "text/DynamicPs.h"
#include "text/DynamicPsEditors.h"
#include "text/RadiotextRotation.h"
#include "text/RdsConversion.h"
#include "text/TitleCleanup.h"

#include <functional>
#include <vector>

namespace korvel::app {

// Owns the program's state and logic below the window: the station settings, the link to the
// encoder and the handlers. The window is a view on it that forwards the operator's events
// through events(); tests drive it without a window.
class Panel : public ControlEvents {
public:
    // What the panel needs from its surroundings; all must outlive it.
    struct Services {
        const text::CodePage& codePage;
        char decimalSeparator;
        link::EncoderLibrary& library;
        model::Dialogs& dialogs;
        std::function<void()> processEvents; // lets the window repaint during a long operation
        // Loads the stored settings at start-up; none: every start is a first start.
        std::function<void(model::StationSettings&)> loadSettings = {};
    };

    explicit Panel(Services services);
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    // Start-up once the window exists, and the close sequence. An error shows in the status bar
    // and ends the sequence; the program goes on.
    void FormCreate();
    void FormClose();

    // The way in for the window: every event passes the error guard first.
    [[nodiscard]] ControlEvents& events() { return m_guardedEvents; }
    [[nodiscard]] ErrorGuard& guard() { return m_guard; }

    void click(model::ControlName control) override;
    void doubleClick(model::ControlName control) override;
    void exit(model::ControlName control) override;
    [[nodiscard]] bool filtersKeys(model::ControlName control) const override;
    void keyPress(model::ControlName control, char& key) override;
    [[nodiscard]] int gridKeyPress(model::ControlName control, int row, char& key) override;
    void tick(model::ControlName timer) override;
    void edit(const std::function<void()>& apply) override;

    [[nodiscard]] model::StationSettings& settings() { return m_settings; }
    [[nodiscard]] const text::CodePage& codePage() const { return m_codePage; }
    [[nodiscard]] const text::RdsConversion& conversion() const { return m_conversion; }
    [[nodiscard]] link::Transactions& transactions() { return m_transactions; }
    [[nodiscard]] link::Connection& connection() { return m_connection; }
    [[nodiscard]] text::TitleCleanup& titleCleanup() { return m_titleCleanup; }
    [[nodiscard]] text::DynamicPs& dynamicPs() { return m_dynamicPs; }
    [[nodiscard]] text::DpsPreview& preview() { return m_preview; }
    [[nodiscard]] text::DynamicPsEditors& dpsEditors() { return m_dpsEditors; }
    [[nodiscard]] text::RadiotextRotation& rotation() { return m_rotation; }

private:
    void observeReactions();
    void loadSettings();
    void alignControls();

    model::StationSettings m_settings;
    ErrorGuard m_guard;
    GuardedEvents m_guardedEvents;
    const text::CodePage& m_codePage;
    text::RdsConversion m_conversion;
    link::EncoderLibrary& m_library;
    std::function<void(model::StationSettings&)> m_loadSettings;
    link::Transactions m_transactions;
    link::Connection m_connection;
    text::TitleCleanup m_titleCleanup;
    text::DynamicPs m_dynamicPs;
    text::DpsPreview m_preview;
    text::DynamicPsEditors m_dpsEditors;
    operations::EncoderTextWriter m_textWriter;
    text::RadiotextRotation m_rotation;
    std::vector<model::Subscription> m_reactions;
};

} // namespace korvel::app
