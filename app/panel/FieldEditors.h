#pragma once

#include "model/ControlName.h"

#include <optional>
#include <string>

namespace korvel::model {
class Dialogs;
class StationSettings;
} // namespace korvel::model

namespace korvel::operations {
class DeviceSettings;
}

namespace korvel::app {

// The fields with editing rules of their own: the AF list edited through its entry box, the
// PTY names of the chosen coding, the hardware description and the file choosers. Key
// handlers may ask for the focus to move: they return the control to move it to.
class FieldEditors {
public:
    using Focus = std::optional<model::ControlName>;

    static constexpr char kEnter = 13;
    static constexpr char kDelete = 127;

    // All must outlive the editors.
    FieldEditors(model::StationSettings& settings, model::Dialogs& dialogs,
                 operations::DeviceSettings& deviceSettings);

    // AF list: the entry box shows the selected row, and the row follows every edit of the
    // entry box (but not a change the program makes to it).
    void SGAFClick();
    void AF1Change();
    // A digit or decimal point typed on the grid starts an entry in the box.
    [[nodiscard]] Focus SGAFKeyPress(char& key);
    // Enter in the box takes the entry and goes back to the grid, on the next row; an entry that
    // cannot go to air is refused, the box keeping it for correction.
    [[nodiscard]] Focus AF1KeyPress(char& key);
    // Leaving the box takes the entry too; a refused one leaves the row as it was.
    void AF1Exit();
    // Delete on the grid empties the selected row.
    void SGAFKeyUp(char key);

    // The PTY names of the chosen coding; the selected code stays.
    void RBPTYCClick();
    // The description of the chosen hardware type, and what it allows of the subcarrier.
    void RGHTYPClick();
    // "Choose...": the file of the dynamic PS source (BR8) or of the radiotext source (BR9).
    void BR8Click();
    void BR9Click();

private:
    void chooseFile(model::ControlName field);
    // Takes the row's entry written out in full, or refuses it with a message and puts the row
    // back; true when taken.
    bool takeAfEntry();

    model::StationSettings& m_settings;
    model::Dialogs& m_dialogs;
    operations::DeviceSettings& m_deviceSettings;
    // The row being entered and what it held before the entry began.
    struct AfEntry {
        int row;
        std::string before;
    };
    std::optional<AfEntry> m_afEntry;
};

} // namespace korvel::app
