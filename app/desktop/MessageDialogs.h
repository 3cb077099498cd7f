#pragma once

#include "app/bindings/DesktopText.h"
#include "app/bindings/DisplayTexts.h"
#include "model/Dialogs.h"

class QWidget;

namespace korvel::app {

// The logic's questions and messages as modal message boxes over the main window, in its words.
class MessageDialogs : public model::Dialogs {
public:
    explicit MessageDialogs(DesktopText text);

    // The window the boxes show over, and the words it shows the program's texts in; both must
    // outlive the dialogs' use.
    void showOver(QWidget* parent, const DisplayTexts* words) {
        m_parent = parent;
        m_words = words;
    }

    [[nodiscard]] bool askYesNo(std::string_view text) override;
    void showError(std::string_view text) override;
    void showInformation(std::string_view text) override;
    [[nodiscard]] std::optional<std::string> chooseFile(std::string_view filter) override;

private:
    [[nodiscard]] QString shown(std::string_view text) const;

    DesktopText m_text;
    QWidget* m_parent = nullptr;
    const DisplayTexts* m_words = nullptr;
};

} // namespace korvel::app
