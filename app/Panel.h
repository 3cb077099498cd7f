#pragma once

#include "app/ControlEvents.h"
#include "link/Connection.h"
#include "link/EncoderLibrary.h"
#include "link/Transactions.h"
#include "model/Dialogs.h"
#include "model/StationSettings.h"
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
// encoder and the handlers. The window is a view on it that forwards the operator's events;
// tests drive it without a window.
class Panel : public ControlEvents {
public:
    // What the panel needs from its surroundings; all must outlive it.
    struct Services {
        const text::CodePage& codePage;
        char decimalSeparator;
        link::EncoderLibrary& library;
        model::Dialogs& dialogs;
        std::function<void()> processEvents; // lets the window repaint during a long operation
    };

    explicit Panel(Services services);
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    // Start-up once the window exists, and the close sequence.
    void FormCreate();
    void FormClose();

    void click(std::string_view control) override;
    void doubleClick(std::string_view control) override;
    void exit(std::string_view control) override;
    [[nodiscard]] bool filtersKeys(std::string_view control) const override;
    void keyPress(std::string_view control, char& key) override;
    [[nodiscard]] int gridKeyPress(std::string_view control, int row, char& key) override;
    void tick(std::string_view timer) override;

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

    model::StationSettings m_settings;
    const text::CodePage& m_codePage;
    text::RdsConversion m_conversion;
    link::EncoderLibrary& m_library;
    link::Transactions m_transactions;
    link::Connection m_connection;
    text::TitleCleanup m_titleCleanup;
    text::DynamicPs m_dynamicPs;
    text::DpsPreview m_preview;
    text::DynamicPsEditors m_dpsEditors;
    text::RadiotextRotation m_rotation;
    std::vector<model::Subscription> m_reactions;
};

} // namespace korvel::app
