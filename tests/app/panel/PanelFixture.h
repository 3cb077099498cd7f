#pragma once

#include "app/panel/Panel.h"
#include "fakes/PanelSurroundings.h"
#include "model/StationSettings.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace korvel::app {

using Load = std::function<void(model::StationSettings&)>;

// The panel as the program runs it, below the window: an operator's change of a value is an
// edit through the panel's events, as the window makes it.
class PanelFixture : public ::testing::Test, protected fakes::PanelSurroundings<> {
protected:
    void start(Load load = {}) { start(std::move(load), view); }
    void start(Load load, FormView& window) {
        m_panel = std::make_unique<Panel>(Panel::Services{
            .codePage = codePage,
            .decimalSeparator = '.',
            .timeSeparator = ':',
            .library = library,
            .dialogs = dialogs,
            .clock = clock,
            .loadSettings = std::move(load),
            .saveSettings = save,
            .desktop = {.setHighPriority = [this](bool high) { return priorityRefusal(high); },
                        .trayAvailable = [this] { return tray; }},
            .programFolder = programFolder,
            .dataFolder = dataFolder});
        m_panel->FormCreate(window);
    }

    Panel& panel() { return *m_panel; }
    model::StationSettings& settings() { return m_panel->settings(); }

    // What the operator does: the window applies the change through the panel's events.
    void operatorSets(const std::function<void(model::StationSettings&)>& change) {
        panel().events().edit("StatusBar1", [&] { change(settings()); });
    }

    // The preview display after n ticks of its timer.
    std::string previewAfter(int ticks) {
        for (int tick = 0; tick < ticks; ++tick) {
            panel().events().tick("TimerPreview");
        }
        return settings().text("LP");
    }

    // What the desktop answers: whether it has a tray, whether it takes a priority.
    std::optional<std::string> priorityRefusal(bool high) {
        priorities.push_back(high);
        return refusePriority ? std::optional<std::string>("Permission denied") : std::nullopt;
    }

    bool tray = false;
    bool refusePriority = false;
    std::vector<bool> priorities;
    Load save;
    std::string programFolder = "/opt/studio/";
    std::string dataFolder = "/home/op/.local/share/studio/";

private:
    std::unique_ptr<Panel> m_panel;
};

} // namespace korvel::app
