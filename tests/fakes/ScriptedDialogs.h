#pragma once

#include "model/Dialogs.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korvel::fakes {

// Dialogs that answer Yes/No as scripted and keep every message shown. whileOpen stands for
// what happens while a dialog waits for the operator.
class ScriptedDialogs : public model::Dialogs {
public:
    bool askYesNo(std::string_view text) override {
        questions.emplace_back(text);
        wait();
        return answer;
    }
    void showError(std::string_view text) override {
        errors.emplace_back(text);
        wait();
    }
    void showInformation(std::string_view text) override {
        information.emplace_back(text);
        wait();
    }
    std::optional<std::string> chooseFile(std::string_view filter) override {
        filters.emplace_back(filter);
        wait();
        return chosenFile;
    }

    bool answer = true;
    std::vector<std::string> questions;
    std::vector<std::string> errors;
    std::vector<std::string> information;
    std::vector<std::string> filters;
    std::optional<std::string> chosenFile; // nullopt: the operator cancels
    std::function<void()> whileOpen;

private:
    void wait() const {
        if (whileOpen) {
            whileOpen();
        }
    }
};

} // namespace korvel::fakes
