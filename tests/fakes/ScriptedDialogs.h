#pragma once

#include "model/Dialogs.h"

#include <optional>
#include <string>
#include <vector>

namespace korvel::fakes {

// Dialogs that answer Yes/No as scripted and keep every message shown.
class ScriptedDialogs : public model::Dialogs {
public:
    bool askYesNo(std::string_view text) override {
        questions.emplace_back(text);
        return answer;
    }
    void showError(std::string_view text) override { errors.emplace_back(text); }
    void showInformation(std::string_view text) override { information.emplace_back(text); }
    std::optional<std::string> chooseFile(std::string_view filter) override {
        filters.emplace_back(filter);
        return chosenFile;
    }

    bool answer = true;
    std::vector<std::string> questions;
    std::vector<std::string> errors;
    std::vector<std::string> information;
    std::vector<std::string> filters;
    std::optional<std::string> chosenFile; // nullopt: the operator cancels
};

} // namespace korvel::fakes
