#pragma once

#include "fakes/ManualClock.h"
#include "fakes/RecordingLibrary.h"
#include "fakes/RecordingView.h"
#include "fakes/ScriptedDialogs.h"
#include "text/CodePage.h"

#include <string>
#include <vector>

namespace korvel::fakes {

// What a panel under test stands on: the Western European desktop code page, an I/O library
// (one that records by default), scripted dialogs, a clock moved by hand and a view that logs
// the window's steps.
template <typename Library = RecordingLibrary> struct PanelSurroundings {
    const text::CodePage codePage{1252};
    Library library;
    ScriptedDialogs dialogs;
    ManualClock clock;
    std::vector<std::string> windowSteps;
    RecordingView view{windowSteps};
};

} // namespace korvel::fakes
