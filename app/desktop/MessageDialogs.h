#pragma once

#include "app/bindings/DesktopText.h"
#include "model/Dialogs.h"

class QWidget;

namespace korvel::app {

// The logic's questions and messages as modal message boxes over the main window.
class MessageDialogs : public model::Dialogs {
public:
    explicit MessageDialogs(DesktopText text);

    void setParent(QWidget* parent) { m_parent = parent; }

    [[nodiscard]] bool askYesNo(std::string_view text) override;
    void showError(std::string_view text) override;
    void showInformation(std::string_view text) override;
    [[nodiscard]] std::optional<std::string> chooseFile(std::string_view filter) override;

private:
    [[nodiscard]] QString shown(std::string_view text) const;

    DesktopText m_text;
    QWidget* m_parent = nullptr;
};

} // namespace korvel::app
