#include "app/panel/FieldEditors.h"

#include "model/Dialogs.h"
#include "model/StationSettings.h"
#include "operations/AfList.h"
#include "operations/DeviceSettings.h"

#include <array>
#include <string>
#include <utility>

namespace korvel::app {

namespace {

constexpr model::ControlName kAfGrid = "SGAF";
constexpr model::ControlName kAfEntry = "CBAF";
constexpr int kAfColumn = 1;
constexpr int kFennel = 0;
constexpr const char* kAnyFile = "All files (*)";

using ItemSource = model::ItemSource;
// The PTY names by coding, in the order of RBPTYC's items.
constexpr std::array<ItemSource, 3> kPtyCodings{model::fixedItems<model::kPtyEuropean>,
                                                model::fixedItems<model::kPtyRbds>, model::ptyNumberItems};

bool startsAnEntry(char key, char decimalSeparator) {
    return (key >= '0' && key <= '9') || key == '.' || key == decimalSeparator;
}

} // namespace

FieldEditors::FieldEditors(model::StationSettings& settings, model::Dialogs& dialogs,
                           operations::DeviceSettings& deviceSettings)
    : m_settings(settings)
    , m_dialogs(dialogs)
    , m_deviceSettings(deviceSettings) {}

void FieldEditors::SGAFClick() {
    m_settings.setText(kAfEntry, m_settings.cell(kAfGrid, m_settings.row(kAfGrid), kAfColumn));
}

void FieldEditors::AF1Change() {
    const int row = m_settings.row(kAfGrid);
    if (!m_afEntry || m_afEntry->row != row) {
        m_afEntry = AfEntry{row, m_settings.cell(kAfGrid, row, kAfColumn)};
    }
    m_settings.setCell(kAfGrid, row, kAfColumn, m_settings.text(kAfEntry));
}

bool FieldEditors::takeAfEntry() {
    if (!m_afEntry) {
        return true; // nothing typed since the last entry was taken
    }
    const AfEntry entry = *std::exchange(m_afEntry, std::nullopt);
    operations::AfList::Rows rows;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        rows[row] = m_settings.cell(kAfGrid, static_cast<int>(row), kAfColumn);
    }
    const auto judged =
        operations::AfList::enter(rows, static_cast<std::size_t>(entry.row), m_settings.decimalSeparator());
    const bool taken = !judged.refused;
    if (!taken) {
        m_settings.setText("StatusBar1", operations::AfList::message(
                                             *judged.refused, m_settings.decimalSeparator(), "not taken"));
    }
    m_settings.setCell(kAfGrid, entry.row, kAfColumn, taken ? judged.text : entry.before);
    return taken;
}

// The box shows its row again, also after an entry that Enter refused.
void FieldEditors::AF1Exit() {
    static_cast<void>(takeAfEntry());
    m_settings.setText(kAfEntry, m_settings.cell(kAfGrid, m_settings.row(kAfGrid), kAfColumn));
}

FieldEditors::Focus FieldEditors::SGAFKeyPress(char& key) {
    const char typed = key;
    key = '\0'; // the grid itself takes no typing
    if (!startsAnEntry(typed, m_settings.decimalSeparator())) {
        return std::nullopt;
    }
    m_settings.setText(kAfEntry, std::string(1, typed));
    return kAfEntry;
}

FieldEditors::Focus FieldEditors::AF1KeyPress(char& key) {
    if (key != kEnter) {
        return std::nullopt;
    }
    key = '\0';
    const std::string typed = m_settings.text(kAfEntry);
    if (!takeAfEntry()) {
        m_settings.setText(kAfEntry, typed); // stays for correction; the next key enters it again
        return std::nullopt;
    }
    m_settings.setRow(kAfGrid, (m_settings.row(kAfGrid) + 1) % m_settings.rows(kAfGrid));
    return kAfGrid;
}

void FieldEditors::SGAFKeyUp(char key) {
    if (key == kDelete) {
        m_afEntry.reset();
        m_settings.setText(kAfEntry, "");
        m_settings.setCell(kAfGrid, m_settings.row(kAfGrid), kAfColumn, "");
    }
}

void FieldEditors::RBPTYCClick() {
    const int coding = m_settings.choice("RBPTYC");
    const bool known = coding >= 0 && coding < static_cast<int>(kPtyCodings.size());
    m_settings.setItems(
        "PTY", kPtyCodings[known ? static_cast<std::size_t>(coding) : 0](m_settings.decimalSeparator()));
}

void FieldEditors::RGHTYPClick() {
    const bool fennel = m_settings.choice("RGHTYP") == kFennel;
    m_settings.setVisible("LHDES0", fennel);
    m_settings.setVisible("LHDES1a", !fennel);
    m_settings.setVisible("LHDES1b", !fennel);
    m_deviceSettings.RGCSClick();
}

void FieldEditors::BR8Click() {
    chooseFile("ED1F");
}

void FieldEditors::BR9Click() {
    chooseFile("ER1F");
}

void FieldEditors::chooseFile(model::ControlName field) {
    if (const auto path = m_dialogs.chooseFile(kAnyFile)) {
        m_settings.setText(field, *path);
    }
}

} // namespace korvel::app
