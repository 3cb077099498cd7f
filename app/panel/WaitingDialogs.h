#pragma once

#include "model/Dialogs.h"

namespace korvel::app {

// The handlers' questions and messages, during which the timers go on: a box left open on an
// unattended studio machine must not stop the clock time, the titles or the rotation. Ticks are
// dropped only while a handler works, not while it waits for the operator.
class WaitingDialogs : public model::Dialogs {
public:
    // handling: the panel's depth of handlers under way; both must outlive this.
    WaitingDialogs(model::Dialogs& shown, int& handling);

    [[nodiscard]] bool askYesNo(std::string_view text) override;
    void showError(std::string_view text) override;
    void showInformation(std::string_view text) override;
    [[nodiscard]] std::optional<std::string> chooseFile(std::string_view filter) override;

private:
    // Lets events in for as long as it lives, then restores the depth.
    class Open {
    public:
        explicit Open(int& handling);
        Open(const Open&) = delete;
        Open& operator=(const Open&) = delete;
        ~Open();

    private:
        int& m_handling;
        int m_saved;
    };

    model::Dialogs& m_shown;
    int& m_handling;
};

} // namespace korvel::app
