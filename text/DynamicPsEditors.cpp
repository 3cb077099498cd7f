#include "text/DynamicPsEditors.h"

#include "model/StationSettings.h"
#include "text/DpsPreview.h"
#include "text/DynamicPs.h"

namespace korvel::text {

DynamicPsEditors::DynamicPsEditors(model::StationSettings& settings, DpsPreview& preview)
    : m_settings(settings)
    , m_preview(preview) {}

void DynamicPsEditors::enableEditors(bool grid, bool freeText) {
    m_settings.setEnabled("DPS1", grid);
    m_settings.setEnabled("DPS1B", freeText);
}

void DynamicPsEditors::RGDPS1MClick() {
    const bool fixedLabels = m_settings.choice("RGDPS1M") == 0;
    enableEditors(fixedLabels, !fixedLabels);
    m_settings.setEnabled("LM0", fixedLabels);
    m_settings.setEnabled("LM123", !fixedLabels);
    m_preview.ResetPreview();
}

void DynamicPsEditors::DPS1ENClick() {
    const bool fromFile = m_settings.flag("CBD1FF") && m_settings.flag("DPS1EN");
    enableEditors(!fromFile, !fromFile);
    m_preview.ResetPreview();
}

void DynamicPsEditors::SEDPS1DLChange() {
    m_preview.updateDelay();
}

int DynamicPsEditors::DPS1KeyPress(int row, char& key) {
    if (key == kEnter) {
        key = '\0';
        return (row + 1) % m_settings.rows("DPS1");
    }
    if (key != kBackspace && m_settings.cell("DPS1", row).size() >= DynamicPs::kLabelLength) {
        key = '\0';
    }
    return row;
}

void DynamicPsEditors::DPS1Exit() {
    m_preview.ResetPreview();
}

void DynamicPsEditors::DPS1BExit() {
    m_preview.ResetPreview();
}

} // namespace korvel::text
