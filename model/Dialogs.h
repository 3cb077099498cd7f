#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvel::model {

// The few questions and messages the logic puts to the operator. The window shows them as
// message boxes; tests answer as scripted. Texts are bytes of the desktop code page.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    [[nodiscard]] virtual bool askYesNo(std::string_view text) = 0;
    virtual void showError(std::string_view text) = 0;
    virtual void showInformation(std::string_view text) = 0;
    // A file to open, chosen by the operator: its full path, or nullopt when cancelled. The
    // filter names the files offered, as "Description (*.ext *.other)".
    [[nodiscard]] virtual std::optional<std::string> chooseFile(std::string_view filter) = 0;
};

} // namespace korvel::model
