#pragma once

namespace korvel::model {
class StationSettings;
}

namespace korvel::text {

class DpsPreview;

// The editing rules of the dynamic PS page: which editor is enabled for the mode and the file
// source, typing in the label grid DPS1, and when the preview starts over.
class DynamicPsEditors {
public:
    static constexpr char kEnter = 13;
    static constexpr char kBackspace = 8;

    // Both must outlive the editors.
    DynamicPsEditors(model::StationSettings& settings, DpsPreview& preview);

    // Mode chosen, or DPS1EN or CBD1FF changed: the editors follow the mode and the file
    // source (followModeAndSource), and the preview starts over.
    void RGDPS1MClick();
    void DPS1ENClick();
    // Mode 0 edits the grid DPS1, modes 1..3 the text DPS1B; while the dynamic PS is enabled
    // and its text comes from a file, neither is editable. Each label follows its editor.
    void followModeAndSource();
    // Delay between loops changed (the model itself shows "(infinite)" at the top value).
    void SEDPS1DLChange();
    // A key typed into row `row` of DPS1; sets key to '\0' to discard it. Returns the row that
    // is current afterwards: Enter moves to the next row, from the last back to the first.
    [[nodiscard]] int DPS1KeyPress(int row, char& key);
    // Focus left the grid or DPS1B.
    void DPS1Exit();
    void DPS1BExit();

private:
    model::StationSettings& m_settings;
    DpsPreview& m_preview;
};

} // namespace korvel::text
