#pragma once

#include <chrono>
#include <string>

namespace korvel::model {

// Program state shared by several operations that lives outside the window's controls.
struct ProgramState {
    std::string programFolder; // folder of the executable, with trailing separator
    std::string dataFolder;    // per-user folder of the settings file, with trailing separator
    bool startVisible = true;  // show the window at the end of start-up; afterwards, whether it is shown
    int portIndex = -1;        // port row last applied; -1 until the first connection attempt
    std::string skinPicturePath;
    std::chrono::milliseconds lastDeviceActionTime{0}; // time of day of the last Send, Read or Store
    int radiotextToggle = 0;                           // the radiotext A/B flag last handed out: 0 = A, 1 = B
    // The last text taken from each text source file, before clean-up and prefix (the settings
    // file's RTFromFile and DPSFromFile): a title that has not changed since is not taken again,
    // across a restart too.
    std::string rtFromFile;
    std::string dpsFromFile;
    int windowTop = 10; // the window's outer top-left corner on the screen
    int windowLeft = 10;
};

} // namespace korvel::model
