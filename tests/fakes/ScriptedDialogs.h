#pragma once

#include "model/Dialogs.h"

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

    bool answer = true;
    std::vector<std::string> questions;
    std::vector<std::string> errors;
    std::vector<std::string> information;
};

} // namespace korvel::fakes
